// The main window's handlers against a fake window and real files.
#include <gtest/gtest.h>

#include "support/fake_view.h"
#include "support/fault_fs.h"
#include "support/temp_folder.h"
#include "window/frmQuimbel.h"

namespace {

using testing_support::FakeView;
using testing_support::ReadBytes;
using testing_support::WriteBytes;
using window::Ctl;
namespace fs = std::filesystem;

class FormTest : public ::testing::Test {
 protected:
  FormTest() : files_(platform::RealFileSystem(), folder_.Path()), form_(view_, files_) {
    testing_support::ResetSettings();
    view_.form = &form_;
    modQuimbel::Bind(form_, files_);
  }
  void WriteSettings(const std::string& bytes) {
    WriteBytes(folder_ / "QuimbelAdvance.ini", bytes);
  }
  std::string Settings() { return ReadBytes(folder_ / "QuimbelAdvance.ini"); }
  void AddEmulator(const std::string& name = "QuimbelAdvance.exe") {
    WriteBytes(folder_ / name, "MZ");
  }
  bool SaveEnabled() { return view_.enabled[Ctl::cmdSaveSettings]; }
  std::string SaveCaption() { return view_.text[Ctl::cmdSaveSettings]; }

  testing_support::TempFolder folder_;
  testing_support::FaultyFileSystem files_;
  FakeView view_;
  window::frmQuimbel form_;
};

const std::string kFile =
    "[Emulator]\r\nSoundEnable              1\r\nDebugMenuEnable          1\r\n"
    "BIOSRom                  \"C:\\gba\\bios.gba\"\r\n";

TEST_F(FormTest, LoadShowsTheSettingsWithNothingToSave) {
  WriteSettings(kFile);
  form_.Form_Load();
  EXPECT_EQ(view_.value[Ctl::Check1], 1);
  EXPECT_EQ(view_.value[Ctl::Check2], 1);
  EXPECT_EQ(view_.text[Ctl::txtBios], "C:\\gba\\bios.gba");
  EXPECT_FALSE(SaveEnabled());
  EXPECT_EQ(SaveCaption(), "&Save");
  EXPECT_NE(view_.text[Ctl::lblCopyRight], "...");
  EXPECT_EQ(
      std::count(view_.text[Ctl::lblCopyRight].begin(), view_.text[Ctl::lblCopyRight].end(), '\n'),
      3);
  EXPECT_TRUE(view_.messages.empty());
}

TEST_F(FormTest, LoadLeavesUnsetSwitchesUnchecked) {
  WriteSettings("DebugMenuEnable          0\r\nSoundEnable=on\r\n");
  form_.Form_Load();
  EXPECT_EQ(view_.value[Ctl::Check1], 0);
  EXPECT_EQ(view_.value[Ctl::Check2], 0);

  testing_support::TempFolder empty;
  testing_support::FaultyFileSystem files(platform::RealFileSystem(), empty.Path());
  modQuimbel::Bind(form_, files);
  form_.Form_Load();  // no settings file at all
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0].text.substr(0, 36), "Cannot find QuimbelAdvance.ini file.");
  EXPECT_FALSE(view_.ended);
  EXPECT_EQ(view_.text[Ctl::txtBios], "");
  EXPECT_FALSE(SaveEnabled());
}

TEST_F(FormTest, SaveButtonFollowsEditsAndSaves) {
  WriteSettings(kFile);
  form_.Form_Load();
  // Any edit enables Save, even one that restores the old value.
  view_.text[Ctl::txtBios] += "x";
  form_.txtBios_Change();
  view_.text[Ctl::txtBios].pop_back();
  form_.txtBios_Change();
  EXPECT_TRUE(SaveEnabled());
  EXPECT_EQ(SaveCaption(), "&Save");

  view_.value[Ctl::Check2] = 0;
  form_.Check2_Click();
  form_.cmdSaveSettings_Click();
  EXPECT_FALSE(SaveEnabled());
  EXPECT_EQ(SaveCaption(), "Saved");
  EXPECT_NE(Settings().find("SoundEnable              0\r\n"), std::string::npos);

  form_.Check1_Click();
  EXPECT_TRUE(SaveEnabled());
  EXPECT_EQ(SaveCaption(), "Saved");
}

TEST_F(FormTest, FailedSaveIsShownAndTheEditsStay) {
  WriteSettings(kFile);
  form_.Form_Load();
  view_.text[Ctl::txtBios] = "C:\\new\nline";
  form_.txtBios_Change();
  form_.cmdSaveSettings_Click();
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0].text.substr(0, 63),
            "The settings could not be saved.\r\nNumber 5\r\nDescription Invalid");
  EXPECT_EQ(view_.messages[0].style, 16);
  EXPECT_EQ(view_.messages[0].title, "Quimbel Advance starter");
  EXPECT_FALSE(view_.ended);
  EXPECT_TRUE(SaveEnabled());
  EXPECT_EQ(SaveCaption(), "&Save");
  EXPECT_EQ(view_.text[Ctl::txtBios], "C:\\new\nline");
  EXPECT_EQ(Settings(), kFile);

  // The file vanished since start-up: the missing-file message, no new file.
  fs::remove(folder_ / "QuimbelAdvance.ini");
  form_.cmdSaveSettings_Click();
  ASSERT_EQ(view_.messages.size(), 2u);
  EXPECT_EQ(view_.messages[1].text.substr(0, 36), "Cannot find QuimbelAdvance.ini file.");
  EXPECT_FALSE(fs::exists(folder_ / "QuimbelAdvance.ini"));
  EXPECT_TRUE(SaveEnabled());
}

