// The Windows file system and the ANSI code page: attributes, read-only and hidden files, names
// outside the code page, long paths, and the workflows on top of them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "codec/file_system.h"
#include "codec/reader.h"
#include "codec/text.h"
#include "codec/workflow.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;  // the shared test helpers and fakes
using Names = std::vector<std::u16string>;

pak::FileSystem& Fs() { return pak::DefaultFileSystem(); }

DWORD Attributes(const std::filesystem::path& path) { return ::GetFileAttributesW(path.c_str()); }
void AddAttributes(const std::filesystem::path& path, DWORD attributes) {
  ASSERT_TRUE(::SetFileAttributesW(path.c_str(), Attributes(path) | attributes));
}

TEST(Win32FileSystem, ListsOrdinaryFilesOnlyByTheirAttributes) {
  TempDir dir;
  WriteFile(dir / "plain.ogg", std::string("1"));
  WriteFile(dir / "hidden.ogg", std::string("2"));
  AddAttributes(dir / "hidden.ogg", FILE_ATTRIBUTE_HIDDEN);
  WriteFile(dir / "system.ogg", std::string("3"));
  AddAttributes(dir / "system.ogg", FILE_ATTRIBUTE_SYSTEM);
  WriteFile(dir / "locked.ogg", std::string("4"));
  AddAttributes(dir / "locked.ogg", FILE_ATTRIBUTE_READONLY);
  std::filesystem::create_directory(dir / "sub.ogg");
  auto names = Fs().ListFiles(dir.path());
  ASSERT_TRUE(names.ok()) << names.status().message();
  std::sort(names->begin(), names->end());
  EXPECT_EQ(*names, (Names{u"locked.ogg", u"plain.ogg"}));

  auto missing = Fs().ListFiles(dir / "absent");
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.status().kind(), pak::Status::Kind::kIoError);
  EXPECT_EQ(missing.status().error_number(), ERROR_PATH_NOT_FOUND);
}

TEST(Win32FileSystem, CreateReplacesReadOnlyAndHiddenFiles) {
  TempDir dir;
  for (DWORD attribute : {DWORD{FILE_ATTRIBUTE_READONLY}, DWORD{FILE_ATTRIBUTE_HIDDEN}}) {
    const auto path = dir / "FilesList.txt";
    WriteFile(path, std::string("an old and longer list"));
    AddAttributes(path, attribute);
    auto file = Fs().Create(path);
    ASSERT_TRUE(file.ok()) << file.status().message();
    const std::string text = "new";
    ASSERT_TRUE((*file)->Append({reinterpret_cast<const std::uint8_t*>(text.data()), 3}).ok());
    ASSERT_TRUE((*file)->Close().ok());
    EXPECT_EQ(ReadFile(path), (Bytes{'n', 'e', 'w'}));
    EXPECT_EQ(Attributes(path) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
  }
}

TEST(Win32FileSystem, ExtractionReplacesReadOnlyFilesAndLeavesNoHiddenOnes) {
  TempDir dir;
  WriteFile(dir / "a.ogg", std::string(100, 'x'));
  AddAttributes(dir / "a.ogg", FILE_ATTRIBUTE_READONLY);
  auto archive = pak::ParsePak(MakeArchive({{u"a.wav", {7}}, {u"b.bin", {8, 9}}}));
  ASSERT_TRUE(archive.ok());
  ASSERT_TRUE(pak::ExtractAll(Fs(), *archive, dir.path(), pak::Windows1252()).ok());
  EXPECT_EQ(ReadFile(dir / "a.ogg"), (Bytes{7}));
  EXPECT_EQ(ReadFile(dir / "b.bin"), (Bytes{8, 9}));
  // Every file there is an ordinary one, and nothing else is left behind.
  std::vector<std::wstring> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(entry.path().filename().wstring());
    EXPECT_EQ(Attributes(entry.path()) & FILE_ATTRIBUTE_HIDDEN, 0u) << entry.path();
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"FilesList.txt", L"a.ogg", L"b.bin"}));
}

