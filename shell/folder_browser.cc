#include "shell/folder_browser.h"

#include <utility>

#include "codec/text.h"
#include "shell/translate.h"

namespace shell {
namespace {

FolderChoice Failed(const FolderDialogBackend& backend, std::int32_t number,
                    std::u16string description) {
  FolderChoice choice;
  choice.outcome = FolderChoice::Outcome::kFailed;
  choice.error_number = number;
  choice.error_description = std::move(description);
  choice.error_source = backend.ProgramName() + ".CBrowseForFolder";
  return choice;
}

}  // namespace

std::string ProgramNameOf(std::u16string_view executable) {
  const std::size_t slash = executable.find_last_of(u"\\/");
  std::u16string_view name = executable.substr(slash == std::u16string_view::npos ? 0 : slash + 1);
  const std::size_t dot = name.rfind(u'.');
  if (dot != std::u16string_view::npos && dot != 0) name = name.substr(0, dot);
  return pak::ToUtf8(name);
}

FolderChoice BrowseForFolder(FolderDialogBackend& backend, const BrowseRequest& request) {
  if (request.owner > 0 && !backend.IsWindow(request.owner)) {
    return Failed(backend, kErrInvalidOwner, std::u16string(Tr(kInvalidOwnerText)));
  }
  BrowseResult result = backend.Show(request);
  switch (result.outcome) {
    case BrowseResult::Outcome::kCancelled:
      return {};
    case BrowseResult::Outcome::kNoPath:
      return Failed(backend, kErrNoPath, std::u16string(Tr(kNoPathText)));
    case BrowseResult::Outcome::kFailed:
      return Failed(backend, kErrComponent, std::u16string(Tr(kComponentText)));
    case BrowseResult::Outcome::kChosen:
      break;
  }
  FolderChoice choice;
  choice.outcome = FolderChoice::Outcome::kChosen;
  choice.path = std::move(result.path);
  return choice;
}

}  // namespace shell