TEST_F(FormTest, SplashHidesOnTimerOrClick) {
  for (auto hide : {&window::frmQuimbel::Timer1_Timer, &window::frmQuimbel::Picture1_Click,
                    &window::frmQuimbel::Label2_Click}) {
    view_.visible[Ctl::Picture1] = view_.visible[Ctl::Label2] = true;
    (form_.*hide)();
    EXPECT_FALSE(view_.visible[Ctl::Picture1]);
    EXPECT_FALSE(view_.visible[Ctl::Label2]);
    (form_.*hide)();  // later ticks change nothing
    EXPECT_FALSE(view_.visible[Ctl::Picture1]);
  }
}

TEST_F(FormTest, OkCarriesOutTheSelectedAction) {
  const struct {
    const char* name;
    Ctl option;  // kForm: none selected
    std::size_t starts;
    bool ends;
  } cases[] = {
      {"nothing selected", Ctl::kForm, 0, false},
      {"start", Ctl::Option1, 1, false},
      {"exit", Ctl::Option2, 0, true},
      {"start and exit", Ctl::Option3, 1, true},
  };
  AddEmulator();
  for (const auto& c : cases) {
    FakeView view;
    window::frmQuimbel form(view, files_);
    if (c.option != Ctl::kForm) view.value[c.option] = 1;
    form.Command1_Click();
    EXPECT_EQ(view.started.size(), c.starts) << c.name;
    EXPECT_EQ(view.ended, c.ends) << c.name;
    EXPECT_TRUE(view.messages.empty()) << c.name;
    if (c.starts) {
      EXPECT_EQ(view.started[0], folder_ / "QuimbelAdvance.exe");
    }
  }
}

TEST_F(FormTest, OkWithoutTheEmulatorEndsWhateverIsSelected) {
  for (const std::string name : {"", "quimbeladvance.exe"}) {
    testing_support::TempFolder folder;
    testing_support::FaultyFileSystem files(platform::RealFileSystem(), folder.Path());
    if (!name.empty()) WriteBytes(folder / name, "MZ");
    FakeView view;
    window::frmQuimbel form(view, files);
    view.value[Ctl::Option1] = 1;
    form.Command1_Click();
    ASSERT_EQ(view.messages.size(), 1u) << name;
    EXPECT_EQ(view.messages[0].text,
              "Couldn't find the executable QuimbelAdvance.exe\r\nin the same folder as "
              "quimbel.exe\r\nBe sure to have both executables in the same folder\r\nand start "
              "again.");
    EXPECT_EQ(view.messages[0].style, 64);
    EXPECT_EQ(view.messages[0].title, "executable not found");
    EXPECT_TRUE(view.ended);
    EXPECT_TRUE(view.started.empty());
  }
}

TEST_F(FormTest, FailedStartIsShownAndNothingEnds) {
  AddEmulator();
  view_.startError = 5;
  view_.value[Ctl::Option3] = 1;
  form_.Command1_Click();
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0].text,
            "The emulator could not be started.\r\nNumber 5\r\nDescription Invalid procedure "
            "call or argument");
  EXPECT_EQ(view_.messages[0].style, 16);
  EXPECT_FALSE(view_.ended);
}

TEST(Readme, TwelveLinesWithoutATrailingBreak) {
  const std::string text = window::ReadmeText();
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(text.substr(start, at - start));
  lines.push_back(text.substr(start));
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 11);
  for (int empty : {1, 3, 8, 10}) EXPECT_EQ(lines[empty], "") << empty;
  EXPECT_NE(lines[0].find("2001"), std::string::npos);
  EXPECT_EQ(lines[4], "It automates the settings of:");
  EXPECT_EQ(lines[7], "3) the path and file name of the GBA BIOS.");
  EXPECT_NE(lines[9].find("/faq.html)."), std::string::npos);
  EXPECT_EQ(lines[9].substr(0, 25), "Untill now these settings");
  EXPECT_EQ(lines[11], "Hope you find this facility easy to use.");
}

TEST(Layout, KeyboardOrderAndContainers) {
  using window::Ctl;
  const std::array<Ctl, 11> expected = {
      Ctl::SSTab1,          Ctl::cmdReadme, Ctl::Option3, Ctl::Command1, Ctl::Option2, Ctl::Option1,
      Ctl::cmdSaveSettings, Ctl::Check2,    Ctl::txtBios, Ctl::Check1,   Ctl::Picture1};
  EXPECT_EQ(window::FocusOrder(), expected);
  // The splash is 90 twips wider than the tab control it covers.
  EXPECT_EQ(window::LayoutOf(Ctl::Picture1).width - window::LayoutOf(Ctl::SSTab1).width, 90);
  for (const auto& entry : window::kControls) {
    if (entry.parent == Ctl::kForm || entry.id == Ctl::Picture1) continue;
    const auto& parent = window::LayoutOf(entry.parent);
    EXPECT_LE(entry.left + entry.width, parent.width) << entry.name;
    EXPECT_LE(entry.top + entry.height, parent.height) << entry.name;
  }
}

}  // namespace
