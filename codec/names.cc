#include "codec/names.h"

#include <array>
#include <unordered_map>

#include "codec/text.h"

namespace pak {
namespace {

// Replaces the last extension `from` (ignoring case) by `to`.
std::u16string SwapExtension(std::u16string_view name, std::u16string_view from,
                             std::u16string_view to) {
  const size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos || !EqualsIgnoreCase(name.substr(dot), from)) {
    return std::u16string(name);
  }
  std::u16string out(name.substr(0, dot));
  out += to;
  return out;
}

bool IsReservedDeviceName(std::u16string_view name) {
  // The device names apply with any extension ("nul.txt" is NUL too), and Windows drops spaces
  // before the extension ("nul .txt" as well).
  std::u16string_view stem = name.substr(0, name.find(u'.'));
  while (!stem.empty() && stem.back() == u' ') stem.remove_suffix(1);
  const std::u16string base = FoldCase(stem);
  static constexpr std::array<std::u16string_view, 6> kPlain = {u"CON", u"PRN",    u"AUX",
                                                                u"NUL", u"CONIN$", u"CONOUT$"};
  for (auto reserved : kPlain) {
    if (base == reserved) return true;
  }
  if (base.size() == 4 && (base.starts_with(u"COM") || base.starts_with(u"LPT"))) {
    // The ports 1 to 9, and the superscript digits one, two and three, which Windows counts as
    // port numbers too.
    const char16_t digit = base[3];
    return (digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' ||
           digit == u'\u00B3';
  }
  return false;
}

// Whether the name has the form of the short (8.3) alias Windows gives a long name, such as
// "MYLONG~1.TXT": it fits 8.3 (a base of 1 to 8 characters, at most one dot, an extension of at
// most 3) and its base holds a "~". Opening such a name may open another file, the one whose
// alias it is.
bool IsShortNameAlias(std::u16string_view name) {
  const std::size_t dot = name.find(u'.');
  const std::u16string_view base = name.substr(0, dot);
  if (base.empty() || base.size() > 8 || base.find(u'~') == std::u16string_view::npos) {
    return false;
  }
  if (dot == std::u16string_view::npos) return true;
  const std::u16string_view extension = name.substr(dot + 1);
  return extension.size() <= 3 && extension.find(u'.') == std::u16string_view::npos;
}

}  // namespace

std::u16string ArchiveToDiskName(std::u16string_view stored_name) {
  return SwapExtension(stored_name, u".wav", u".ogg");
}

std::u16string DiskToArchiveName(std::u16string_view listed_name) {
  return SwapExtension(listed_name, u".ogg", u".wav");
}

NameRules HostNameRules() {
#ifdef _WIN32
  return NameRules::kWindows;
#else
  return NameRules::kPosix;
#endif
}

std::string DescribeEntry(size_t index, std::u16string_view name) {
  return "entry " + std::to_string(index + 1) + " (\"" + EscapeControls(ToUtf8(name)) + "\")";
}

const char* EntryNameFault(std::u16string_view name, NameRules rules) {
  if (name.empty()) return "is empty";
  if (name == u"." || name == u"..") return "names a folder, not a file";
  for (char16_t c : name) {
    if (c == u'/' || c == u'\\' || c == u':') return "holds a path separator or a colon";
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return "holds a control character";
  }
  for (size_t i = 0; i < name.size(); ++i) {
    const char16_t c = name[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const bool low = c >= 0xDC00 && c <= 0xDFFF;
    if (low || (high && !(i + 1 < name.size() && name[i + 1] >= 0xDC00 && name[i + 1] <= 0xDFFF))) {
      return "holds a broken UTF-16 character";
    }
    // A character that hides itself, or turns the text around it, would let the name pass for
    // another when shown. The soft hyphen is Latin-1, which archives carry: it stays, shown
    // escaped.
    const char32_t code_point =
        high ? 0x10000 + ((char32_t{c} - 0xD800) << 10) + (name[i + 1] - 0xDC00) : c;
    if (code_point > 0xFF && IsHiddenCharacter(code_point)) {
      return "holds an invisible or text-direction character";
    }
    if (high) ++i;
  }
  if (EqualsIgnoreCase(name, kFilesListName)) return "would overwrite the list of files";
  if (rules == NameRules::kWindows) {
    for (char16_t c : name) {
      if (c == u'<' || c == u'>' || c == u'"' || c == u'|' || c == u'?' || c == u'*') {
        return "holds a character that Windows does not allow in file names";
      }
    }
    if (name.back() == u'.' || name.back() == u' ') return "ends in a dot or a space";
    if (IsReservedDeviceName(name)) return "is a reserved device name";
    if (IsShortNameAlias(name)) {
      return "has the form of a Windows short name (such as NAME~1.TXT), which may open another "
             "file";
    }
    if (name.size() > kMaxWindowsNameUnits) {
      return "is longer than the 255 UTF-16 characters Windows allows in a file name";
    }
  } else if (ToUtf8(name).size() > kMaxPosixNameBytes) {
    return "is longer than the 255 bytes of UTF-8 this system allows in a file name";
  }
  return nullptr;
}

Status CheckEntryName(std::u16string_view name, size_t index, NameRules rules) {
  if (const char* why = EntryNameFault(name, rules)) {
    return Status::Refused("Unsafe name in the archive: " + DescribeEntry(index, name) + " " + why +
                           "; nothing was extracted");
  }
  return Status::Ok();
}

std::vector<NameClash> FindNameClashes(std::span<const std::u16string_view> names,
                                       bool ignore_case) {
  std::vector<std::u16string> folded;
  if (ignore_case) {
    folded.reserve(names.size());
    for (auto name : names) folded.push_back(FoldCase(name));
  }
  const auto key = [&](std::size_t i) {
    return ignore_case ? std::u16string_view(folded[i]) : names[i];
  };
  // The last position of each name; every other position of it lost its file to that one.
  std::unordered_map<std::u16string_view, std::size_t> last;
  last.reserve(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) last[key(i)] = i;
  std::vector<NameClash> clashes;
  if (last.size() == names.size()) return clashes;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::size_t kept = last.at(key(i));
    if (kept != i) clashes.push_back({i, kept});
  }
  return clashes;
}

}  // namespace pak
