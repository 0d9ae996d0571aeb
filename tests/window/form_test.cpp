// The main window's handlers against a fake window and real files.
#include <gtest/gtest.h>

#include "platform/path.h"
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
  FormTest() : files_(platform::RealFileSystem(), folder_.Path()), form_(view_, files_, view_) {
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
  // Each kind of edit alone enables Save.
  for (auto edit : {&window::frmQuimbel::Check1_Click, &window::frmQuimbel::Check2_Click,
                    &window::frmQuimbel::txtBios_Change}) {
    form_.Form_Load();
    ASSERT_FALSE(SaveEnabled());
    (form_.*edit)();
    EXPECT_TRUE(SaveEnabled());
  }

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
    window::frmQuimbel form(view, files_, view);
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
  for (const std::string name : {"", "quimbeladvance.exe"})
    for (Ctl option : {Ctl::kForm, Ctl::Option1, Ctl::Option2, Ctl::Option3}) {
      testing_support::TempFolder folder;
      testing_support::FaultyFileSystem files(platform::RealFileSystem(), folder.Path());
      if (!name.empty()) WriteBytes(folder / name, "MZ");
      FakeView view;
      window::frmQuimbel form(view, files, view);
      if (option != Ctl::kForm) view.value[option] = 1;
      form.Command1_Click();
      ASSERT_EQ(view.messages.size(), 1u) << name << " option " << static_cast<int>(option);
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

// A refusal the system gives a reason for says that reason of the emulator.
TEST_F(FormTest, FailedStartIsShownAndNothingEnds) {
  AddEmulator();
  using platform::StartRefused;
  const struct {
    std::function<void()> failure;
    const char* text;
  } cases[] = {
      {[] { throw platform::RuntimeError(5); },
       "The emulator could not be started.\r\nNumber 5\r\nDescription Invalid procedure "
       "call or argument"},
      {[] { throw StartRefused(70, StartRefused::kElevationRefused); },
       "The emulator could not be started.\r\nNumber 70\r\nDescription Permission denied: the "
       "emulator asks for administrator rights, and they were not given"},
      {[] { throw StartRefused(76, StartRefused::kPathTooLong); },
       "The emulator could not be started.\r\nNumber 76\r\nDescription Path not found: the "
       "emulator's path is longer than the 259 characters Windows can start a program from"},
  };
  for (const auto& c : cases) {
    view_.messages.clear();
    view_.startFailure = c.failure;
    view_.value[Ctl::Option3] = 1;
    form_.Command1_Click();
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].text, c.text);
    EXPECT_EQ(view_.messages[0].style, 16);
    EXPECT_EQ(view_.messages[0].title, "Quimbel Advance starter");
    EXPECT_FALSE(view_.ended);
  }
}

