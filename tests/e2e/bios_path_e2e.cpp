// The real quimbel.exe under Wine: the BIOS path from a dropped file, and the
// word it says about a path that names no BIOS image.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "e2e/driver.h"
#include "window/form_layout.h"

namespace {

using e2e::Text;
using window::Ctl;

const std::string kFile =
    "SoundEnable              1\r\nDebugMenuEnable          0\r\n"
    "BIOSRom                  \"C:\\gba\\gba_bios.gba\"\r\n";

using e2e::Control;

class BiosPath : public e2e::ProgramTest {
 protected:
  BiosPath() : ProgramTest(kFile) {}

  // The text of the program's balloon tip while it shows, or empty.
  std::wstring Balloon() {
    for (HWND tip : starter_->TopWindows(TOOLTIPS_CLASSW)) {
      if (::GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON) return Text(tip);
    }
    return {};
  }
  std::wstring Native(const std::string& name) { return (folder_ / name).native(); }
};

TEST_F(BiosPath, OneDroppedFileFillsTheBoxAndEnablesSave) {
  testing_support::WriteBytes(folder_ / "gba_bios.bin", std::string(16384, 'b'));
  testing_support::WriteBytes(folder_ / "other.bin", "x");
  HWND main = Open();
  ASSERT_NE(main, nullptr);
  // Two files, or a folder: nothing changes, the splash stays.
  e2e::DropFiles(main, {Native("gba_bios.bin"), Native("other.bin")});
  e2e::DropFiles(main, {folder_.Path().native()});
  EXPECT_TRUE(::IsWindowVisible(Control(main, Ctl::Picture1)));
  EXPECT_EQ(::SendMessageW(Control(main, Ctl::SSTab1), TCM_GETCURSEL, 0, 0), 0);

  // One file: its path, the Options tab, Save enabled, no word for a BIOS.
  e2e::DropFiles(main, {Native("gba_bios.bin")});
  HWND box = Control(main, Ctl::txtBios), save = Control(main, Ctl::cmdSaveSettings);
  EXPECT_EQ(Text(box), Native("gba_bios.bin"));
  EXPECT_TRUE(::IsWindowEnabled(save));
  EXPECT_EQ(::SendMessageW(Control(main, Ctl::SSTab1), TCM_GETCURSEL, 0, 0), 1);
  EXPECT_FALSE(::IsWindowVisible(Control(main, Ctl::Picture1)));
  EXPECT_TRUE(::IsWindowVisible(box));
  EXPECT_EQ(Balloon(), L"");
  EXPECT_EQ(folder_.Settings(), kFile);  // a drop saves nothing
}

TEST_F(BiosPath, SavingAPathThatNamesNoBiosImageSaysWhy) {
  testing_support::WriteBytes(folder_ / "game.gba", std::string(4 * 1024 * 1024, 'g'));
  testing_support::WriteBytes(folder_ / "gba_bios.bin", std::string(16384, 'b'));
  HWND main = Open();
  ASSERT_NE(main, nullptr);
  e2e::SelectTab(e2e::PastSplash(main), 1);
  HWND box = Control(main, Ctl::txtBios), save = Control(main, Ctl::cmdSaveSettings);
  const struct {
    std::wstring path;
    std::wstring word;
  } cases[] = {
      {Native("game.gba"), L"This file is 4 MB; a GBA BIOS image is 16 KB."},
      {Native("missing.bin"), L"No file at this path."},
      {Native("gba_bios.bin"), L""},
  };
  for (const auto& c : cases) {
    e2e::Type(box, c.path);
    e2e::Click(save);
    ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindowEnabled(save); }));
    if (c.word.empty()) {
      EXPECT_EQ(Balloon(), L"");
    } else {
      EXPECT_TRUE(e2e::WaitFor([&] { return Balloon() == c.word; })) << Balloon();
    }
    // The word changes nothing of what the save writes.
    EXPECT_EQ(folder_.Settings(),
              "SoundEnable              1\r\nDebugMenuEnable          0\r\n"
              "BIOSRom                  \"" +
                  std::string(c.path.begin(), c.path.end()) + "\"\r\n");
  }
}

// With UTF-8 as the system code page (a Unicode-only locale; ctest runs
// these apart under one): a typed path is stored as its UTF-8 bytes, and a
// stored path whose bytes are no UTF-8 (0xE9, written under code page 1252)
// keeps them through a save that only toggled a switch.
TEST(Utf8SystemCodePage, PathsAreStoredAsUtf8AndUndecodableOnesKept) {
  if (::GetACP() != CP_UTF8) GTEST_SKIP() << "code page " << ::GetACP();
  const std::string kept = "BIOSRom                  \"C:\\jeux\\\xE9t\xE9.gba\"\r\n";
  e2e::EmulatorFolder folder;
  folder.WriteSettings("DebugMenuEnable          0\r\n" + kept);
  e2e::Starter starter(folder.Path());
  HWND main = starter.MainWindow();
  ASSERT_NE(main, nullptr);
  e2e::SelectTab(e2e::PastSplash(main), 1);
  ASSERT_TRUE(e2e::WaitFor([&] { return ::IsWindowVisible(Control(main, Ctl::Frame2)) != FALSE; }));
  HWND save = Control(main, Ctl::cmdSaveSettings);
  auto saved = [&] { return e2e::WaitFor([&] { return !::IsWindowEnabled(save); }); };

  e2e::Click(Control(main, Ctl::Check1));
  ASSERT_TRUE(e2e::WaitFor([&] { return ::IsWindowEnabled(save) != FALSE; }));
  e2e::Click(save);
  ASSERT_TRUE(saved());
  EXPECT_EQ(folder.Settings(), "DebugMenuEnable          1\r\n" + kept);

  // A character typed and deleted again leaves the path as it was loaded.
  HWND box = Control(main, Ctl::txtBios);
  ::SendMessageW(box, WM_CHAR, L'x', 0);
  ::SendMessageW(box, WM_CHAR, VK_BACK, 0);
  ASSERT_TRUE(e2e::WaitFor([&] { return ::IsWindowEnabled(save) != FALSE; }));
  e2e::Click(save);
  ASSERT_TRUE(saved());
  EXPECT_EQ(folder.Settings(), "DebugMenuEnable          1\r\n" + kept);

  e2e::Type(Control(main, Ctl::txtBios), L"C:\\\u30b2\u30fc\u30e0\\bios.gba");
  e2e::Click(save);
  ASSERT_TRUE(saved());
  EXPECT_EQ(folder.Settings(),
            "DebugMenuEnable          1\r\n"
            "BIOSRom                  \"C:\\\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0\\bios.gba\"\r\n");
}

}  // namespace
