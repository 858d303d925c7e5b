#include "shell/browse_for_folder.h"

#include <utility>

namespace shell {
namespace {

std::string ToUtf8(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace

BrowseError::BrowseError(std::int32_t number, std::string source, std::u16string description)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      what_(ToUtf8(description_)) {}

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
    selected_path_ = result.buffer.substr(0, result.buffer.find(u'\0'));
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