// The word about a BIOS path after a save: what the path names, in one
// sentence; nothing for a 16 KB file, an empty box, or a path the save
// itself refuses.
TEST_F(FormTest, SavingAPathThatNamesNoBiosImageSaysWhy) {
  WriteBytes(folder_ / "bios.gba", std::string(16384, 'b'));
  WriteBytes(folder_ / "game.gba", std::string(4 * 1024 * 1024, 'g'));
  WriteBytes(folder_ / "odd.bin", std::string(16385, 'o'));
  WriteBytes(folder_ / "tiny.bin", "x");
  WriteBytes(folder_ / "short.bin", std::string(123, 's'));
  fs::create_directory(folder_ / "roms");
  const std::string in = platform::Path(folder_.Path() / "").Utf8();
  const struct {
    std::string path;
    std::string tip;
  } cases[] = {
      {in + "bios.gba", ""},
      {in + "game.gba", "This file is 4 MB; a GBA BIOS image is 16 KB."},
      {in + "odd.bin", "This file is 16,385 bytes; a GBA BIOS image is 16 KB."},
      {in + "tiny.bin", "This file is 1 byte; a GBA BIOS image is 16 KB."},
      {in + "short.bin", "This file is 123 bytes; a GBA BIOS image is 16 KB."},
      {in + "missing.gba", "No file at this path."},
      {in + "roms", "This is a folder; the path must name the BIOS image file."},
      {"", ""},
#ifdef _WIN32
      {in + "\xE6\x96\x87.gba", ""},  // refused by the save, with its own message
#endif
  };
  for (const auto& c : cases) {
    WriteSettings(kFile);
    form_.Form_Load();
    view_.text[Ctl::txtBios] = c.path;
    form_.txtBios_Change();
    form_.cmdSaveSettings_Click();
    EXPECT_EQ(view_.tip, c.tip) << c.path;
    if (c.tip.empty() && !view_.messages.empty()) {
      EXPECT_EQ(view_.messages.back().text.substr(0, 32), "The settings could not be saved.");
    }
    // The word never changes what is saved.
    if (view_.messages.empty()) {
      EXPECT_NE(Settings().find("BIOSRom                  \"" + c.path + "\"\r\n"),
                std::string::npos)
          << c.path;
    }
    form_.txtBios_Change();  // typing takes the word away
    EXPECT_EQ(view_.tip, "");
    view_.messages.clear();
  }
#ifdef _WIN32
  // A file without a BIOSRom line stores no path, so the save succeeds; a
  // path that the file could not hold gets no word either.
  WriteSettings("SoundEnable              1\r\n");
  form_.Form_Load();
  view_.text[Ctl::txtBios] = in + "\xE6\x96\x87.gba";
  form_.txtBios_Change();
  form_.cmdSaveSettings_Click();
  EXPECT_TRUE(view_.messages.empty());
  EXPECT_EQ(view_.tip, "");
#endif
}

TEST_F(FormTest, OneDroppedFileFillsTheBiosBoxAndCountsAsAnEdit) {
  WriteSettings(kFile);
  WriteBytes(folder_ / "bios.gba", std::string(16384, 'b'));
  WriteBytes(folder_ / "big.gba", std::string(20000, 'g'));
  fs::create_directory(folder_ / "roms");
  const std::string bios = platform::Path(folder_ / "bios.gba").Utf8();
  const std::string big = platform::Path(folder_ / "big.gba").Utf8();
  WriteBytes(folder_ / "\u6587.bin", std::string(123, 'x'));
  const std::string unstorable = platform::Path(folder_ / "\u6587.bin").Utf8();
  const struct {
    const char* name;
    std::vector<std::string> dropped;
    bool taken;
    std::string tip;
  } cases[] = {
      {"a BIOS image", {bios}, true, ""},
      {"another file", {big}, true, "This file is 20,000 bytes; a GBA BIOS image is 16 KB."},
      {"two files", {bios, big}, false, ""},
      {"a folder", {platform::Path(folder_ / "roms").Utf8()}, false, ""},
      {"nothing", {}, false, ""},
#ifdef _WIN32
      // Not for the word: the save says that the settings file cannot hold it.
      {"a file the settings file cannot hold", {unstorable}, true, ""},
#endif
  };
  for (const auto& c : cases) {
    FakeView view;
    window::frmQuimbel form(view, files_, view);
    view.form = &form;
    modQuimbel::Bind(form, files_);
    form.Form_Load();
    const std::string before = view.text[Ctl::txtBios];
    form.Form_FilesDropped(c.dropped);
    EXPECT_EQ(view.text[Ctl::txtBios], c.taken ? c.dropped[0] : before) << c.name;
    EXPECT_EQ(view.enabled[Ctl::cmdSaveSettings], c.taken) << c.name;
    EXPECT_EQ(view.page, c.taken ? 1 : 0) << c.name;
    EXPECT_EQ(view.visible[Ctl::Picture1], !c.taken) << c.name;
    EXPECT_EQ(view.tip, c.tip) << c.name;
  }
  EXPECT_EQ(Settings(), kFile);  // a drop saves nothing
}

TEST(Readme, TwelveLinesWithoutATrailingBreak) {
  EXPECT_EQ(window::ReadmeText(),
            "\xC2\xA9 2001 Pieter Lindhout\r\n"
            "\r\n"
            "This small program is meant to be a start-facility for the Quimbel Advance as made "
            "by Ned Quimbel.\r\n"
            "\r\n"
            "It automates the settings of:\r\n"
            "1) debug menu on/off;\r\n"
            "2) sound enable on/off;\r\n"
            "3) the path and file name of the GBA BIOS.\r\n"
            "\r\n"
            "Untill now these settings had to be done manualy (according to the F.A.Q. on "
            "http://quimbeladvance.example/faq.html).\r\n"
            "\r\n"
            "Hope you find this facility easy to use.");
}

