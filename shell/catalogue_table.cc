#include "shell/catalogue_table.h"

#include <algorithm>
#include <map>
#include <memory>

namespace shell {

std::vector<std::string> CatalogueTags() {
  std::vector<std::string> tags;
  for (const CatalogueLanguage& language : CatalogueLanguages()) tags.emplace_back(language.tag);
  return tags;
}

Catalogue TableCatalogue(std::string_view language) {
  const auto languages = CatalogueLanguages();
  const auto found = std::find_if(languages.begin(), languages.end(),
                                  [&](const CatalogueLanguage& l) { return l.tag == language; });
  if (found == languages.end()) return {};
  auto index = std::make_shared<std::map<std::u16string_view, std::u16string_view>>();
  for (const CatalogueEntry& entry : found->all()) index->emplace(entry.english, entry.translation);
  return [index](std::u16string_view english) {
    const auto entry = index->find(english);
    return entry != index->end() ? std::u16string(entry->second) : std::u16string();
  };
}

}  // namespace shell
