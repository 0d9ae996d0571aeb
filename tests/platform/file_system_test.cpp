// The whole-file operations of the real file service, on disk.
#include <gtest/gtest.h>

#include <functional>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/file_system.h"
#include "platform/rt_error.h"
#include "support/temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

int ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& e) {
    return e.Number();
  }
  return 0;
}

void MakeReadOnly(const fs::path& path) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

// The folder of a file, whose entry a save flushes: the root keeps its
// separator, or the flush would go to the current folder instead.
TEST(Path, ParentKeepsTheRoot) {
#ifdef _WIN32
  const std::wstring cases[][2] = {
      {L"C:\\gba\\QuimbelAdvance.ini", L"C:\\gba"},
      {L"C:\\QuimbelAdvance.ini", L"C:\\"},
      {L"QuimbelAdvance.ini", L""},
  };
#else
  const std::string cases[][2] = {
      {"/gba/QuimbelAdvance.ini", "/gba"},
      {"/QuimbelAdvance.ini", "/"},
      {"QuimbelAdvance.ini", ""},
  };
#endif
  for (const auto& c : cases) EXPECT_EQ(Path(c[0]).Parent().Native(), c[1]);
}

// The \\?\ form a file call needs for a path of MAX_PATH characters or more
// on a Windows without long path support: learn.microsoft.com, "Maximum Path
// Length Limitation" (MAX_PATH is 260 with the terminating null) and "File
// path formats on Windows systems" (\\?\ skips normalization; a UNC path's
// root is \\server\share; ".." never goes above the root).
TEST(Path, LongPathsTakeTheFormEveryWindowsAccepts) {
  // Names of "d"s, 100 at most, that make `head`, them and `tail` exactly
  // `size` characters long.
  const auto middle = [](const std::wstring& head, std::size_t size, const std::wstring& tail) {
    std::wstring names(size - head.size() - tail.size(), L'd');
    for (std::size_t i = 100; i + 1 < names.size(); i += 101) names[i] = L'\\';
    return names;
  };
  const std::wstring tail = L"\\x.ini";
  const auto sized = [&](const std::wstring& head, std::size_t size) {
    return head + middle(head, size, tail) + tail;
  };
  const std::wstring d259 = sized(L"C:\\", 259), d260 = sized(L"C:\\", 260),
                     d261 = sized(L"C:\\", 261), unc = sized(L"\\\\server\\share\\", 260),
                     relative = sized(L"gba\\", 300), given = L"\\\\?\\" + sized(L"C:/.\\", 300),
                     device = L"\\\\.\\" + sized(L"C:\\", 300);
  const std::wstring dots = middle(L"C:/", 300, L"/./y/../x.ini"), filler(260, L'd');
  const struct {
    const char* name;
    std::wstring path, form;
  } cases[] = {
      {"259 characters", d259, d259},
      {"260 characters", d260, L"\\\\?\\" + d260},
      {"261 characters", d261, L"\\\\?\\" + d261},
      {"share", unc, L"\\\\?\\UNC\\" + unc.substr(2)},
      {"share, forward slashes", L"//server/share/" + filler,
       L"\\\\?\\UNC\\server\\share\\" + filler},
      {"\".\", \"..\" and \"/\"", L"C:/" + dots + L"/./y/../x.ini",
       L"\\\\?\\C:\\" + dots + L"\\x.ini"},
      {"\"..\" above a drive's root", L"C:\\..\\..\\" + filler + tail,
       L"\\\\?\\C:\\" + filler + tail},
      {"\"..\" above a share's root", L"\\\\server\\share\\..\\..\\" + filler,
       L"\\\\?\\UNC\\server\\share\\" + filler},
      {"a folder, with its separator", L"D:\\" + filler + L"\\", L"\\\\?\\D:\\" + filler + L"\\"},
      {"the root", L"C:\\" + std::wstring(300, L'\\'), L"\\\\?\\C:\\"},
      {"relative", relative, relative},
      {"given in the \\\\?\\ form", given, given},
      {"a device", device, L"\\\\?\\" + device.substr(4)},
      {"a device, \"//./\"", L"//./C:/" + filler + L"/./y/../x.ini",
       L"\\\\?\\C:\\" + filler + L"\\x.ini"},
      {"a device, \"//?/\"", L"//?/C:/" + filler + L"/x.ini", L"\\\\?\\C:\\" + filler + L"\\x.ini"},
      {"a device share", L"\\\\.\\UNC\\server\\share\\..\\" + filler,
       L"\\\\?\\UNC\\server\\share\\" + filler},
      {"trailing periods and spaces", L"C:\\" + filler + L"\\gba.\\a..\\x.ini. .",
       L"\\\\?\\C:\\" + filler + L"\\gba\\a..\\x.ini"},
      {"a folder named with a trailing space", L"C:\\" + filler + L"\\gba \\",
       L"\\\\?\\C:\\" + filler + L"\\gba \\"},
      {"rooted on the current drive", L"\\" + filler, L"\\" + filler},
      {"relative to a drive's current folder", L"C:" + filler, L"C:" + filler},
      {"short, with \"..\"", L"C:\\gba\\..\\x.ini", L"C:\\gba\\..\\x.ini"},
  };
  for (const auto& c : cases) EXPECT_EQ(LongPathForm(c.path), c.form) << c.name;
}

