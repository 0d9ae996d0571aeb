// Loading the three settings from files on disk.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "settings/modQuimbel.h"
#include "support/settings_fixture.h"

namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;
using modQuimbel::gBiosPath;
using modQuimbel::gDebugMenu;
using modQuimbel::gSound;
using testing_support::kBiosLine;

class LoadSettingsTest : public testing_support::SettingsTest {
 protected:
  void ExpectSevere(int number, const std::string& description) {
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].text, "A severe problem occured.\r\nNumber " +
                                          std::to_string(number) + "\r\nDescription " +
                                          description);
    EXPECT_EQ(host_.messages[0].style, 16);
    EXPECT_EQ(host_.messages[0].title, "Quimbel Advance starter");
    EXPECT_TRUE(host_.ended);
  }
};

TEST_F(LoadSettingsTest, ReadsTheThreeSettingsByTheLineRules) {
  const struct {
    const char* name;
    std::string file;
    const char* debug;
    const char* sound;
    std::string bios;
  } cases[] = {
      {"typical file",
       "[Emulator]\r\nSoundEnable              1\r\nDebugMenuEnable          0\r\n" +
           std::string(kBiosLine) + "\r\nFrameSkip                2\r\n",
       "0", "1", "C:\\gba\\gba_bios.gba"},
      {"no recognised line", "Foo=1\r\nsoundenable              1\r\n", "", "", ""},
      {"trailing space leaves the switch unset", "SoundEnable              1 \r\n", "", "", ""},
      {"a word leaves the switch unset", "DebugMenuEnable=yes\r\n", "", "", ""},
      {"last of two lines wins", "SoundEnable              1\r\nSoundEnable              0\r\n", "",
       "0", ""},
      {"ignored value keeps the earlier one",
       "SoundEnable              1\r\nSoundEnable              x\r\n", "", "1", ""},
      {"empty stored path", "BIOSRom                  \"\"\r\n", "", "", ""},
      {"longer key taken for BIOSRom", "BIOSRomX                 <abc>\r\n", "", "", "abc"},
      {"LF ends and no final terminator", "DebugMenuEnable          1\nSoundEnable              1",
       "1", "1", ""},
      {"NUL and high bytes kept in the path", "BIOSRom                  \"C:\\\xe9\0x.gba\"\r\n"s,
       "", "", "C:\\\xe9\0x.gba"s},
  };
  for (const auto& c : cases) {
    testing_support::ResetSettings();
    WriteSettings(c.file);
    modQuimbel::LoadSettings();
    EXPECT_EQ(gDebugMenu, c.debug) << c.name;
    EXPECT_EQ(gSound, c.sound) << c.name;
    EXPECT_EQ(gBiosPath, c.bios) << c.name;
  }
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_FALSE(host_.ended);
}

TEST_F(LoadSettingsTest, MissingFileIsReportedAndTheProgramGoesOn) {
  gSound = "1";
  modQuimbel::LoadSettings();
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text,
            "Cannot find QuimbelAdvance.ini file.\r\n\r\nExtract QuimbelAdvance.exe and run it "
            "at least once before using this utility.");
  EXPECT_EQ(host_.messages[0].style, 16);
  EXPECT_EQ(host_.messages[0].title, "Quimbel Advance starter");
  EXPECT_FALSE(host_.ended);
  EXPECT_EQ(gSound, "1");
  EXPECT_FALSE(fs::exists(SettingsPath()));

  // Seen by the existence test, then removed by another program before the
  // open: the same message, and no empty file made in its place.
  struct GoneBeforeTheOpen : testing_support::PlainFileSystem {
    using PlainFileSystem::PlainFileSystem;
    bool FileExists(const platform::Path&) override { return true; }
  } gone(folder_.Path());
  modQuimbel::Bind(host_, gone);
  modQuimbel::LoadSettings();
  ASSERT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(host_.messages[1].text, host_.messages[0].text);
  EXPECT_FALSE(host_.ended);
  EXPECT_FALSE(fs::exists(SettingsPath()));
}

TEST_F(LoadSettingsTest, ShortBiosLineIsASevereProblem) {
  WriteSettings("SoundEnable              1\r\nBIOSRom                  \"\r\n");
  modQuimbel::LoadSettings();
  ExpectSevere(5, "Invalid procedure call or argument");
}

TEST_F(LoadSettingsTest, ReadFailureIsASevereProblem) {
  WriteSettings("SoundEnable              1\r\nDebugMenuEnable          1\r\n");
  files_.FailAt(4, platform::kDeviceIO);  // exists, open, at end, then the first read
  modQuimbel::LoadSettings();
  ExpectSevere(57, "Device I/O error");
  EXPECT_EQ(gSound, "");
}

TEST_F(LoadSettingsTest, PastEndOfFileSkipsTheFailingStep) {
  WriteSettings("SoundEnable              1\r\nDebugMenuEnable          1\r\n");
  // The second read fails: the current line stays the first one, so only
  // the sound switch is taken, and nothing is reported.
  files_.FailAt(6, platform::kPastEndOfFile);
  modQuimbel::LoadSettings();
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_FALSE(host_.ended);
  EXPECT_EQ(gSound, "1");
  EXPECT_EQ(gDebugMenu, "");

  // Failing always must not loop for ever.
  testing_support::ResetSettings();
  files_.FailAt(3, platform::kPastEndOfFile, true);
  modQuimbel::LoadSettings();
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(LoadSettingsTest, UnicodeFolder) {
  testing_support::TempFolder unicode("Ünïcødé 文件夹 ☃");
  testing_support::FaultyFileSystem files(platform::RealFileSystem(), unicode.Path());
  modQuimbel::Bind(host_, files);
  testing_support::WriteBytes(unicode / "QuimbelAdvance.ini", "SoundEnable              1\r\n");
  modQuimbel::LoadSettings();
  EXPECT_EQ(gSound, "1");
  EXPECT_TRUE(host_.messages.empty());
}

#ifdef _WIN32
TEST_F(LoadSettingsTest, FileHeldWithoutSharingIsASevereProblem) {
  WriteSettings("SoundEnable              1\r\n");
  HANDLE held = ::CreateFileW(SettingsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  modQuimbel::LoadSettings();
  ::CloseHandle(held);
  ExpectSevere(70, "Permission denied");
}
#endif

}  // namespace
