// Reader, writer, files list and name rules against hand-made bytes.
#include <gtest/gtest.h>

#include "codec/files_list.h"
#include "codec/names.h"
#include "codec/reader.h"
#include "codec/text.h"
#include "codec/writer.h"
#include "tests/support/test_support.h"

namespace {

using pak::ParsePak;
using testing_support::Bytes;
using testing_support::MakeArchive;
using testing_support::TempDir;
using testing_support::WriteFile;

const Bytes kWorkedExample = {0x31, 0x6B, 0x61, 0x70, 0x01, 0x00, 0x06, 0x00, 0x61,
                              0x00, 0x2E, 0x00, 0x77, 0x00, 0x61, 0x00, 0x76, 0x00,
                              0x00, 0x00, 0x73, 0x66, 0x66, 0x6F, 0x20, 0x00, 0x00,
                              0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03};

std::string Message(const pak::Result<pak::PakArchive>& r) { return r.status().message(); }

TEST(Reader, WorkedExample) {
  auto archive = ParsePak(kWorkedExample);
  ASSERT_TRUE(archive.ok()) << Message(archive);
  ASSERT_EQ(archive->size(), 1u);
  const auto& e = (*archive)[0];
  EXPECT_EQ(e.name, u"a.ogg");
  EXPECT_EQ(e.offset, 32);
  EXPECT_EQ(e.size, 3);
  EXPECT_EQ(Bytes(e.data.begin(), e.data.end()), (Bytes{1, 2, 3}));
}

TEST(Reader, RejectsShortFilesAndWrongSignaturesAsInvalidFile) {
  for (const Bytes& bytes : {Bytes{}, Bytes(kWorkedExample.begin(), kWorkedExample.begin() + 7),
                             Bytes{0x70, 0x61, 0x6B, 0x31, 1, 0, 6, 0, 0x61, 0, 0, 0}}) {
    auto archive = ParsePak(bytes);
    ASSERT_FALSE(archive.ok());
    EXPECT_EQ(Message(archive), "Invalid file");
    EXPECT_EQ(archive.status().kind(), pak::Status::Kind::kInvalidArchive);
  }
}

TEST(Reader, RenamesOnlyAFinalWavExtension) {
  Bytes bytes = MakeArchive({{u"VOICE01.WAV", {1}},
                             {u"theme.Wav", {2}},
                             {u"data.bin", {3}},
                             {u"a.wav.bak", {4}},
                             {u"readme", {5}},
                             {u"x.ogg", {6}}});
  auto archive = ParsePak(bytes);
  ASSERT_TRUE(archive.ok()) << Message(archive);
  std::vector<std::u16string> names;
  for (auto& e : archive->entries()) names.push_back(e.name);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"VOICE01.ogg", u"theme.ogg", u"data.bin",
                                                u"a.wav.bak", u"readme", u"x.ogg"}));
}

TEST(Reader, IgnoresLengthFieldAndTagAndFollowsEachRecordsOffset) {
  Bytes bytes = MakeArchive({{u"a", {1, 2, 3}}, {u"bb", {4, 5}}});
  bytes[6] = 0x7F;  // first name-length field
  bytes[12] = 'X';  // first tag
  // Point the second entry at the first one's data, overlapping it.
  const size_t second_offset_field = 6 + 18 + 2 + 4 + 2 + 4;
  bytes[second_offset_field] = bytes[6 + 2 + 2 + 2 + 4];
  auto archive = ParsePak(bytes);
  ASSERT_TRUE(archive.ok()) << Message(archive);
  EXPECT_EQ(Bytes((*archive)[1].data.begin(), (*archive)[1].data.end()), (Bytes{1, 2}));
}