TEST(FileSystem, FileExistsMeansAFileNotAFolder) {
  TempFolder folder;
  auto& files = RealFileSystem();
  fs::create_directory(folder / "dir.ini");
  WriteBytes(folder / "file.ini", "x");
  EXPECT_TRUE(files.FileExists(folder / "file.ini"));
  EXPECT_FALSE(files.FileExists(folder / "dir.ini"));
  EXPECT_FALSE(files.FileExists(folder / "none.ini"));
}

TEST(FileSystem, ReplaceTakesTheNewContentInOneStep) {
  TempFolder folder("Ünïcødé folder 文件夹");
  auto& files = RealFileSystem();
  WriteBytes(folder / "target.ini", "old");
  WriteBytes(folder / "temp.ini", "new");
  files.ReplaceFile(folder / "temp.ini", folder / "target.ini");
  EXPECT_EQ(ReadBytes(folder / "target.ini"), "new");
  EXPECT_FALSE(fs::exists(folder / "temp.ini"));

#ifndef _WIN32
  // The settings file keeps its own permissions: one only its owner may
  // read stays so.
  for (fs::perms kept : {fs::perms::owner_read | fs::perms::owner_write,
                         fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read}) {
    fs::permissions(folder / "target.ini", kept);
    WriteBytes(folder / "temp.ini", "newer");
    fs::permissions(folder / "temp.ini", fs::perms::owner_read | fs::perms::owner_write |
                                             fs::perms::group_read | fs::perms::others_read);
    files.ReplaceFile(folder / "temp.ini", folder / "target.ini");
    EXPECT_EQ(fs::status(folder / "target.ini").permissions(), kept);
  }
#endif

  // A missing target is simply created.
  WriteBytes(folder / "temp.ini", "fresh");
  files.ReplaceFile(folder / "temp.ini", folder / "other.ini");
  EXPECT_EQ(ReadBytes(folder / "other.ini"), "fresh");
}

TEST(FileSystem, ReplaceRefusesAReadOnlyTarget) {
  TempFolder folder;
  WriteBytes(folder / "target.ini", "protected");
  WriteBytes(folder / "temp.ini", "new");
  MakeReadOnly(folder / "target.ini");
  EXPECT_EQ(ErrorNumberOf(
                [&] { RealFileSystem().ReplaceFile(folder / "temp.ini", folder / "target.ini"); }),
            kPermissionDenied);
  EXPECT_EQ(ReadBytes(folder / "target.ini"), "protected");
}

TEST(FileSystem, DeleteReportsAMissingFile) {
  TempFolder folder;
  EXPECT_EQ(ErrorNumberOf([&] { RealFileSystem().DeleteFile(folder / "none.ini"); }),
            kFileNotFound);
}

TEST(FileSystem, FindNormalFileGivesTheStoredName) {
  TempFolder folder;
  auto& files = RealFileSystem();
  WriteBytes(folder / "quimbeladvance.exe", "x");
  fs::create_directory(folder / "Folder.exe");
  EXPECT_EQ(files.FindNormalFile(folder / "QuimbelAdvance.exe"), fs::path("quimbeladvance.exe"));
  EXPECT_EQ(files.FindNormalFile(folder / "Folder.exe"), fs::path());
  EXPECT_EQ(files.FindNormalFile(folder / "None.exe"), fs::path());
}

#ifdef _WIN32
TEST(FileSystem, HiddenAndSystemFilesAreNotNormal) {
  TempFolder folder;
  auto& files = RealFileSystem();
  WriteBytes(folder / "Hidden.exe", "x");
  WriteBytes(folder / "System.exe", "x");
  ::SetFileAttributesW((folder / "Hidden.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ::SetFileAttributesW((folder / "System.exe").c_str(), FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(files.FindNormalFile(folder / "Hidden.exe"), fs::path());
  EXPECT_EQ(files.FindNormalFile(folder / "System.exe"), fs::path());
}

TEST(FileSystem, AFileHeldWithoutSharingIsPermissionDenied) {
  TempFolder folder;
  WriteBytes(folder / "held.ini", "content");
  WriteBytes(folder / "temp.ini", "new");
  HANDLE held = ::CreateFileW((folder / "held.ini").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  auto& files = RealFileSystem();
  EXPECT_EQ(
      ErrorNumberOf([&] { files.OpenTextFile(folder / "held.ini", IOMode::kForReading, false); }),
      kPermissionDenied);
  EXPECT_EQ(ErrorNumberOf([&] { files.ReplaceFile(folder / "temp.ini", folder / "held.ini"); }),
            kPermissionDenied);
  ::CloseHandle(held);
  EXPECT_EQ(ReadBytes(folder / "held.ini"), "content");
}
#else
TEST(FileSystem, DotFilesAreNotNormal) {
  TempFolder folder;
  WriteBytes(folder / ".QuimbelAdvance.exe", "x");
  EXPECT_EQ(RealFileSystem().FindNormalFile(folder / ".QuimbelAdvance.exe"), fs::path());
}
#endif

}  // namespace
}  // namespace platform
