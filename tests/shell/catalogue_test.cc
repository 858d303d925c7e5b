// The translation files against the sources: every language translates every text the window
// programs show, finished, with the same placeholders, and holds no text the sources dropped.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "codec/text.h"
#include "extractor/unbaler_logic.h"
#include "shell/catalogue_table.h"
#include "shell/opening.h"
#include "shell/start_arguments.h"

namespace shell {
namespace {

std::multiset<std::u16string> Placeholders(std::u16string_view text) {
  std::multiset<std::u16string> found;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == u'%' && text[i + 1] >= u'1' && text[i + 1] <= u'9') {
      found.insert(std::u16string(text.substr(i, 2)));
    }
  }
  return found;
}

std::string Shown(std::u16string_view text) { return pak::ToUtf8(text); }

TEST(CatalogueTest, EveryLanguageTranslatesEverySourceTextAndNothingElse) {
  const auto sources = SourceTexts();
  ASSERT_GT(sources.size(), 40u) << "the scan of the sources found too few texts";
  ASSERT_EQ(CatalogueLanguages().size(), 8u);
  for (const CatalogueLanguage& language : CatalogueLanguages()) {
    SCOPED_TRACE(language.tag);
    std::set<std::u16string_view> translated;
    for (const CatalogueEntry& entry : language.all()) {
      EXPECT_TRUE(std::find(sources.begin(), sources.end(), entry.english) != sources.end())
          << "no longer in the sources (run scripts/update-translations.sh): "
          << Shown(entry.english);
      EXPECT_FALSE(entry.translation.empty()) << Shown(entry.english);
      EXPECT_EQ(Placeholders(entry.translation), Placeholders(entry.english))
          << Shown(entry.english) << " -> " << Shown(entry.translation);
      translated.insert(entry.english);
    }
    for (std::u16string_view source : sources) {
      EXPECT_TRUE(translated.contains(source))
          << "missing or unfinished (scripts/update-translations.sh, then translate): "
          << Shown(source);
    }
  }
}

TEST(CatalogueTest, TheScanReadsTheConstantsAsTheCompilerDoes) {
  // Escapes, concatenated pieces and quotes, as the compiler reads them.
  const std::u16string_view kTexts[] = {extractor::kArchiveChanged,
                                        extractor::kExtractSelectedText,
                                        extractor::kNotAnArchive,
                                        kOtherExtensionText,
                                        kUnbalerUsage,
                                        kPakFilter};
  const auto sources = SourceTexts();
  for (std::u16string_view text : kTexts) {
    EXPECT_TRUE(std::find(sources.begin(), sources.end(), text) != sources.end()) << Shown(text);
  }
}

TEST(CatalogueTest, TableCatalogueLooksUpItsLanguageOnly) {
  const Catalogue german = TableCatalogue("de");
  ASSERT_TRUE(german);
  EXPECT_EQ(german(u"Extract All Files"), u"Alle Dateien entpacken");
  EXPECT_EQ(german(u"not a text of ours"), u"");
  EXPECT_FALSE(TableCatalogue("nl"));
}

}  // namespace
}  // namespace shell
