// The Windows file system and the ANSI code page: attributes, read-only and hidden files, names
// outside the code page, long paths, and the workflows on top of them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "codec/file_system.h"
#include "codec/names.h"
#include "codec/reader.h"
#include "codec/text.h"
#include "codec/workflow.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;  // the shared test helpers and fakes
using Names = std::vector<std::u16string>;

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

// Links made with CreateSymbolicLinkW: a file link inside packs, one out of the folder is held
// back, and a dangling link or a link to a folder is left out with its reason.
TEST(Win32FileSystem, SortsLinksByWhereTheyLead) {
  TempDir dir;
  std::filesystem::create_directory(dir / "in");
  WriteFile(dir / "secret", std::string("key"));
  WriteFile(dir / "in" / "a.ogg", std::string("1"));
  std::filesystem::create_directory(dir / "in" / "sub");
  const auto link = [&](const char* name, const std::filesystem::path& target, DWORD flags) {
    return ::CreateSymbolicLinkW((dir / "in" / name).c_str(), target.c_str(),
                                 flags | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0;
  };
  if (!link("same.ogg", dir / "in" / "a.ogg", 0)) {
    GTEST_SKIP() << "no symbolic links here (error " << ::GetLastError() << ")";
  }
  // Wine makes the links, but its directory listing then shows none of them as the kinds
  // Windows reports; what it shows is still to be looked at.
  if (::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr) {
    GTEST_SKIP() << "Wine lists symbolic links otherwise than Windows";
  }
  ASSERT_TRUE(link("out", dir / "secret", 0));
  ASSERT_TRUE(link("gone", dir / "missing", 0));
  ASSERT_TRUE(link("folder", dir / "in" / "sub", SYMBOLIC_LINK_FLAG_DIRECTORY));
  auto listing = Fs().ListFolder(dir / "in");
  ASSERT_TRUE(listing.ok()) << listing.status().message();
  std::sort(listing->files.begin(), listing->files.end());
  EXPECT_EQ(listing->files, (Names{u"a.ogg", u"same.ogg"}));
  EXPECT_EQ(listing->outside_links, Names{u"out"});
  std::sort(listing->left_out.begin(), listing->left_out.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  EXPECT_EQ(listing->left_out,
            (std::vector<pak::LeftOutFile>{{u"folder", pak::LeftOutReason::kLinkToFolder},
                                           {u"gone", pak::LeftOutReason::kDanglingLink}}));
  EXPECT_TRUE(Fs().LeadsOutside(dir / "in", u"out"));
  EXPECT_FALSE(Fs().LeadsOutside(dir / "in", u"same.ogg"));
}

TEST(Win32FileSystem, PublishReplacesReadOnlyAndHiddenFiles) {
  TempDir dir;
  for (DWORD attribute : {DWORD{FILE_ATTRIBUTE_READONLY}, DWORD{FILE_ATTRIBUTE_HIDDEN}}) {
    const auto path = dir / "FilesList.txt";
    WriteFile(path, std::string("an old and longer list"));
    AddAttributes(path, attribute);
    auto file = Fs().CreateUnnamed(path);
    ASSERT_TRUE(file.ok()) << file.status().message();
    const std::string text = "new";
    ASSERT_TRUE((*file)->Append({reinterpret_cast<const std::uint8_t*>(text.data()), 3}).ok());
    ASSERT_TRUE(Fs().Publish(std::move(file).value(), path).ok());
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
    auto out = Fs().CreateUnnamed(pak::JoinPath(folder, name));
    ASSERT_TRUE(out.ok()) << out.status().message();
    ASSERT_TRUE((*out)->Append(Bytes{4, 2}).ok());
    ASSERT_TRUE(Fs().Publish(std::move(out).value(), pak::JoinPath(folder, name)).ok());
    auto names = Fs().ListFiles(folder);
    ASSERT_TRUE(names.ok()) << names.status().message();
    EXPECT_NE(std::find(names->begin(), names->end(), name), names->end());
    auto bytes = Fs().ReadWholeFile(pak::JoinPath(folder, name));
    ASSERT_TRUE(bytes.ok()) << bytes.status().message();
    EXPECT_EQ(*bytes, (Bytes{4, 2}));
    // The stamp that tells whether a file changed is taken at any length of path too.
    const auto stamp = pak::StampOf(pak::JoinPath(folder, name));
    ASSERT_TRUE(stamp.has_value());
    EXPECT_EQ(stamp->size, 2u);
    EXPECT_TRUE(Fs().Remove(pak::JoinPath(folder, name)).ok());
  }
  for (auto path = deep; path != dir.path(); path = path.parent_path()) {
    ::RemoveDirectoryW((L"\\\\?\\" + path.wstring()).c_str());
  }
}

// The names in a folder, hidden ones included; also past MAX_PATH.
std::vector<std::wstring> EntriesOf(const std::filesystem::path& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((L"\\\\?\\" + folder.wstring() + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// An unnamed file takes a free name at once and as an ordinary file; a name that is taken is
// left to Publish, which replaces what is there. Nothing but the target is ever left behind, and
// the file lands where the target's path says, also when that path is relative or long.
TEST(Win32FileSystem, UnnamedFilesTakeAFreeNameAtOnceAndOtherwiseReplaceWhatIsThere) {
  enum class There { kNothing, kFile, kReadOnlyFile, kHiddenFile, kFolder };
  enum class Where { kAbsolute, kRelative, kLong };
  const struct {
    const char* what;
    There there;
    Where where = Where::kAbsolute;
  } kCases[] = {
      {"a free name", There::kNothing},
      {"a free name relative to the current folder", There::kNothing, Where::kRelative},
      {"a free name past MAX_PATH", There::kNothing, Where::kLong},
      {"an ordinary file", There::kFile},
      {"an ordinary file, relative", There::kFile, Where::kRelative},
      {"an ordinary file past MAX_PATH", There::kFile, Where::kLong},
      {"a read-only file", There::kReadOnlyFile},
      {"a hidden file", There::kHiddenFile},
      {"a folder", There::kFolder},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    std::filesystem::path folder = dir.path();
    // The temporary folder is removed without the prefix that long paths need: empty it first.
    struct LongFolderRemover {
      const std::filesystem::path& top;
      std::filesystem::path folder;
      ~LongFolderRemover() {
        for (const wchar_t* name : {L"a.bin", L"b.bin"}) {
          const std::wstring path = L"\\\\?\\" + (folder / name).wstring();
          ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          ::DeleteFileW(path.c_str());
          ::RemoveDirectoryW(path.c_str());
        }
        for (auto path = folder; path != top && path.has_relative_path();
             path = path.parent_path()) {
          ::RemoveDirectoryW((L"\\\\?\\" + path.wstring()).c_str());
        }
      }
    } remover{dir.path(), dir.path()};
    if (c.where == Where::kLong) {
      std::wstring long_folder = dir.path().wstring();
      while (long_folder.size() < 300) {
        long_folder += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + long_folder).c_str(), nullptr));
      }
      folder = long_folder;
      remover.folder = folder;
    }
    const std::filesystem::path before = std::filesystem::current_path();
    if (c.where == Where::kRelative) std::filesystem::current_path(dir.path());
    const pak::Path target = c.where == Where::kRelative ? pak::Path(L"a.bin") : folder / "a.bin";
    const std::filesystem::path real = folder / "a.bin";
    if (c.there == There::kFolder) {
      ASSERT_TRUE(::CreateDirectoryW(real.c_str(), nullptr));
    } else if (c.there != There::kNothing) {
      WriteFile(real, std::string("an older and longer file"));
      if (c.there == There::kReadOnlyFile) AddAttributes(real, FILE_ATTRIBUTE_READONLY);
      if (c.there == There::kHiddenFile) AddAttributes(real, FILE_ATTRIBUTE_HIDDEN);
    }

    auto file = Fs().CreateUnnamed(target);
    ASSERT_TRUE(file.ok()) << file.status().message();
    ASSERT_NE(*file, nullptr);
    ASSERT_TRUE((*file)->Append(Bytes{1, 2, 3}).ok());
    auto named = Fs().PublishNew(*file, target);
    ASSERT_TRUE(named.ok()) << named.status().message();
    using NewName = pak::FileSystem::NewName;
    EXPECT_EQ(*named, c.there == There::kNothing ? NewName::kGiven : NewName::kTaken);
    EXPECT_EQ(*file == nullptr, *named == NewName::kGiven);
    if (*named != NewName::kGiven) {
      if (c.there != There::kFolder) {
        EXPECT_EQ(ReadFile(real).size(), 24u);  // untouched so far
      }
      const pak::Status published = Fs().Publish(std::move(*file), target);
      EXPECT_EQ(published.ok(), c.there != There::kFolder) << published.message();
    }
    std::filesystem::current_path(before);
    if (c.there != There::kFolder) {
      EXPECT_EQ(ReadFile(real), (Bytes{1, 2, 3}));
      EXPECT_EQ(Attributes(real) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY), 0u);
    }
    EXPECT_EQ(EntriesOf(folder), (std::vector<std::wstring>{L"a.bin"}));

    // Closed without a name, an unnamed file leaves nothing.
    auto dropped = Fs().CreateUnnamed(folder / "b.bin");
    ASSERT_TRUE(dropped.ok()) << dropped.status().message();
    ASSERT_TRUE((*dropped)->Append(Bytes{4}).ok());
    EXPECT_TRUE((*dropped)->Close().ok());
    dropped->reset();
    EXPECT_EQ(EntriesOf(folder), (std::vector<std::wstring>{L"a.bin"}));
  }
}

// Extracting over an earlier extraction replaces every file; an entry whose name a folder holds
// fails, and no temporary is left behind.
TEST(Win32FileSystem, ExtractionOverAnEarlierOneAndOverAFolder) {
  TempDir dir;
  auto archive = pak::ParsePak(MakeArchive({{u"a.bin", {1}}, {u"b.bin", {2}}, {u"c.bin", {3}}}));
  ASSERT_TRUE(archive.ok());
  ASSERT_TRUE(pak::ExtractAll(Fs(), *archive, dir.path(), pak::Windows1252()).ok());
  auto again = pak::ParsePak(MakeArchive({{u"a.bin", {4}}, {u"b.bin", {5}}, {u"c.bin", {6}}}));
  ASSERT_TRUE(again.ok());
  ASSERT_TRUE(pak::ExtractAll(Fs(), *again, dir.path(), pak::Windows1252()).ok());
  EXPECT_EQ(ReadFile(dir / "a.bin"), (Bytes{4}));
  EXPECT_EQ(ReadFile(dir / "c.bin"), (Bytes{6}));
  EXPECT_EQ(EntriesOf(dir.path()),
            (std::vector<std::wstring>{L"FilesList.txt", L"a.bin", L"b.bin", L"c.bin"}));

  TempDir other;
  ASSERT_TRUE(::CreateDirectoryW((other / "b.bin").c_str(), nullptr));
  const pak::Status status = pak::ExtractAll(Fs(), *archive, other.path(), pak::Windows1252());
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("b.bin"), std::string::npos) << status.message();
  EXPECT_EQ(ReadFile(other / "a.bin"), (Bytes{1}));
  EXPECT_EQ(ReadFile(other / "FilesList.txt"), (Bytes{'a', '.', 'b', 'i', 'n', '\r', '\n'}));
  for (const auto& name : EntriesOf(other.path())) {
    EXPECT_FALSE(name.starts_with(L".")) << name;
    EXPECT_EQ(Attributes(other.path() / name) & FILE_ATTRIBUTE_HIDDEN, 0u) << name;
  }
}

