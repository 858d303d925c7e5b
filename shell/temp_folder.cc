#include "shell/temp_folder.h"

#include <system_error>
#include <utility>

namespace shell {

TempFolder::TempFolder(std::string prefix, std::optional<pak::Path> parent)
    : prefix_(std::move(prefix)), parent_(std::move(parent)) {}

TempFolder::~TempFolder() {
  if (!path_) return;
  // Links inside are removed, not followed. A file another program holds open where the system
  // refuses to delete it stays; nothing else can be done about it here.
  std::error_code error;
  std::filesystem::remove_all(*path_, error);
}

pak::Result<pak::Path> TempFolder::NewSubfolder() {
  if (!path_) {
    if (!parent_) {
      std::error_code error;
      pak::Path system = std::filesystem::temp_directory_path(error);
      if (error) {
        return pak::Status::IoError("Cannot find the temporary folder: " + error.message(),
                                    error.value());
      }
      parent_ = std::move(system);
    }
    pak::Result<pak::Path> made = pak::CreatePrivateFolder(*parent_, prefix_);
    if (!made.ok()) return made.status();
    path_ = std::move(made).value();
  }
  // Only this user can make names in the private folder, so a name taken is one of ours.
  for (;;) {
    const pak::Path folder = *path_ / std::to_string(++next_);
    std::error_code error;
    if (std::filesystem::create_directory(folder, error)) return folder;
    if (error) {
      return pak::Status::IoError(
          "Cannot create " + pak::DisplayPath(folder) + ": " + error.message(), error.value());
    }
  }
}

}  // namespace shell
