#include "shell/translate.h"

#include <gtest/gtest.h>

#include <map>

#include "shell/entry_list.h"
#include "shell/main_layout.h"
#include "shell/program_logic.h"
#include "shell/progress_text.h"
#include "shell/text_fit.h"

namespace shell {
namespace {

// A catalogue for the length of a test; English again after it.
using Entries = std::map<std::u16string, std::u16string>;

class FakeCatalogue {
 public:
  explicit FakeCatalogue(Entries entries) {
    InstallCatalogue([entries = std::move(entries)](std::u16string_view english) {
      const auto found = entries.find(std::u16string(english));
      return found != entries.end() ? found->second : std::u16string();
    });
  }
  ~FakeCatalogue() { InstallCatalogue({}); }
};

TEST(TranslateTest, ShownTextsComeFromTheInstalledCatalogueAndFallBackToEnglish) {
  const FakeCatalogue german(Entries{{kFileCaption, u"Archiv:"},
                                     {kFiles, u"%1 Dateien"},
                                     {kProgressText, u"%2/%3: %1"},
                                     {u"Extracting", u"Entpacke"}});
  EXPECT_EQ(MainWindowControls(Program::kUnbaler)[2].text, u"Archiv:");
  // Not in the catalogue: the English text.
  EXPECT_EQ(MainWindowControls(Program::kUnbaler)[3].text, u"Directory:");
  EXPECT_EQ(CountText(3, kOneFile, kFiles), u"3 Dateien");
  EXPECT_EQ(CountText(1, kOneFile, kFiles), u"1 file");
  // A pattern is translated whole and may reorder what it holds.
  EXPECT_EQ(Arg(Tr(kProgressText), {Tr(u"Extracting"), u"2", u"9"}), u"2/9: Entpacke");
}

TEST(TranslateTest, ListSummariesAndSizesAreWholePatternsInTheUsersLanguage) {
  const FakeCatalogue french(Entries{{kOneEntrySummary, u"%1 entr\u00e9e, %2"},
                                     {kEntriesSummary, u"%1 entr\u00e9es, %2"},
                                     {kSomeOfOneEntrySummary, u"%1 sur %2 entr\u00e9e, %3"},
                                     {kSomeFilesSummary, u"%3 dans %1 fichiers sur %2"},
                                     {kOneByte, u"%1 octet"},
                                     {kBytes, u"%1 octets"},
                                     {kKilobytes, u"%1 Ko"},
                                     {kGigabytes, u"%1 Go"},
                                     {kDecimalMark, u","}});
  const struct {
    std::vector<ListEntry> entries;
    std::u16string filter;
    CountWords words;
    std::u16string summary;
  } kCases[] = {
      {{{u"a", 1}}, u"", kEntryWords, u"1 entr\u00e9e, 1 octet"},
      {{{u"a", 1536}, {u"b", 2}}, u"", kEntryWords, u"2 entr\u00e9es, 1,5 Ko"},
      {{{u"a", 1}}, u"x", kEntryWords, u"0 sur 1 entr\u00e9e, 0 octets"},
      // Each value lands where the pattern puts it.
      {{{u"a", 30 * 1024}, {u"b", 9}}, u"a", kFileWords, u"30 Ko dans 1 fichiers sur 2"},
      // A pattern the catalogue lacks is English, its values still in the user's units.
      {{{u"a", 3}, {u"b", 4}}, u"", kFileWords, u"2 files, 7 octets"},
      {{{u"a", std::uint64_t{3} << 30}}, u"", kEntryWords, u"1 entr\u00e9e, 3,0 Go"},
  };
  for (const auto& c : kCases) {
    EntryList list;
    list.Assign(c.entries);
    list.SetFilter(c.filter);
    EXPECT_EQ(list.Summary(c.words), c.summary);
  }
}

TEST(TranslateTest, ViewsStayValidWhenAnotherCatalogueIsInstalled) {
  std::u16string_view held;
  {
    const FakeCatalogue french(Entries{{kDirCaption, u"Dossier :"}});
    held = Tr(kDirCaption);
  }
  EXPECT_EQ(held, u"Dossier :");
  EXPECT_EQ(Tr(kDirCaption), u"Directory:");
}

TEST(TranslateTest, ArgFillsNumberedPlaceholders) {
  struct Case {
    std::u16string_view pattern;
    std::u16string_view expected;
  } const kCases[] = {
      {u"%1 of %2", u"a of b"},
      {u"%2 before %1", u"b before a"},
      {u"%1%1", u"aa"},
      {u"100% sure, %1", u"100% sure, a"},  // a % before no digit stays
      {u"%3 is not given", u"%3 is not given"},
      {u"ends in %", u"ends in %"},
      {u"%0", u"%0"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(Arg(c.pattern, {u"a", u"b"}), c.expected) << c.pattern.size();
  }
  // A value is put in as it is: a path holding "%2" is not filled in again.
  EXPECT_EQ(Arg(u"%1 into %2", {u"C:\\100%2", u"D:\\out"}), u"C:\\100%2 into D:\\out");
}

TEST(TranslateTest, ChooseLanguageMatchesTheUsersPreferences) {
  const std::vector<std::string> kOffered = {"de", "fr", "es", "pt_BR", "pl", "ru", "zh_CN", "ja"};
  struct Case {
    std::vector<std::string> preferred;
    std::string expected;
  } const kCases[] = {
      {{"de-DE"}, "de"},
      {{"de_AT.UTF-8@euro"}, "de"},
      {{"pt-BR"}, "pt_BR"},
      {{"pt_PT"}, "pt_BR"},  // the same language, another region: better than English
      {{"zh-Hans-CN"}, "zh_CN"},
      {{"zh_SG"}, "zh_CN"},
      {{"zh-TW", "ja-JP"}, "ja"},  // traditional characters: the next preference
      {{"zh-Hant"}, ""},
      {{"en-US", "de-DE"}, ""},  // English first
      {{"C"}, ""},
      {{"POSIX"}, ""},
      {{"nl-NL", "fr-BE"}, "fr"},
      {{"nl-NL"}, ""},
      {{"RU"}, "ru"},
      {{}, ""},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(ChooseLanguage(c.preferred, kOffered), c.expected)
        << (c.preferred.empty() ? "" : c.preferred[0]);
  }
}

// A face whose every character is `width` pixels at 8 points and one less at 7.
MeasureText Monospaced(std::int32_t width) {
  return [width](std::u16string_view text, std::int32_t points) {
    return static_cast<std::int32_t>(text.size()) * (width - (8 - points));
  };
}

TEST(TextFitTest, ShrinksOnePointThenElidesWithTheWholeTextAsTooltip) {
  struct Case {
    std::u16string_view text;
    std::int32_t width;
    FittedText expected;
  } const kCases[] = {
      {u"Ordner:", 70, {8, u"Ordner:", {}}},              // 70 pixels at 8 points: fits
      {u"Ordner:", 63, {7, u"Ordner:", {}}},              // 63 at 7
      {u"Ordner:", 62, {7, u"Ordne\u2026", u"Ordner:"}},  // five and the ellipsis, at 7
      {u"Ordner:", 8, {7, u"\u2026", u"Ordner:"}},
      {u"Ordner:", 0, {7, u"\u2026", u"Ordner:"}},  // nothing fits: the ellipsis alone
      {u"", 0, {8, u"", {}}},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(FitText(c.text, c.width, 8, Monospaced(10)), c.expected) << c.width;
  }
}

TEST(TextFitTest, NeverCutsASurrogatePairInTwo) {
  // U+20000 (two UTF-16 units) then "b": cut after it, or before it, never between its halves.
  const std::u16string text = u"a\U00020000b";
  const FittedText fitted = FitText(text, 27, 8, Monospaced(10));
  EXPECT_EQ(fitted.shown, u"a\u2026");
  EXPECT_EQ(fitted.tooltip, text);
}

}  // namespace
}  // namespace shell
