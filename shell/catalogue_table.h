// The translation catalogue compiled into the program, generated at build time from
// translations/baler_<language>.ts: what a front end without Qt's translator looks texts up in.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/translate.h"

namespace shell {

struct CatalogueEntry {
  std::u16string_view english;
  std::u16string_view translation;
};

struct CatalogueLanguage {
  const char* tag;  // "de", "pt_BR"
  const CatalogueEntry* entries;
  std::size_t size;
  std::span<const CatalogueEntry> all() const { return {entries, size}; }
};

// Every language shipped, with its finished translations.
std::span<const CatalogueLanguage> CatalogueLanguages();

// The texts the sources hold, as scripts/update-translations.sh finds them.
std::span<const std::u16string_view> SourceTexts();

// The tags of CatalogueLanguages, for ChooseLanguage.
std::vector<std::string> CatalogueTags();

// A catalogue over `language`'s entries; none (English) for a language not shipped.
Catalogue TableCatalogue(std::string_view language);

}  // namespace shell
