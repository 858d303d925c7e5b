#include "shell/path_display.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/program_logic.h"

namespace shell {
namespace {

TEST(ShortenPath, ShortPathsAreShownWhole) {
  EXPECT_EQ(ShortenPath(u"C:\\Games\\Data\\sound.pak"), u"C:\\Games\\Data\\sound.pak");
  const std::u16string forty = u"C:\\" + std::u16string(37, u'a');
  EXPECT_EQ(ShortenPath(forty), forty);
  EXPECT_EQ(ShortenPath(u""), u"");
}

TEST(ShortenPath, LongPathsKeepTheirBeginningAndLastComponent) {
  EXPECT_EQ(ShortenPath(u"C:\\Program Files\\Some Game\\Data\\Sounds\\voice.pak"),
            u"C:\\Program Files\\Some Gam...\\voice.pak");
  EXPECT_EQ(ShortenPath(u"D:\\Backup\\Extracted\\Game Sounds\\Level 2 music"),
            u"D:\\Backup\\Extracted\\G...\\Level 2 music");
  const std::u16string forty_one = u"C:\\" + std::u16string(29, u'a') + u"\\data.pak";
  ASSERT_EQ(forty_one.size(), 41u);
  const std::u16string shown = ShortenPath(forty_one);
  EXPECT_EQ(shown, u"C:\\" + std::u16string(23, u'a') + u"...\\data.pak");
  EXPECT_EQ(shown.size(), 38u);
}

TEST(ShortenPath, ForwardSlashesSeparateToo) {
  EXPECT_EQ(ShortenPath(u"/home/someone/games/some game/data/sounds/voice.pak"),
            u"/home/someone/games/some .../voice.pak");
}

TEST(ShortenPath, OverlongLastComponentOrNoSeparatorShowsTheEnd) {
  const std::u16string name(50, u'n');
  for (const std::u16string& path :
       {u"C:\\" + name + u"x.pak", name + u"x.pak", u"C:\\dir\\" + std::u16string(35, u'n')}) {
    const std::u16string shown = ShortenPath(path);
    EXPECT_EQ(shown.size(), 38u);
    EXPECT_EQ(shown.substr(0, 3), u"...");
    EXPECT_EQ(shown.substr(3), path.substr(path.size() - 35));
  }
  // A last component of exactly 35 characters with its separator keeps no head at all.
  const std::u16string exact = u"C:\\dir\\" + std::u16string(34, u'n');
  EXPECT_EQ(ShortenPath(exact), u"...\\" + std::u16string(34, u'n'));
}

TEST(ShortenPath, CutsNeverSplitASurrogatePair) {
  const std::u16string pair = u"\U0001F3B5";  // two code units
  // The head of 25 characters would end between the two halves of the pair: the half is dropped.
  const std::u16string prefix = u"C:\\" + std::u16string(21, u'a');
  EXPECT_EQ(ShortenPath(prefix + pair + std::u16string(20, u'b') + u"\\voice.pak"),
            prefix + u"...\\voice.pak");
  // The last 35 characters would start with the second half of a pair.
  EXPECT_EQ(ShortenPath(u"xxxxxx" + pair + std::u16string(34, u'z')),
            u"..." + std::u16string(34, u'z'));
}

}  // namespace
}  // namespace shell

TEST(StatusText, CountsAndSizesReadNaturally) {
  const struct {
    std::uint64_t bytes;
    std::u16string size;
  } kSizes[] = {
      {0, u"0 bytes"},        {1, u"1 byte"},
      {1023, u"1023 bytes"},  {1024, u"1 KB"},
      {1535, u"1 KB"},        {1536, u"2 KB"},
      {1048575, u"1024 KB"},  {1048576, u"1 MB"},
      {957349888, u"913 MB"}, {4294967296ull, u"4096 MB"},
  };
  for (const auto& c : kSizes) EXPECT_EQ(shell::SizeText(c.bytes), c.size) << c.bytes;
  EXPECT_EQ(shell::CountText(1, shell::kOneFile, shell::kFiles), u"1 file");
  EXPECT_EQ(shell::CountText(812, shell::kOneFile, shell::kFiles), u"812 files");
  EXPECT_EQ(shell::CountText(0, shell::kOneFile, shell::kFiles), u"0 files");
}
