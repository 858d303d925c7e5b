// The window programs' texts in the user's language. Every text they show is written in English
// as a named constant beside the code that owns it; where it is shown, Tr gives it in the
// language of the catalogue the front end installed at start (English when there is none, or when
// the catalogue lacks the text). A text with numbers or names in it is a pattern with %1, %2, ...
// in their places, translated whole and filled in by Arg, so that each language orders its words.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// The translation of an English text, or an empty string when the catalogue has none.
using Catalogue = std::function<std::u16string(std::u16string_view english)>;

// Makes `catalogue` the source of every later Tr. A front end installs it once at start, before
// the first text is shown; a view Tr returned before stays valid, in its earlier language.
void InstallCatalogue(Catalogue catalogue);

// `english` in the installed catalogue's language. The view stays valid as long as the program
// runs, so a layout can hold it as it holds a constant.
std::u16string_view Tr(std::u16string_view english);

// `pattern` with %1 to %9 replaced by the values in order; a % before anything else stays.
std::u16string Arg(std::u16string_view pattern, std::initializer_list<std::u16string_view> values);

// The language tags the catalogues come in ("de", "pt_BR", "zh_CN").
// The first of `available` that the user's `preferred` languages (best first, as the system
// gives them: "pt-BR", "de_DE.UTF-8", "zh-Hans-CN") ask for: the same language and region, else
// the same language; empty for English or no match. "C" and "POSIX" mean English.
std::string ChooseLanguage(const std::vector<std::string>& preferred,
                           const std::vector<std::string>& available);

}  // namespace shell