TEST(Reader, RejectsStructuralFaultsNamingTheEntry) {
  const Bytes good = MakeArchive({{u"a.wav", {1, 2, 3}}, {u"b", {4}}});
  struct Case {
    const char* what;
    Bytes bytes;
    const char* expect;
  };
  auto patched = [&](size_t at, std::initializer_list<std::uint8_t> values) {
    Bytes b = good;
    std::copy(values.begin(), values.end(), b.begin() + static_cast<long>(at));
    return b;
  };
  const size_t first_size = 6 + 2 + 10 + 2 + 4 + 4;     // entry 1's size field
  const size_t second_offset = 6 + 26 + 2 + 2 + 2 + 4;  // entry 2's offset field
  std::vector<Case> cases = {
      {"no entries", patched(4, {0, 0}), "no entries"},
      {"count past the records", patched(4, {3, 0}), "entry 3 of 3"},
      {"name without end", Bytes(good.begin(), good.begin() + 14), "entry 1 of 2"},
      {"empty name", patched(6 + 26, {1, 0, 0, 0}), "entry 2 of 2: its name is empty"},
      {"negative size", patched(first_size, {0, 0, 0, 0x80}), "negative"},
      {"negative offset", patched(second_offset, {0xFF, 0xFF, 0xFF, 0xFF}), "negative"},
      {"data past the end", patched(first_size, {4, 1, 0, 0}), "past the end"},
      {"offset past the end", patched(second_offset, {0xFF, 0, 0, 0}), "entry 2 of 2 (\"b\")"},
  };
  // A name whose end lies past what its 16-bit length field can count is not looked for further.
  Bytes endless = {0x31, 0x6B, 0x61, 0x70, 1, 0, 0xFF, 0xFF};
  endless.resize(endless.size() + 2 * 0xFFFF + 64, 0x41);
  endless.insert(endless.end(), {0, 0, 's', 'f', 'f', 'o', 0, 0, 0, 0, 0, 0, 0, 0});
  cases.push_back({"name past its length field", endless, "no end within the 65534 characters"});
  // Entries that share bytes may not add up to more than the data after the directory.
  Bytes shared = MakeArchive({{u"a", {1, 2, 3, 4}}, {u"b", {5}}, {u"c", {6}}});
  const size_t record = 2 + 2 + 2 + 4 + 4 + 4;           // a one-letter name's record
  for (size_t end : {6 + 2 * record, 6 + 3 * record}) {  // b and c: a's four bytes
    std::copy_n(shared.begin() + 6 + record - 8, 4, shared.begin() + static_cast<long>(end - 8));
    shared[end - 4] = 4;
  }
  cases.push_back({"shared data beyond the archive", shared,
                   "entries hold 12 bytes of data in all, more than the 6 bytes"});
  // Name bytes 'a' 'A' 00 00: the first zero pair ends the name after three bytes.
  Bytes odd = MakeArchive({{u"ab", {1}}});
  odd[8 + 1] = 0x41;
  odd[8 + 2] = 0x00;
  cases.push_back({"odd name", odd, "odd number of bytes"});
  for (const auto& c : cases) {
    auto archive = ParsePak(c.bytes);
    ASSERT_FALSE(archive.ok()) << c.what;
    EXPECT_NE(Message(archive).find(c.expect), std::string::npos)
        << c.what << ": " << Message(archive);
    EXPECT_EQ(Message(archive).rfind("Invalid file: ", 0), 0u) << c.what;
  }
}

TEST(Reader, AcceptsEmptyEntries) {
  auto archive = ParsePak(MakeArchive({{u"empty", {}}, {u"x", {9}}}));
  ASSERT_TRUE(archive.ok()) << Message(archive);
  EXPECT_EQ((*archive)[0].size, 0);
  EXPECT_TRUE((*archive)[0].data.empty());
}

