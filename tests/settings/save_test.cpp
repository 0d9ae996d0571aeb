// Saving through files on disk: only the three setting lines change, and a
// failed save leaves the settings file exactly as it was.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
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
  };
  for (const auto& c : cases) {
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

TEST_F(SaveSettingsTest, SettingsStringsFollowTheSave) {
  WriteSettings(kTypical);
  host_.debugMenu = 1;
  host_.sound = 0;
  host_.bios = "E:\\new.gba";
  modQuimbel::SaveSettings();
  EXPECT_EQ(modQuimbel::gDebugMenu, "1");
  EXPECT_EQ(modQuimbel::gSound, "0");
  EXPECT_EQ(modQuimbel::gBiosPath, "C:\\gba\\gba_bios.gba");  // as stored before the save
}

TEST_F(SaveSettingsTest, StaleTempFileIsDiscarded) {
  WriteSettings(kTypical);
  testing_support::WriteBytes(TempPath(), "left over from a crash\r\n");
  host_.sound = 1;
  modQuimbel::SaveSettings();
  EXPECT_FALSE(fs::exists(TempPath()));
  EXPECT_EQ(Settings().find("left over"), std::string::npos);
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

#ifdef _WIN32
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