TEST(Win32FileSystem, AShortNameNeverReplacesTheFileItAliases) {
  TempDir dir;
  WriteFile(dir / "a long file name.ogg", std::string("old"));
  wchar_t alias[MAX_PATH] = {};
  ASSERT_NE(::GetShortPathNameW((dir / "a long file name.ogg").c_str(), alias, MAX_PATH), 0u);
  const std::filesystem::path short_name = std::filesystem::path(alias).filename();
  if (short_name == L"a long file name.ogg") GTEST_SKIP() << "no short names here";
  // The alias's form is refused as an entry name, and by name a file is never moved onto it.
  EXPECT_NE(pak::EntryNameFault(short_name.u16string(), pak::NameRules::kWindows), nullptr)
      << short_name.string();
  WriteFile(dir / "new.ogg", std::string("new"));
  const pak::Status moved = Fs().Replace(dir / "new.ogg", dir.path() / short_name);
  EXPECT_EQ(moved.kind(), pak::Status::Kind::kRefused) << moved.message();
  EXPECT_EQ(ReadFile(dir / "a long file name.ogg"), (Bytes{'o', 'l', 'd'}));
  // The long name itself is replaced as ever.
  ASSERT_TRUE(Fs().Replace(dir / "new.ogg", dir / "A LONG FILE NAME.ogg").ok());
  EXPECT_EQ(ReadFile(dir / "a long file name.ogg"), (Bytes{'n', 'e', 'w'}));
}

TEST(Win32FileSystem, AHiddenTemporaryOfALongNameKeepsItsCharactersWhole) {
  // 119 letters and then a character outside the BMP: a cut at 120 units would split it.
  TempDir dir;
  std::u16string name(119, u'n');
  name += u"\U0001F3B5\U0001F3B5.ogg";
  const Bytes archive = MakeArchive({{name, {1, 2}}});
  WriteFile(dir / "in.pak", archive);
  auto opened = pak::OpenPakFile(Fs(), dir / "in.pak");
  ASSERT_TRUE(opened.ok()) << opened.status().message();
  std::filesystem::create_directory(dir / "x");
  WriteFile(dir / "x" / pak::PathFromUtf16(name), std::string("old"));  // a file to replace
  const pak::Status status = pak::ExtractAll(Fs(), *opened, dir / "x", pak::SystemCodePage());
  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(ReadFile(dir / "x" / pak::PathFromUtf16(name)), (Bytes{1, 2}));
  pak::Path temp;
  auto file = Fs().CreateTemporary(dir / "x", name, &temp);
  ASSERT_TRUE(file.ok()) << file.status().message();
  ASSERT_TRUE((*file)->Close().ok());
  EXPECT_TRUE(Fs().Remove(temp).ok());
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