TEST(Reader, OpenedArchiveMatchesLoadedOneEvenWithALargeDirectory) {
  // 5000 long names make a directory larger than the first read of a file.
  std::vector<testing_support::RawEntry> entries;
  for (int i = 0; i < 5000; ++i) {
    std::u16string name(60, u'n');
    name += pak::FromUtf8(std::to_string(i)) + u".wav";
    entries.push_back({name, Bytes(static_cast<size_t>(i % 7), static_cast<std::uint8_t>(i))});
  }
  TempDir dir;
  WriteFile(dir / "big.pak", MakeArchive(entries));
  auto loaded = pak::LoadPakFile(pak::DefaultFileSystem(), dir / "big.pak");
  auto opened = pak::OpenPakFile(pak::DefaultFileSystem(), dir / "big.pak");
  ASSERT_TRUE(loaded.ok() && opened.ok());
  ASSERT_EQ(opened->size(), 5000u);
  for (size_t i = 0; i < 5000; i += 499) {
    EXPECT_EQ((*opened)[i].name, (*loaded)[i].name);
    EXPECT_EQ((*opened)[i].offset, (*loaded)[i].offset);
    EXPECT_EQ((*opened)[i].size, (*loaded)[i].size);
  }
}

TEST(Reader, NamesUpToTheLengthFieldsLimitReadTheSameOpenedOrLoaded) {
  // The longest name the field counts; three of them make a directory larger than the first
  // read of an opened file.
  const std::u16string longest(0xFFFE, u'n');
  const Bytes bytes = MakeArchive({{longest, {}}, {u"x", {1, 2}}, {u"y", {3}}});
  std::vector<testing_support::RawEntry> three;
  for (char16_t c : {u'a', u'b', u'c'}) three.push_back({longest.substr(1) + c, {9}});
  TempDir dir;
  WriteFile(dir / "one.pak", bytes);
  WriteFile(dir / "three.pak", MakeArchive(three));
  for (const char* file : {"one.pak", "three.pak"}) {
    auto loaded = pak::LoadPakFile(pak::DefaultFileSystem(), dir / file);
    auto opened = pak::OpenPakFile(pak::DefaultFileSystem(), dir / file);
    ASSERT_TRUE(loaded.ok()) << Message(loaded);
    ASSERT_TRUE(opened.ok()) << Message(opened);
    ASSERT_EQ(opened->size(), loaded->size());
    for (size_t i = 0; i < loaded->size(); ++i) {
      EXPECT_EQ((*opened)[i].name, (*loaded)[i].name) << file << " " << i;
      EXPECT_EQ((*opened)[i].offset, (*loaded)[i].offset) << file << " " << i;
    }
  }
  auto one = pak::LoadPakFile(pak::DefaultFileSystem(), dir / "one.pak");
  ASSERT_TRUE(one.ok());
  EXPECT_EQ((*one)[0].name, longest);

  // A name without end in a large file is refused from the first read, opened or loaded.
  Bytes endless = {0x31, 0x6B, 0x61, 0x70, 1, 0};
  endless.resize(3u << 20, 0x41);
  WriteFile(dir / "endless.pak", endless);
  for (auto read : {pak::LoadPakFile, pak::OpenPakFile}) {
    auto archive = read(pak::DefaultFileSystem(), dir / "endless.pak");
    ASSERT_FALSE(archive.ok());
    EXPECT_NE(Message(archive).find("no end within the 65534"), std::string::npos)
        << Message(archive);
  }
}

TEST(Writer, BuildsTheWorkedExampleFromOggOrWav) {
  for (const char* name : {"a.ogg", "a.wav"}) {
    TempDir dir;
    WriteFile(dir / name, Bytes{1, 2, 3});
    std::vector<std::u16string> names = {pak::FromUtf8(name)};
    auto built = pak::BuildPak(pak::DefaultFileSystem(), dir.path(), names);
    ASSERT_TRUE(built.ok()) << built.status().message();
    EXPECT_EQ(*built, kWorkedExample) << name;
  }
}

