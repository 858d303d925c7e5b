#include "shell/opening.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "codec/text.h"
#include "shell/translate.h"

namespace shell {
namespace {

// An allow-list, not a list of dangerous kinds: the kinds a system may run (programs, scripts,
// installers, shortcuts, links, and whatever a handler installed later adds) are too many and
// change, so every kind not named here is refused. Each one here opens in a player, a viewer or
// a text editor on both systems. Left out on purpose: svg, htm and html (scripts run in the
// browser that opens them), csv (spreadsheets evaluate formulas in it), bin (any bytes at all)
// and every office document kind (macros).
constexpr std::u16string_view kDataKinds[] = {
    // Sounds; the game stores its Ogg Vorbis sounds under .wav names.
    u"ogg", u"wav", u"mp3", u"flac",
    // Pictures.
    u"png", u"jpg", u"jpeg", u"bmp", u"gif", u"tga", u"dds", u"tif", u"tiff", u"webp", u"ico",
    // Text, the game's settings among it.
    u"txt", u"ini", u"cfg", u"log", u"xml", u"json",
    // Archives of the game, opened by Unbaler itself.
    u"pak"};

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

}  // namespace

std::u16string LastExtension(std::u16string_view name) {
  const std::size_t slash = name.find_last_of(u"/\\");
  if (slash != std::u16string_view::npos) name.remove_prefix(slash + 1);
  const std::size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos) return {};
  return std::u16string(name.substr(dot + 1));
}

bool OpensAsData(std::u16string_view name) {
  std::u16string extension = LastExtension(name);
  std::transform(extension.begin(), extension.end(), extension.begin(), AsciiLower);
  return std::find(std::begin(kDataKinds), std::end(kDataKinds), extension) != std::end(kDataKinds);
}

std::u16string NotOpenedText(std::u16string_view name) {
  const std::u16string extension = LastExtension(name);
  if (extension.empty()) return Arg(Tr(kNoExtensionText), {pak::DisplayName(name)});
  return Arg(Tr(kOtherExtensionText), {pak::DisplayName(name), pak::DisplayName(extension)});
}

bool MarkAsDownloaded(const pak::Path& file) {
#ifdef _WIN32
  // Zone 3 is the Internet zone, as a browser marks what it downloads.
  pak::Path stream = file;
  stream += L":Zone.Identifier";
  {
    std::ofstream out(stream, std::ios::binary);
    if (!out) return false;
    out << "[ZoneTransfer]\r\nZoneId=3\r\n";
    if (!out.flush()) return false;
  }
  // Where the system keeps no streams (Wine), the name is taken as a plain file beside the copy:
  // a folder's listing never shows a real stream, so one that shows is no mark. It goes again.
  std::error_code error;
  for (std::filesystem::directory_iterator it(file.parent_path(), error), end; !error && it != end;
       it.increment(error)) {
    if (it->path().filename() == stream.filename()) {
      std::filesystem::remove(it->path(), error);
      return false;
    }
  }
  return !error;
#else
  std::error_code error;
  std::filesystem::permissions(
      file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
      std::filesystem::perm_options::replace, error);
  return !error;
#endif
}

}  // namespace shell
