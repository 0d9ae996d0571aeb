#include "settings/setting_lines.h"

#include <gtest/gtest.h>

#include "platform/rt_error.h"

namespace settings {
namespace {

TEST(SettingLines, RecognisesKeysByTheirFirstCharactersOnly) {
  const struct {
    const char* line;
    LineKind kind;
  } cases[] = {
      {"BIOSRom                  \"C:\\bios.gba\"", LineKind::kBiosRom},
      {"BIOSRomPath=x", LineKind::kBiosRom},
      {"SoundEnable              1", LineKind::kSoundEnable},
      {"SoundEnable=yes", LineKind::kSoundEnable},
      {"DebugMenuEnable          0", LineKind::kDebugMenuEnable},
      {"soundenable              1", LineKind::kOther},
      {"BIOSROM                  \"x\"", LineKind::kOther},
      {"BIOSRo", LineKind::kOther},
      {" SoundEnable              1", LineKind::kOther},
      {"", LineKind::kOther},
  };
  for (const auto& c : cases) EXPECT_EQ(Classify(c.line), c.kind) << c.line;
}

TEST(SettingLines, SwitchValueIsTheLastCharacterWhenItIsOneOrZero) {
  EXPECT_EQ(SwitchValue("SoundEnable              1"), "1");
  EXPECT_EQ(SwitchValue("SoundEnable              0"), "0");
  EXPECT_EQ(SwitchValue("SoundEnable              1 "), "");
  EXPECT_EQ(SwitchValue("SoundEnable=yes"), "");
  EXPECT_EQ(SwitchLine(LineKind::kSoundEnable, true), "SoundEnable              1");
  EXPECT_EQ(SwitchLine(LineKind::kDebugMenuEnable, false), "DebugMenuEnable          0");
  EXPECT_EQ(SwitchLine(LineKind::kDebugMenuEnable, true).size(), 26u);
}

TEST(SettingLines, BiosPathLiesBetweenColumn26AndTheLastCharacter) {
  const std::string line = "BIOSRom                  \"C:\\gba\\bios.gba\"";
  EXPECT_EQ(StoredBiosPath(line), "C:\\gba\\bios.gba");
  EXPECT_EQ(BiosLine(line, "D:\\new.gba"), "BIOSRom                  \"D:\\new.gba\"");
  EXPECT_EQ(BiosLine(line, ""), "BIOSRom                  \"\"");

  const std::string empty = "BIOSRom                  \"\"";  // exactly 27 characters
  EXPECT_EQ(StoredBiosPath(empty), "");
  EXPECT_EQ(BiosLine(empty, "E:\\b.gba"), "BIOSRom                  \"E:\\b.gba\"");

  const std::string tooShort = "BIOSRom                  \"";  // 26 characters
  for (auto action : {+[](const std::string& l) { StoredBiosPath(l); },
                      +[](const std::string& l) { BiosLine(l, "x"); }}) {
    try {
      action(tooShort);
      ADD_FAILURE() << "a 26-character BIOSRom line was accepted";
    } catch (const platform::RuntimeError& e) {
      EXPECT_EQ(e.Number(), platform::kInvalidArgument);
    }
  }
}

TEST(SettingLines, PathsThatWouldSplitALineAreRefused) {
  for (std::string bad : {std::string("a\rb"), std::string("a\nb"), std::string("a\0b", 3)}) {
    try {
      CheckBiosPath(bad);
      ADD_FAILURE() << "accepted a path with a line break or NUL";
    } catch (const platform::RuntimeError& e) {
      EXPECT_EQ(e.Number(), platform::kInvalidArgument);
      EXPECT_NE(e.Description().find("BIOS path"), std::string::npos);
    }
  }
  EXPECT_NO_THROW(CheckBiosPath("C:\\Program Files\\GBA\\bios \xe9.gba"));
}

}  // namespace
}  // namespace settings
