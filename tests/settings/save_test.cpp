// Saving through files on disk: only the three setting lines change, and a
// failed save leaves the settings file exactly as it was.
#include <gtest/gtest.h>

#include <functional>

#ifdef _WIN32
#include <windows.h>

#include <thread>

#include "support/as_windows.h"
#else
#include "support/syscall_log.h"
#endif

#include "settings/modQuimbel.h"
#include "support/settings_fixture.h"

namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;
using testing_support::kBiosLine;

const std::string kTypical =
    "[Emulator]\r\n"
    "FrameSkip                2\r\n"
    "SoundEnable              1\r\n"
    "DebugMenuEnable          0\r\n" +
    std::string(kBiosLine) +
    "\r\n"
    "soundenable              1\r\n"
    "LastRom                  \"D:\\roms\\game.gba\"\r\n";

class SaveSettingsTest : public testing_support::SettingsTest {
 protected:
  // Saves, expecting a failure; returns its error number.
  int SaveFails() {
    try {
      modQuimbel::SaveSettings();
    } catch (const platform::RuntimeError& e) {
      return e.Number();
    }
    ADD_FAILURE() << "the save did not fail";
    return 0;
  }
  void ExpectButtonUntouched() {
    EXPECT_EQ(host_.caption, "&Save");
    EXPECT_TRUE(host_.enabled);
  }
};

TEST_F(SaveSettingsTest, RewritesOnlyTheThreeSettingLines) {
  const struct {
    const char* name;
    std::string before;
    int debug, sound;
    std::string bios;
    std::string after;
  } cases[] = {
      {"typical file", kTypical, 1, 0, "E:\\new bios.gba",
       "[Emulator]\r\nFrameSkip                2\r\nSoundEnable              0\r\n"
       "DebugMenuEnable          1\r\nBIOSRom                  \"E:\\new bios.gba\"\r\n"
       "soundenable              1\r\nLastRom                  \"D:\\roms\\game.gba\"\r\n"},
      {"switch lines rebuilt to 26 characters", "SoundEnable=yes\r\nDebugMenuEnableX   1  \r\n", 0,
       1, "", "SoundEnable              1\r\nDebugMenuEnable          0\r\n"},
      {"missing key stays missing", "SoundEnable              0\r\n", 1, 1, "x",
       "SoundEnable              1\r\n"},
      {"two lines of one key both rewritten",
       "SoundEnable              0\r\nA\r\nSoundEnable              1\r\n", 0, 1, "",
       "SoundEnable              1\r\nA\r\nSoundEnable              1\r\n"},
      {"empty text box empties the path", std::string(kBiosLine) + "\r\n", 0, 0, "",
       "BIOSRom                  \"\"\r\n"},
      {"empty stored path takes the typed one", "BIOSRom                  <>\r\n", 0, 0,
       "C:\\b.gba", "BIOSRom                  <C:\\b.gba>\r\n"},
      {"LF ends, no final terminator, NUL and high bytes", "a\nb\xe9\0c\nlast"s, 0, 0, "",
       "a\r\nb\xe9\0c\r\nlast\r\n"s},
      {"lone CR stays inside its line", "a\rb\r\n", 0, 0, "", "a\rb\r\n"},
      {"empty file stays empty", "", 1, 1, "x", ""},
      {"plain lines around the 256 KiB block",
       std::string(262142, 'p') + "\r\n\nplain\n" + std::string(262143, 'q') +
           "\nSoundEnable              0\r\n\r\r\nlast",
       0, 1, "",
       std::string(262142, 'p') + "\r\n\r\nplain\r\n" + std::string(262143, 'q') +
           "\r\nSoundEnable              1\r\n\r\r\nlast\r\n"},
  };
  // Through the one-line-at-a-time path and through the bulk copy alike.
  testing_support::PlainFileSystem plain(folder_.Path());
  for (platform::FileSystem* files :
       {static_cast<platform::FileSystem*>(&files_), static_cast<platform::FileSystem*>(&plain)})
    for (const auto& c : cases) {
      modQuimbel::Bind(host_, *files);
      WriteSettings(c.before);
      host_.debugMenu = c.debug;
      host_.sound = c.sound;
      host_.bios = c.bios;
      host_.caption = "&Save";
      host_.enabled = true;
      modQuimbel::SaveSettings();
      EXPECT_EQ(Settings(), c.after) << c.name;
      EXPECT_EQ(host_.caption, "Saved") << c.name;
      EXPECT_FALSE(host_.enabled) << c.name;
      EXPECT_FALSE(fs::exists(TempPath())) << c.name;
    }
}