TEST(Writer, StoresNamesAndOffsetsInListOrder) {
  TempDir dir;
  const std::vector<std::u16string> names = {u"Track01.OGG", u"music.ogg.bak", u"noext",
                                             u"x.WAV",       u".ogg",          u"empty"};
  for (size_t i = 0; i < names.size(); ++i) {
    WriteFile(dir / pak::ToUtf8(names[i]), Bytes(i == 5 ? 0 : i + 1, static_cast<std::uint8_t>(i)));
  }
  auto built = pak::BuildPak(pak::DefaultFileSystem(), dir.path(), names);
  ASSERT_TRUE(built.ok()) << built.status().message();
  auto archive = ParsePak(*built);
  ASSERT_TRUE(archive.ok());
  ASSERT_EQ(archive->size(), names.size());
  // The reader turns .wav back into .ogg, so Track01 and .ogg come back as .ogg
  // while the stored names were .wav.
  const std::vector<std::u16string> read_back = {u"Track01.ogg", u"music.ogg.bak", u"noext",
                                                 u"x.ogg",       u".ogg",          u"empty"};
  size_t expected_offset = 6;
  for (auto& n : names) expected_offset += 2 * n.size() + 16;
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ((*archive)[i].name, read_back[i]);
    EXPECT_EQ((*archive)[i].offset, static_cast<int>(expected_offset));
    expected_offset += static_cast<size_t>((*archive)[i].size);
  }
  EXPECT_EQ(expected_offset, built->size());
  // The stored form of the first name is Track01.wav.
  EXPECT_EQ((*built)[8 + 2 * 8], 'w');
}

TEST(Writer, RefusesNamesItCouldNotStoreOrReadBack) {
  std::vector<std::u16string> none;
  EXPECT_EQ(pak::CheckPackNames(none).kind(), pak::Status::Kind::kRefused);
  std::vector<std::u16string> too_long = {std::u16string(255, u'a')};
  EXPECT_NE(pak::CheckPackNames(too_long).message().find("254"), std::string::npos);
  std::vector<std::u16string> ok_long = {std::u16string(254, u'a')};
  EXPECT_TRUE(pak::CheckPackNames(ok_long).ok());
  std::vector<std::u16string> wide = {u"caf\u00e9.ogg", u"\u0100.ogg"};
  EXPECT_NE(pak::CheckPackNames(wide).message().find("U+0100"), std::string::npos);
  // What extraction refuses on any system, a Windows short name's form included.
  std::vector<std::u16string> alias = {u"voice.ogg", u"MYLONG~1.OGG"};
  EXPECT_NE(pak::CheckPackNames(alias).message().find("MYLONG~1.OGG\" has the form of a Windows "
                                                      "short name"),
            std::string::npos)
      << pak::CheckPackNames(alias).message();
  std::vector<std::u16string> many(65536, u"a");
  EXPECT_NE(pak::CheckPackNames(many).message().find("65536"), std::string::npos);
}

TEST(Writer, FailedBuildReportsTheMissingFile) {
  TempDir dir;
  std::vector<std::u16string> names = {u"gone.ogg"};
  auto built = pak::BuildPak(pak::DefaultFileSystem(), dir.path(), names);
  ASSERT_FALSE(built.ok());
  EXPECT_EQ(built.status().kind(), pak::Status::Kind::kIoError);
  EXPECT_NE(built.status().message().find("gone.ogg"), std::string::npos);
}

TEST(FilesList, LinesAndPieces) {
  const auto& cp = pak::Windows1252();
  std::string text;
  for (auto n : {u"a.ogg", u"b.bin", u"c.ogg"}) text += pak::FilesListLine(n, cp);
  EXPECT_EQ(text, "a.ogg\r\nb.bin\r\nc.ogg\r\n");
  EXPECT_EQ(text.size(), 21u);
  EXPECT_EQ(pak::SplitFilesList(text, cp),
            (std::vector<std::u16string>{u"a.ogg", u"b.bin", u"c.ogg", u""}));
  EXPECT_TRUE(pak::SplitFilesList("", cp).empty());
  EXPECT_EQ(pak::SplitFilesList("a\nb\n", cp), (std::vector<std::u16string>{u"a\nb\n"}));
  EXPECT_EQ(pak::SplitFilesList("a\r\nb", cp), (std::vector<std::u16string>{u"a", u"b"}));
}