// Every control's container, text and place, as the window was designed.
TEST(Layout, EveryControlWhereItWasDesigned) {
  // Beyond its kind: the splash tells of clicks and lies above the pages, as
  // its label tells of clicks; the first option starts the options' group;
  // the label that names the BIOS box lies beneath the box where the two
  // overlap.
  using window::kClicks, window::kGroupStart, window::kNamesTextBox, window::kOnTop, window::kPlain,
      window::kWraps;
  const struct {
    Ctl id;
    Ctl parent;
    const char* text;
    int left, top, width, height;
    unsigned traits;
  } expected[] = {
      {Ctl::SSTab1, Ctl::kForm, "", 0, 0, 5175, 2415, kPlain},
      {Ctl::Picture1, Ctl::SSTab1, "", 0, 0, 5265, 2415, kClicks | kOnTop},
      {Ctl::Label2, Ctl::Picture1, "Click to start.", 3360, 2040, 1095, 255, kClicks},
      {Ctl::Frame4, Ctl::SSTab1, "", 120, 360, 4935, 1935, kPlain},
      {Ctl::Option1, Ctl::Frame4, "Start Quimbel Advance", 240, 360, 1935, 195, kGroupStart},
      {Ctl::Option3, Ctl::Frame4, "Start Quimbel Advance and Exit", 240, 720, 2775, 195, kPlain},
      {Ctl::Option2, Ctl::Frame4, "Exit", 240, 1080, 615, 195, kPlain},
      {Ctl::Command1, Ctl::Frame4, "&Ok", 3840, 1440, 975, 375, kPlain},
      {Ctl::Frame2, Ctl::SSTab1, "", 120, 360, 4935, 1935, kPlain},
      {Ctl::Check1, Ctl::Frame2, "Debug menu", 240, 240, 1215, 255, kPlain},
      {Ctl::Check2, Ctl::Frame2, "Sound", 240, 600, 1455, 255, kPlain},
      {Ctl::Label1, Ctl::Frame2, "GBA BIOS", 240, 960, 975, 255, kNamesTextBox},
      {Ctl::txtBios, Ctl::Frame2, "", 1080, 960, 3735, 285, kPlain},
      {Ctl::cmdSaveSettings, Ctl::Frame2, "&Save", 3960, 1440, 855, 375, kPlain},
      {Ctl::Frame5, Ctl::SSTab1, "", 120, 360, 4935, 1935, kPlain},
      {Ctl::lblCopyRight, Ctl::Frame5, "...", 120, 240, 4455, 1215, kWraps},
      {Ctl::Label3, Ctl::Frame5, "version 1.0 - tested on Quimbel Advance 0.7+", 120, 1560, 3615,
       255, kPlain},
      {Ctl::cmdReadme, Ctl::Frame5, "&Read me", 3840, 1440, 975, 375, kPlain},
  };
  ASSERT_EQ(std::size(expected), window::kControls.size());
  for (const auto& e : expected) {
    const auto& c = window::LayoutOf(e.id);
    EXPECT_EQ(c.parent, e.parent) << c.name;
    EXPECT_EQ(c.text, e.text) << c.name;
    EXPECT_EQ(c.left, e.left) << c.name;
    EXPECT_EQ(c.top, e.top) << c.name;
    EXPECT_EQ(c.width, e.width) << c.name;
    EXPECT_EQ(c.height, e.height) << c.name;
    EXPECT_EQ(c.traits, e.traits) << c.name;
  }
  EXPECT_EQ(window::LayoutOf(Ctl::txtBios).tooltip,
            "Must be the full path where the BIOS is located. The extension must be GBA.");
  EXPECT_EQ(window::kClientWidth, 5190);
  EXPECT_EQ(window::kClientHeight, 2430);
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