// The switches take the values written; the BIOS path keeps the one the file held.
TEST_F(SaveSettingsTest, SwitchStringsTakeTheSavedValuesAndTheBiosPathTheStoredOne) {
  WriteSettings(kTypical);
  host_.debugMenu = 1;
  host_.sound = 0;
  host_.bios = "E:\\new.gba";
  modQuimbel::SaveSettings();
  EXPECT_EQ(modQuimbel::gDebugMenu, "1");
  EXPECT_EQ(modQuimbel::gSound, "0");
  EXPECT_EQ(modQuimbel::gBiosPath, "C:\\gba\\gba_bios.gba");  // as stored before the save
}

// temp.ini is the program's own scratch file, and one left by an earlier
// failed save may be anything. The save replaces it; it never writes through
// it into another file or passes its attributes on to the settings file.
TEST_F(SaveSettingsTest, LeftOverTempFileIsReplacedNotWrittenThrough) {
#ifdef _WIN32
  testing_support::ImportHook hook(&::DeleteFileW, &as_windows::DeleteRefusingReadOnly);
#endif
  const fs::path other = folder_ / "other.txt";
  const std::string otherBytes = "another program's file\r\n";
  const struct {
    const char* name;
    std::function<void()> leave;
  } cases[] = {
      {"plain file", [&] { testing_support::WriteBytes(TempPath(), "left over\r\n"); }},
      {"hard link to another file",
       [&] {
         testing_support::WriteBytes(other, otherBytes);
         fs::create_hard_link(other, TempPath());
       }},
#ifdef _WIN32
      {"read-only file",
       [&] {
         testing_support::WriteBytes(TempPath(), "left over\r\n");
         ::SetFileAttributesW(TempPath().c_str(), FILE_ATTRIBUTE_READONLY);
       }},
      {"read-only, hidden and system file",
       [&] {
         testing_support::WriteBytes(TempPath(), "left over\r\n");
         ::SetFileAttributesW(TempPath().c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                      FILE_ATTRIBUTE_SYSTEM);
       }},
#else
      {"symbolic link to another file",
       [&] {
         testing_support::WriteBytes(other, otherBytes);
         fs::create_symlink(other, TempPath());
       }},
#endif
  };
  for (const auto& c : cases) {
    fs::remove(other);
    WriteSettings(kTypical);
    c.leave();
    host_.sound = 0;
    modQuimbel::SaveSettings();
    EXPECT_NE(Settings().find("SoundEnable              0\r\n"), std::string::npos) << c.name;
    EXPECT_EQ(Settings().find("left over"), std::string::npos) << c.name;
    EXPECT_FALSE(fs::exists(fs::symlink_status(TempPath()))) << c.name;
    if (fs::exists(other)) {
      EXPECT_EQ(testing_support::ReadBytes(other), otherBytes) << c.name;
    }
#ifdef _WIN32
    EXPECT_EQ(::GetFileAttributesW(SettingsPath().c_str()) &
                  (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              0u)
        << c.name;
    // The next save must work as well.
    modQuimbel::SaveSettings();
#endif
  }

  // A folder of that name cannot be replaced: the save fails and says so.
  fs::remove(other);
  WriteSettings(kTypical);
  fs::create_directory(TempPath());
  EXPECT_NE(SaveFails(), 0);
  EXPECT_EQ(Settings(), kTypical);
  EXPECT_TRUE(fs::is_directory(TempPath()));
}

TEST_F(SaveSettingsTest, MissingFileIsNotCreated) {
  try {
    modQuimbel::SaveSettings();
    FAIL() << "saved without a settings file";
  } catch (const modQuimbel::SettingsFileMissing& e) {
    EXPECT_EQ(e.Number(), 53);
  }
  EXPECT_FALSE(fs::exists(SettingsPath()));
  EXPECT_FALSE(fs::exists(TempPath()));
  ExpectButtonUntouched();
}

TEST_F(SaveSettingsTest, RefusalsLeaveTheFileAsItWas) {
  const struct {
    const char* name;
    std::string before;
    std::string bios;
    int number;
  } cases[] = {
      {"BIOSRom line of 26 characters",
       "SoundEnable              1\r\nBIOSRom                  \"\r\n", "x", 5},
      {"path with a line feed", kTypical, "C:\\a\nSoundEnable              1", 5},
      {"path with a carriage return", kTypical, "C:\\a\rb", 5},
      {"path with a NUL", kTypical, "C:\\a\0b"s, 5},
  };
  for (const auto& c : cases) {
    WriteSettings(c.before);
    host_.bios = c.bios;
    host_.sound = 0;
    EXPECT_EQ(SaveFails(), c.number) << c.name;
    EXPECT_EQ(Settings(), c.before) << c.name;
    EXPECT_FALSE(fs::exists(TempPath())) << c.name;
    ExpectButtonUntouched();
  }
}

TEST_F(SaveSettingsTest, ReadOnlyFileIsNeverReplaced) {
  WriteSettings(kTypical);
  fs::permissions(SettingsPath(),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  host_.sound = 0;
  EXPECT_EQ(SaveFails(), 70);
  EXPECT_EQ(Settings(), kTypical);
  EXPECT_FALSE(fs::exists(TempPath()));
  ExpectButtonUntouched();
}

TEST_F(SaveSettingsTest, FailureAtEveryStepLeavesTheFileAsItWas) {
  WriteSettings(kTypical);
  host_.sound = 0;
  host_.debugMenu = 1;
  host_.bios = "E:\\new.gba";
  modQuimbel::SaveSettings();
  const std::string saved = Settings();
  const int operations = files_.Operations();
  const std::vector<std::string> log = files_.Log();
  ASSERT_GT(operations, 10);

  for (bool always : {false, true}) {
    for (int n = 1; n <= operations; ++n) {
      testing_support::FaultyFileSystem files(platform::RealFileSystem(), folder_.Path());
      modQuimbel::Bind(host_, files);
      WriteSettings(kTypical);
      host_.caption = "&Save";
      host_.enabled = true;
      files.FailAt(n, platform::kDeviceIO, always);
      const std::string where = log[n - 1] + (always ? " (always)" : " (once)");
      EXPECT_EQ(SaveFails(), 57) << where;
      EXPECT_EQ(Settings(), kTypical) << where;
      ExpectButtonUntouched();
      // Only when the clean-up fails as well may a temporary file stay.
      if (!always) {
        EXPECT_FALSE(fs::exists(TempPath())) << where;
      }
    }
  }
  EXPECT_NE(saved, kTypical);
}

TEST_F(SaveSettingsTest, UnicodeFolder) {
  testing_support::TempFolder unicode("Ünïcødé 文件夹 ☃");
  testing_support::FaultyFileSystem files(platform::RealFileSystem(), unicode.Path());
  modQuimbel::Bind(host_, files);
  testing_support::WriteBytes(unicode / "QuimbelAdvance.ini", "SoundEnable              0\r\n");
  host_.sound = 1;
  modQuimbel::SaveSettings();
  EXPECT_EQ(testing_support::ReadBytes(unicode / "QuimbelAdvance.ini"),
            "SoundEnable              1\r\n");
}

#ifndef _WIN32
// The new content reaches the disk before it takes the settings file's name:
// the last write to the temporary file, then its flush, its close, and only
// then the rename. Without the flush a power cut could leave an empty file.
TEST_F(SaveSettingsTest, NewContentIsOnDiskBeforeTheReplace) {
  WriteSettings(kTypical);
  host_.sound = 0;
  testing_support::StartSyscallLog();
  modQuimbel::SaveSettings();
  const auto calls = testing_support::StopSyscallLog();
  int lastWrite = -1, flush = -1, close = -1, rename = -1, tempFd = -1;
  for (int i = 0; i < static_cast<int>(calls.size()); ++i) {
    const auto& call = calls[i];
    if (call.name == "write") {
      lastWrite = i;
      tempFd = call.fd;
    } else if (call.name == "fsync" && call.fd == tempFd && flush < 0) {
      flush = i;
    } else if (call.name == "close" && call.fd == tempFd && close < 0) {
      close = i;
    } else if (call.name == "rename" && call.to == SettingsPath().string()) {
      rename = i;
    }
  }
  ASSERT_GE(lastWrite, 0);
  EXPECT_LT(lastWrite, flush);
  EXPECT_LT(flush, close);
  EXPECT_LT(close, rename);
}
#endif

#ifdef _WIN32
// A virus scanner or indexer that holds a file for a moment does not make
// the save fail: the settings file, held while it is to be replaced, or a
// left-over temp.ini, held (allowing deletion) after it was removed.
TEST_F(SaveSettingsTest, AMomentaryHoldIsWaitedOut) {
  const struct {
    bool temp;
    DWORD share;
    int ms;
  } cases[] = {
      {false, FILE_SHARE_READ | FILE_SHARE_WRITE, 150},
      {true, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 300},
  };
  for (const auto& c : cases) {
    WriteSettings(kTypical);
    if (c.temp) testing_support::WriteBytes(TempPath(), "left over");
    HANDLE held = ::CreateFileW((c.temp ? TempPath() : SettingsPath()).c_str(), GENERIC_READ,
                                c.share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([&] {
      ::Sleep(c.ms);
      ::CloseHandle(held);
    });
    host_.sound = 0;
    int failed = 0;
    try {
      modQuimbel::SaveSettings();
    } catch (const platform::RuntimeError& e) {
      failed = e.Number();
    }
    release.join();
    EXPECT_EQ(failed, 0) << (c.temp ? "temp.ini" : "settings file");
    EXPECT_NE(Settings().find("SoundEnable              0\r\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(TempPath()));
  }
  // Windows reports such a hold as a sharing violation (Wine as access
  // denied): that too is waited out.
  testing_support::ImportHook hook(&::MoveFileExW, &as_windows::MoveWhileHeld);
  as_windows::sharingViolations = 3;
  WriteSettings(kTypical);
  EXPECT_NO_THROW(modQuimbel::SaveSettings());
  EXPECT_EQ(as_windows::sharingViolations, 0);
  EXPECT_NE(Settings().find("SoundEnable              0\r\n"), std::string::npos);
}

// A temp.ini that another program's hold keeps pending deletion when the
// save starts (a save of a moment before, a virus scanner) is waited out as
// one removed during the save is; a hold that lasts fails the save within
// a bounded time, with its message and the settings file as it was.
TEST_F(SaveSettingsTest, ATempFilePendingDeletionIsWaitedOutForAMomentOnly) {
  // A refusal that is no pending deletion (creating not allowed there) fails
  // at once rather than being waited out.
  const struct {
    DWORD heldMs;
    LONG status;
    int error;
    int maxCreates;  // tries to make the file while it is refused
  } cases[] = {{300, as_windows::kStatusDeletePending, 0, 20},
               {5000, as_windows::kStatusDeletePending, platform::kPermissionDenied, 20},
               {5000, as_windows::kStatusAccessDenied, platform::kPermissionDenied, 1}};
  for (const auto& c : cases) {
    WriteSettings(kTypical);
    host_.sound = 0;
    const ULONGLONG start = ::GetTickCount64();
    int failed = 0;
    {
      as_windows::PendingDeletion pending(L"temp.ini", c.heldMs, c.status);
      try {
        modQuimbel::SaveSettings();
      } catch (const platform::RuntimeError& e) {
        failed = e.Number();
      }
    }
    EXPECT_EQ(failed, c.error) << c.heldMs;
    EXPECT_LT(::GetTickCount64() - start, 3000u) << c.heldMs;
    EXPECT_LE(as_windows::PendingDeletion::refusedCreates, c.maxCreates) << c.status;
    EXPECT_EQ(Settings() == kTypical, c.error != 0) << c.heldMs;
    EXPECT_FALSE(fs::exists(TempPath()));
  }
}

// Windows without long path support (7, 8.1, and 10 or 11 without the
// LongPathsEnabled policy) refuses a path of MAX_PATH characters or more to
// every file call unless it comes in the \\?\ form; Wine takes any.
TEST_F(SaveSettingsTest, AFolderDeeperThanMaxPathIsSaved) {
  fs::path deep = folder_.Path();
  while (deep.native().size() <= 260) deep /= std::wstring(100, L'd');
  fs::create_directories(deep);
  testing_support::FaultyFileSystem files(platform::RealFileSystem(), deep);
  modQuimbel::Bind(host_, files);
  testing_support::WriteBytes(deep / "QuimbelAdvance.ini", kTypical);
  testing_support::WriteBytes(deep / "temp.ini", "left over");
  host_.sound = 0;
  {
    as_windows::WithoutLongPathSupport windows7;
    EXPECT_NO_THROW(modQuimbel::SaveSettings());
    // A typed path, with its "." and "..", names the same file; so does one
    // rooted on the current drive, or relative to that drive's current folder.
    const std::wstring typed = deep.native() + L"/./x\\..\\QuimbelAdvance.ini";
    wchar_t current[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, current);
    ::SetCurrentDirectoryW(typed.substr(0, 3).c_str());
    for (const std::wstring& form :
         {typed, typed.substr(2), typed.substr(0, 2) + typed.substr(3)}) {
      EXPECT_EQ(platform::RealFileSystem().Inspect(platform::Path(form)).kind,
                platform::PathInfo::kFile)
          << form.substr(0, 12);
    }
    ::SetCurrentDirectoryW(current);
  }
  EXPECT_GT(as_windows::WithoutLongPathSupport::longFormCalls, 0);
  const std::string saved = testing_support::ReadBytes(deep / "QuimbelAdvance.ini");
  EXPECT_NE(saved.find("SoundEnable              0\r\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(deep / "temp.ini"));
  // The standard library cannot walk a folder this deep to remove it.
  for (const char* name : {"QuimbelAdvance.ini", "temp.ini"})
    ::DeleteFileW((L"\\\\?\\" + (deep / name).native()).c_str());
  for (; deep != folder_.Path(); deep = deep.parent_path())
    ::RemoveDirectoryW((L"\\\\?\\" + deep.native()).c_str());
}

TEST_F(SaveSettingsTest, SettingsFileKeepsItsOwnAttributes) {
  constexpr DWORD kShown = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  for (DWORD attributes :
       {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM},
        DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE}, DWORD{FILE_ATTRIBUTE_NORMAL}}) {
    WriteSettings(kTypical);
    ::SetFileAttributesW(SettingsPath().c_str(), attributes);
    const DWORD before = ::GetFileAttributesW(SettingsPath().c_str()) & kShown;
    host_.sound = 0;
    modQuimbel::SaveSettings();
    EXPECT_EQ(::GetFileAttributesW(SettingsPath().c_str()) & kShown, before) << attributes;
    EXPECT_NE(Settings(), kTypical);
    ::SetFileAttributesW(SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST_F(SaveSettingsTest, FileHeldByAnotherProgramIsLeftAlone) {
  WriteSettings(kTypical);
  for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
    HANDLE held = ::CreateFileW(SettingsPath().c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    host_.sound = 0;
    EXPECT_EQ(SaveFails(), 70) << "share " << share;
    ::CloseHandle(held);
    EXPECT_EQ(Settings(), kTypical);
    EXPECT_FALSE(fs::exists(TempPath()));
  }
}
#endif

}  // namespace