TEST(FilesList, RecordedNamesKeepFirstOccurrenceIgnoringCase) {
  const auto names = pak::RecordedNames("a.ogg\r\nA.OGG\r\n\r\nb\r\n\r\n", pak::Windows1252());
  EXPECT_EQ(names, (std::vector<std::u16string>{u"a.ogg", u"", u"b"}));
}

TEST(Text, Windows1252RoundTripsWhatItCanAndMarksTheRest) {
  const auto& cp = pak::Windows1252();
  EXPECT_EQ(cp.Encode(u"caf\u00e9 \u20ac \u4e2d"), "caf\xe9 \x80 ?");
  EXPECT_EQ(cp.Decode("caf\xe9 \x80 \x81"), u"caf\u00e9 \u20ac \u0081");
  for (int b = 1; b < 256; ++b) {
    std::string one(1, static_cast<char>(b));
    EXPECT_EQ(cp.Encode(cp.Decode(one)), one) << b;
  }
}

TEST(Text, Utf8ConversionAndCaseFolding) {
  bool valid = false;
  EXPECT_EQ(pak::FromUtf8("a\xc3\xa9\xf0\x9f\x8e\xb5", &valid), u"a\u00e9\U0001F3B5");
  EXPECT_TRUE(valid);
  EXPECT_EQ(pak::ToUtf8(u"a\u00e9\U0001F3B5"), "a\xc3\xa9\xf0\x9f\x8e\xb5");
  for (const char* bad : {"\xff", "\xc3", "\xe2\x82", "\xc0\xaf", "\xed\xa0\x80"}) {
    pak::FromUtf8(bad, &valid);
    EXPECT_FALSE(valid) << bad;
  }
  EXPECT_TRUE(pak::EqualsIgnoreCase(u"MUSIC.Wav", u"music.wAV"));
  EXPECT_TRUE(pak::EqualsIgnoreCase(u"\u00c9t\u00e9", u"\u00e9T\u00c9"));
  EXPECT_FALSE(pak::EqualsIgnoreCase(u"a.ogg", u"a.ogh"));
  EXPECT_TRUE(pak::LessIgnoreCase(u"apple", u"Banana"));
  EXPECT_TRUE(pak::LessIgnoreCase(u"B", u"b"));  // a stable order for equal names
}

