#include "shell/browse_for_folder.h"

#include <utility>

#include "codec/text.h"

namespace shell {

std::string ProgramNameOf(std::u16string_view executable) {
  const std::size_t slash = executable.find_last_of(u"\\/");
  std::u16string_view name = executable.substr(slash == std::u16string_view::npos ? 0 : slash + 1);
  const std::size_t dot = name.rfind(u'.');
  if (dot != std::u16string_view::npos && dot != 0) name = name.substr(0, dot);
  return pak::ToUtf8(name);
}

BrowseError::BrowseError(std::int32_t number, std::string source, std::u16string description)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      what_(pak::ToUtf8(description_)) {}

CBrowseForFolder::CBrowseForFolder(FolderDialogBackend& backend) : backend_(backend) {}

void CBrowseForFolder::Raise(std::int32_t number, std::u16string description) const {
  std::string source;
  try {
    source = backend_.ProgramName();
  } catch (...) {
    // The error still has to reach the caller; it goes without the program's name then.
  }
  throw BrowseError(number, source + ".CBrowseForFolder", std::move(description));
}

template <typename Body>
auto CBrowseForFolder::Guarded(Body&& body) -> decltype(body()) {
  try {
    return body();
  } catch (const BrowseError&) {
    throw;
  } catch (...) {
    Raise(kErrComponent, u"CBrowseForFolder component failure");
  }
}

void CBrowseForFolder::CheckOwner(std::intptr_t hwnd) {
  if (hwnd > 0 && !backend_.IsWindow(hwnd)) Raise(kErrInvalidOwner, u"Invalid window handle");
}

void CBrowseForFolder::Init(std::u16string initial_path, std::intptr_t hwnd_owner,
                            std::u16string dialog_title, std::int32_t flags) {
  Guarded([&] {
    initial_path_ = std::move(initial_path);
    dialog_title_ = std::move(dialog_title);
    CheckOwner(hwnd_owner);
    owner_ = hwnd_owner;
    flags_ = flags;
  });
}

bool CBrowseForFolder::Browse() {
  return Guarded([&] {
    const BrowseRequest request{owner_, dialog_title_, flags_, initial_path_};
    const BrowseResult result = backend_.Show(request);
    switch (result.outcome) {
      case BrowseResult::Outcome::kCancelled:
        return false;
      case BrowseResult::Outcome::kNoPath:
        Raise(kErrNoPath, u"Could not get the path of the selected folder");
      case BrowseResult::Outcome::kChosen:
        break;
    }
    selected_path_ = result.path;
    return true;
  });
}

void CBrowseForFolder::SetDialogTitle(std::u16string title) {
  Guarded([&] { dialog_title_ = std::move(title); });
}

void CBrowseForFolder::SetInitialPath(std::u16string path) {
  Guarded([&] { initial_path_ = std::move(path); });
}

void CBrowseForFolder::SetHWndOwner(std::intptr_t hwnd) {
  Guarded([&] {
    CheckOwner(hwnd);
    owner_ = hwnd;
  });
}

}  // namespace shell
