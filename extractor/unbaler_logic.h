// Unbaler's main-window logic: choosing the archive and the destination folder, listing the
// archive's entries and extracting them all.
//
// The logic owns the window's state: the two chosen paths (what the path labels keep in their
// Tag), their shortened captions and the archive accepted last. It drives the window through
// shell::MainView and reaches the user only through the services it is given, so the same logic
// runs under every front end and under tests. All of it runs on the window's one thread; each
// handler finishes before the window takes the next click.
//
// Nothing here ends the program. A file that is not an archive, a name that cannot be written
// safely and an I/O failure each end in a message box titled "Unbaler"; the window keeps the state
// the step left it in.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "codec/reader.h"
#include "shell/program_logic.h"

namespace extractor {

inline constexpr std::u16string_view kTitle = shell::ProgramTitle(shell::Program::kUnbaler);
inline constexpr char16_t kBrowseTitle[] =
    u"Browse for Folder where the PAK file will be extracted";
// Shown when both paths are set but the only file chosen so far was not accepted.
inline constexpr char16_t kNoArchiveLoaded[] =
    u"There is no archive to extract: the chosen file could not be read as a PAK file.";

class UnbalerLogic : public shell::ProgramLogic {
 public:
  // Every reference must outlive the logic. The code page is what FilesList.txt is written in.
  UnbalerLogic(shell::MainView& view, shell::FileDialog& file_dialog,
               shell::MessageBox& message_box, shell::FolderDialogBackend& folder_backend,
               pak::FileSystem& fs = pak::DefaultFileSystem(),
               const pak::CodePage& code_page = pak::SystemCodePage());

  void OnSelectFile() override;                    // choose and read the archive
  void OnSelectDir() override;                     // choose the folder
  void OnMainCommand() override { ExtractAll(); }  // extract

  // The extract command is enabled exactly when both paths are known; the archive itself does
  // not count, so a rejected file still enables it (ExtractAll then explains why nothing
  // happens).
  void UpdateExtractButton() { UpdateMainCommand(); }
  // Writes FilesList.txt and every entry of the accepted archive into the chosen folder.
  void ExtractAll();

  // The archive accepted last; empty until one is.
  const std::optional<pak::PakArchive>& archive() const { return archive_; }
  // The names lstFiles shows.
  const std::vector<std::u16string>& list_items() const { return list_items_; }

 private:
  void LoadArchive();

  std::optional<pak::PakArchive> archive_;
  std::vector<std::u16string> list_items_;
};

}  // namespace extractor