TEST(Names, UnsafeEntryNamesAreRefused) {
  using pak::NameRules;
  struct Case {
    std::u16string name;
    bool posix_ok;
    bool windows_ok;
  };
  const std::vector<Case> cases = {
      {u"voice.ogg", true, true},
      {u"", false, false},
      {u".", false, false},
      {u"..", false, false},
      {u"../x", false, false},
      {u"a\\b", false, false},
      {u"C:x", false, false},
      {u"a\tb", false, false},
      {u"a\u0085", false, false},
      {u"FILESLIST.TXT", false, false},
      {u"CON", true, false},
      {u"nul.ogg", true, false},
      {u"com1", true, false},
      {u"COM0", true, true},
      {u"x.", true, false},
      {u"x ", true, false},
      {u"a?b", true, false},
      {u".hidden", true, true},
      {std::u16string{u'a', char16_t{0xD841}, u'b'}, false, false},  // lone surrogates
      {std::u16string{char16_t{0xDC00}}, false, false},
      {u"\U0001F3B5.ogg", true, true},
      // The console and the ports with superscript digits, bare, with an extension, in any
      // case, and with spaces before the extension; their neighbours are ordinary names.
      {u"CONIN$", true, false},
      {u"conout$.txt", true, false},
      {u"Conin$ .ogg", true, false},
      {u"CON .ogg", true, false},
      {u"COM\u00B9", true, false},
      {u"lpt\u00B2.ogg", true, false},
      {u"LPT\u00B3", true, false},
      {u"COM\u2074", true, true},
      {u"LPT\u00B9x", true, true},
      {u"CONIN", true, true},
      {u"CONOUT$x", true, true},
      {u"x.CONIN$", true, true},
      // Characters that hide themselves or turn the text around are refused above Latin-1; the
      // soft hyphen is Latin-1, which archives carry. Their neighbours are ordinary.
      {u"evil\u202Egpj.exe", false, false},
      {u"a\u202Ab", false, false},
      {u"a\u2066b\u2069", false, false},
      {u"zero\u200Bwidth", false, false},
      {u"mark\u200F", false, false},
      {u"\uFEFFbom", false, false},
      {u"line\u2028break", false, false},
      {u"para\u2029", false, false},
      {u"word\u2060joiner", false, false},
      {u"a\u206Ab", false, false},
      {u"a\uFFF9b", false, false},
      {u"arabic\u061Cmark", false, false},
      {u"mongolian\u180E", false, false},
      {u"tag\U000E0041", false, false},
      {u"soft\u00ADhyphen", true, true},
      {u"a\u2010b", true, true},
      {u"a\u2065b", true, true},
      {u"a\u2070b", true, true},
      {u"a\u2027b", true, true},
      // Names in the form of a Windows short alias; those that do not fit 8.3 are long names.
      {u"MYLONG~1.TXT", true, false},
      {u"mylong~1.txt", true, false},
      {u"PROGRA~1", true, false},
      {u"~", true, false},
      {u"~$a.ogg", true, false},
      {u"ABCDEF~1.OG", true, false},
      {u"LONGNAME~1.TXT", true, true},
      {u"ABC~1.OGGS", true, true},
      {u"A~1.B.C", true, true},
      {u"ABC.T~T", true, true},
      {u".~1", true, true},
      {u"ABCDEFGH.TXT", true, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pak::CheckEntryName(c.name, 0, NameRules::kPosix).ok(), c.posix_ok)
        << pak::ToUtf8(c.name);
    EXPECT_EQ(pak::CheckEntryName(c.name, 0, NameRules::kWindows).ok(), c.windows_ok)
        << pak::ToUtf8(c.name);
  }
  EXPECT_NE(pak::CheckEntryName(u"..", 4, NameRules::kPosix).message().find("entry 5 (\"..\")"),
            std::string::npos);
  // The message shows a hidden character escaped, never as itself.
  const std::string hidden = pak::CheckEntryName(u"a\u202Eb", 0, NameRules::kPosix).message();
  EXPECT_NE(hidden.find("entry 1 (\"a\\u{202E}b\")"), std::string::npos) << hidden;
  EXPECT_EQ(hidden.find("\u202E"), std::string::npos);
}

}  // namespace

namespace {

// Damages small archives many times over; the reader must refuse or accept
// each one without reading outside it (the sanitizer build checks that).
TEST(Reader, SurvivesRandomDamage) {
  const std::vector<Bytes> samples = {
      kWorkedExample,
      MakeArchive({{u"VOICE01.WAV", {1, 2, 3}}, {u"b", {}}, {u"caf\u00e9.ogg", Bytes(40, 7)}})};
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  int accepted = 0;
  for (int round = 0; round < 20000; ++round) {
    Bytes bytes = samples[round % samples.size()];
    const int edits = 1 + static_cast<int>(next() % 4);
    for (int e = 0; e < edits; ++e) {
      const std::uint32_t r = next();
      if (r % 5 == 0 && bytes.size() > 1) {
        bytes.resize(r % bytes.size());  // cut short
      } else if (!bytes.empty()) {
        bytes[r % bytes.size()] = static_cast<std::uint8_t>(next());
      }
    }
    auto archive = ParsePak(bytes);
    if (!archive.ok()) continue;
    ++accepted;
    for (const auto& entry : archive->entries()) {
      ASSERT_LE(static_cast<size_t>(entry.offset) + entry.data.size(), bytes.size());
    }
  }
  EXPECT_GT(accepted, 0);
}

}  // namespace