TEST(Win32FileSystem, PackingReplacesAReadOnlyArchiveWithAnOrdinaryFile) {
  TempDir dir;
  std::filesystem::create_directory(dir / "in");
  WriteFile(dir / "in" / "a.ogg", Bytes{1, 2, 3});
  const auto target = dir / "out.pak";
  WriteFile(target, std::string("old archive"));
  AddAttributes(target, FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(pak::PackFolder(Fs(), dir / "in", Names{u"a.ogg"}, target).ok());
  auto archive = pak::ParsePak(ReadFile(target));
  ASSERT_TRUE(archive.ok());
  EXPECT_EQ((*archive)[0].name, u"a.ogg");
  EXPECT_EQ(Attributes(target) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY), 0u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            2);  // in and out.pak: no temporary file left
}

TEST(Win32FileSystem, RemoveDeletesReadOnlyFilesAndReportsTheSystemError) {
  TempDir dir;
  WriteFile(dir / "x", std::string("1"));
  AddAttributes(dir / "x", FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(Fs().Remove(dir / "x").ok());
  EXPECT_FALSE(std::filesystem::exists(dir / "x"));
  const pak::Status gone = Fs().Remove(dir / "x");
  EXPECT_EQ(gone.kind(), pak::Status::Kind::kIoError);
  EXPECT_EQ(gone.error_number(), ERROR_FILE_NOT_FOUND);
  EXPECT_NE(gone.message().find("Cannot delete"), std::string::npos) << gone.message();
}

TEST(Win32FileSystem, NamesOutsideTheCodePageAndLongPathsRoundTrip) {
  TempDir dir;
  // Cyrillic and a character beyond the BMP: no ANSI code page of a western system has them.
  const std::u16string name = u"\u0436\u0443\u043a \U0001F600.ogg";
  // A folder path past MAX_PATH, made with the prefix that lifts the limit.
  std::wstring long_folder = dir.path().wstring();
  while (long_folder.size() < 300) {
    long_folder += L"\\" + std::wstring(40, L'd');
    ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + long_folder).c_str(), nullptr))
        << ::GetLastError();
  }
  const std::filesystem::path deep(long_folder);

  for (const std::filesystem::path& folder : {dir.path(), deep}) {
    SCOPED_TRACE(folder.native().size());
    auto out = Fs().Create(pak::JoinPath(folder, name));
    ASSERT_TRUE(out.ok()) << out.status().message();
    ASSERT_TRUE((*out)->Append(Bytes{4, 2}).ok());
    ASSERT_TRUE((*out)->Close().ok());
    auto names = Fs().ListFiles(folder);
    ASSERT_TRUE(names.ok()) << names.status().message();
    EXPECT_NE(std::find(names->begin(), names->end(), name), names->end());
    auto bytes = Fs().ReadWholeFile(pak::JoinPath(folder, name));
    ASSERT_TRUE(bytes.ok()) << bytes.status().message();
    EXPECT_EQ(*bytes, (Bytes{4, 2}));
    EXPECT_TRUE(Fs().Remove(pak::JoinPath(folder, name)).ok());
  }
  for (auto path = deep; path != dir.path(); path = path.parent_path()) {
    ::RemoveDirectoryW((L"\\\\?\\" + path.wstring()).c_str());
  }
}

TEST(AnsiCodePage, IsTheSystemCodePageAndMarksWhatItLacks) {
  const pak::CodePage& page = pak::SystemCodePage();
  const std::u16string ascii = u"sound_01.ogg";
  EXPECT_EQ(page.Encode(ascii), "sound_01.ogg");
  EXPECT_EQ(page.Decode("sound_01.ogg"), ascii);
  if (::GetACP() == 1252) {
    EXPECT_EQ(page.Encode(u"na\u00efve \u20ac"), "na\xefve \x80");
    EXPECT_EQ(page.Decode("na\xefve \x80"), u"na\u00efve \u20ac");
    // No best fit: a Polish L with stroke is not a plain L, which would name another file.
    EXPECT_EQ(page.Encode(u"\u0141odz.ogg"), "?odz.ogg");
  }
  // Lines survive, and an empty text stays empty.
  EXPECT_EQ(page.Decode("a\r\nb\r\n"), u"a\r\nb\r\n");
  EXPECT_EQ(page.Encode(u""), "");
}

}  // namespace
