#include "shell/translate.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

namespace shell {
namespace {

struct Installed {
  std::mutex mutex;
  Catalogue catalogue;
  // Every text given out so far, English to shown; a map's entries never move, so the views
  // Tr returned stay valid.
  std::map<std::u16string, std::u16string, std::less<>> shown;
  // What was given out under catalogues installed before, kept so that no view dangles.
  std::vector<std::map<std::u16string, std::u16string, std::less<>>> earlier;
};

Installed& TheCatalogue() {
  static Installed installed;
  return installed;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "de_DE.UTF-8@euro" or "zh-Hans-CN" as its parts: language, then script and region in any
// order, lower case.
std::vector<std::string> TagParts(std::string_view tag) {
  tag = tag.substr(0, std::min(tag.find('.'), tag.find('@')));
  std::vector<std::string> parts(1);
  for (char c : tag) {
    if (c == '-' || c == '_') {
      parts.emplace_back();
    } else {
      parts.back() += Lower(c);
    }
  }
  return parts;
}

bool Has(const std::vector<std::string>& parts, std::string_view part) {
  return std::find(parts.begin() + 1, parts.end(), part) != parts.end();
}

// Chinese in traditional characters: a catalogue in simplified ones does not serve it.
bool Traditional(const std::vector<std::string>& parts) {
  return parts[0] == "zh" &&
         (Has(parts, "hant") || Has(parts, "tw") || Has(parts, "hk") || Has(parts, "mo"));
}

}  // namespace

void InstallCatalogue(Catalogue catalogue) {
  Installed& installed = TheCatalogue();
  const std::lock_guard lock(installed.mutex);
  installed.catalogue = std::move(catalogue);
  installed.earlier.push_back(std::move(installed.shown));
  installed.shown.clear();
}

std::u16string_view Tr(std::u16string_view english) {
  Installed& installed = TheCatalogue();
  const std::lock_guard lock(installed.mutex);
  if (const auto found = installed.shown.find(english); found != installed.shown.end()) {
    return found->second;
  }
  std::u16string translated;
  if (installed.catalogue) translated = installed.catalogue(english);
  if (translated.empty()) translated = english;
  return installed.shown.emplace(std::u16string(english), std::move(translated)).first->second;
}

std::u16string Arg(std::u16string_view pattern, std::initializer_list<std::u16string_view> values) {
  std::u16string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char16_t next = i + 1 < pattern.size() ? pattern[i + 1] : u'\0';
    const auto index = static_cast<std::size_t>(next - u'1');
    if (pattern[i] == u'%' && next >= u'1' && next <= u'9' && index < values.size()) {
      text += values.begin()[index];
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

std::string ChooseLanguage(const std::vector<std::string>& preferred,
                           const std::vector<std::string>& available) {
  for (const std::string& tag : preferred) {
    const std::vector<std::string> wanted = TagParts(tag);
    if (wanted[0].empty() || wanted[0] == "en" || wanted[0] == "c" || wanted[0] == "posix") {
      return {};
    }
    if (Traditional(wanted)) continue;
    std::string same_language;
    for (const std::string& offered : available) {
      const std::vector<std::string> parts = TagParts(offered);
      if (parts[0] != wanted[0]) continue;
      if (parts.size() == 1 || Has(wanted, parts[1])) return offered;
      if (same_language.empty()) same_language = offered;
    }
    if (!same_language.empty()) return same_language;
  }
  return {};
}

}  // namespace shell
