// The real quimbel.exe under Wine: its window, start-up, editing and saving.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "e2e/driver.h"
#include "support/screen_pixel.h"
#include "window/form_layout.h"

namespace {

namespace fs = std::filesystem;
using e2e::Starter;
using e2e::Text;
using window::Ctl;

const std::string kFile =
    "[Emulator]\r\nFrameSkip                2\r\nSoundEnable              1\r\n"
    "DebugMenuEnable          0\r\nBIOSRom                  \"C:\\gba\\gba_bios.gba\"\r\n"
    "LastRom                  \"D:\\roms\\game.gba\"\r\n";

using e2e::Control;

using e2e::Px;

// Hides the splash and returns the tab control.
// Hides the splash and shows every tab once, last the Run tab: a page's
// controls exist from its first showing on.
void ShowEveryPage(HWND main) {
  HWND tab = e2e::PastSplash(main);
  for (int page : {2, 1, 0}) {
    e2e::SelectTab(tab, page);
    const Ctl frame = page == 0 ? Ctl::Frame4 : page == 1 ? Ctl::Frame2 : Ctl::Frame5;
    e2e::WaitFor([&] { return ::IsWindowVisible(Control(main, frame)) != FALSE; });
  }
}

class MainWindow : public e2e::ProgramTest {
 protected:
  MainWindow() : ProgramTest(kFile) {}
};

// Every place and size of the main window at the DPI it was started with.
void ExpectLayout(HWND main, int dpi) {
  ASSERT_NE(main, nullptr);
  ShowEveryPage(main);

  RECT client;
  ::GetClientRect(main, &client);
  EXPECT_EQ(client.right, Px(window::kClientWidth, dpi)) << dpi;
  EXPECT_EQ(client.bottom, Px(window::kClientHeight, dpi)) << dpi;
  const LONG style = ::GetWindowLongW(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME));
  EXPECT_NE(::GetWindow(main, GW_OWNER), nullptr) << "owned, so no taskbar button";

  RECT outer;
  ::GetWindowRect(main, &outer);
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR((outer.left + outer.right) / 2, screenW / 2, 1);
  EXPECT_NEAR((outer.top + outer.bottom) / 2, screenH / 2, 1);

  for (const auto& entry : window::kControls) {
    HWND control = Control(main, entry.id);
    ASSERT_NE(control, nullptr) << entry.name;
    RECT rc = e2e::RectIn(control, ::GetParent(control));
    EXPECT_EQ(rc.left, Px(entry.left, dpi)) << entry.name << " at " << dpi;
    EXPECT_EQ(rc.top, Px(entry.top, dpi)) << entry.name << " at " << dpi;
    EXPECT_EQ(rc.right - rc.left, Px(entry.width, dpi)) << entry.name << " at " << dpi;
    EXPECT_EQ(rc.bottom - rc.top, Px(entry.height, dpi)) << entry.name << " at " << dpi;
    if (entry.parent != Ctl::kForm) {
      EXPECT_EQ(::GetParent(control), Control(main, entry.parent)) << entry.name;
    }
  }
  // The splash is wider than the tab control, which cuts it off.
  HWND tab = Control(main, Ctl::SSTab1);
  RECT tabRect, picture = e2e::RectIn(Control(main, Ctl::Picture1), tab);
  ::GetClientRect(tab, &tabRect);
  EXPECT_GT(picture.right, tabRect.right);
}

TEST_F(MainWindow, LayoutAt96Dpi) {
  ExpectLayout(Open(), 96);
}
// The program starts and lays itself out when the system says it is
// Windows 7 (the import check keeps it startable there for real).
TEST_F(MainWindow, LayoutAsWindows7) {
  e2e::ScopedRegistry version(L"Software\\Wine\\AppDefaults\\quimbel.exe", {{L"Version", L"win7"}});
  ExpectLayout(Open(), 96);
  starter_.reset();
}

TEST_F(MainWindow, LayoutAt144Dpi) {
  e2e::ScopedDpi scoped(144);
  ExpectLayout(Open(), 144);
}

TEST_F(MainWindow, ControlsAreStandardAndOpenAsDescribed) {
  HWND main = Open();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(Text(main).substr(0, 23), L"Quimbel Advance Start  ");
  // Only the splash shows; the tab control lies beneath it, and nothing of
  // the pages can be seen or reached.
  EXPECT_TRUE(::IsWindowVisible(Control(main, Ctl::Picture1)));
  EXPECT_TRUE(::IsWindowVisible(Control(main, Ctl::Label2)));
  for (Ctl covered : {Ctl::Frame4, Ctl::Option1, Ctl::Command1, Ctl::Frame2, Ctl::Frame5})
    EXPECT_FALSE(::IsWindowVisible(Control(main, covered))) << static_cast<int>(covered);
  ShowEveryPage(main);
  const struct {
    Ctl id;
    const wchar_t* cls;
    const wchar_t* text;
  } cases[] = {
      {Ctl::SSTab1, L"SysTabControl32", L""},
      {Ctl::Option1, L"Button", L"Start Quimbel Advance"},
      {Ctl::Option3, L"Button", L"Start Quimbel Advance and Exit"},
      {Ctl::Option2, L"Button", L"Exit"},
      {Ctl::Command1, L"Button", L"&Ok"},
      {Ctl::Check1, L"Button", L"Debug menu"},
      {Ctl::Check2, L"Button", L"Sound"},
      {Ctl::Label1, L"Static", L"GBA BIOS"},
      {Ctl::txtBios, L"Edit", L"C:\\gba\\gba_bios.gba"},
      {Ctl::cmdSaveSettings, L"Button", L"&Save"},
      {Ctl::cmdReadme, L"Button", L"&Read me"},
      {Ctl::Label3, L"Static", L"version 1.0 - tested on Quimbel Advance 0.7+"},
      {Ctl::Label2, L"Static", L"Click to start."},
      {Ctl::Frame4, L"Button", L""},
  };
  for (const auto& c : cases) {
    HWND control = Control(main, c.id);
    wchar_t cls[64];
    ::GetClassNameW(control, cls, 64);
    EXPECT_EQ(lstrcmpiW(cls, c.cls), 0) << static_cast<int>(c.id);
    EXPECT_EQ(Text(control), c.text) << static_cast<int>(c.id);
  }
  EXPECT_EQ(::SendMessageW(Control(main, Ctl::SSTab1), TCM_GETITEMCOUNT, 0, 0), 3);
  // One tooltip control, with one tool: the BIOS path box.
  std::vector<HWND> tips;
  e2e::WaitFor([&] {
    tips = starter_->TopWindows(TOOLTIPS_CLASSW, false);
    return tips.size() == 1 && ::SendMessageW(tips[0], TTM_GETTOOLCOUNT, 0, 0) == 1;
  });
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(::SendMessageW(tips[0], TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(::SendMessageW(Control(main, Ctl::SSTab1), TCM_GETCURSEL, 0, 0), 0);
  for (Ctl option : {Ctl::Option1, Ctl::Option2, Ctl::Option3})
    EXPECT_FALSE(e2e::IsChecked(Control(main, option)));
  EXPECT_TRUE(e2e::IsChecked(Control(main, Ctl::Check2)));
  EXPECT_FALSE(e2e::IsChecked(Control(main, Ctl::Check1)));
  EXPECT_FALSE(::IsWindowEnabled(Control(main, Ctl::cmdSaveSettings)));
  const std::wstring credits = Text(Control(main, Ctl::lblCopyRight));
  EXPECT_EQ(std::count(credits.begin(), credits.end(), L'\n'), 3);
}

TEST_F(MainWindow, TabsShowTheirOwnFrameAndTheSplashBelongsToRun) {
  HWND main = Open();
  ASSERT_NE(main, nullptr);
  HWND tab = Control(main, Ctl::SSTab1);
  e2e::SelectTab(tab, 1);
  EXPECT_TRUE(e2e::WaitFor([&] { return ::IsWindowVisible(Control(main, Ctl::Frame2)); }));
  EXPECT_FALSE(::IsWindowVisible(Control(main, Ctl::Picture1)));
  EXPECT_FALSE(::IsWindowVisible(Control(main, Ctl::Frame4)));
  e2e::SelectTab(tab, 0);
  EXPECT_TRUE(e2e::WaitFor([&] { return ::IsWindowVisible(Control(main, Ctl::Picture1)); }));
  e2e::PastSplash(main);
  EXPECT_TRUE(::IsWindowVisible(Control(main, Ctl::Frame4)));
  EXPECT_FALSE(::IsWindowVisible(Control(main, Ctl::Label2)));
  e2e::SelectTab(tab, 2);
  EXPECT_TRUE(e2e::WaitFor([&] { return ::IsWindowVisible(Control(main, Ctl::Frame5)); }));
  e2e::SelectTab(tab, 0);
  EXPECT_TRUE(e2e::WaitFor([&] { return ::IsWindowVisible(Control(main, Ctl::Frame4)); }));
  EXPECT_FALSE(::IsWindowVisible(Control(main, Ctl::Picture1)));
}

TEST_F(MainWindow, SplashGoesAfterTenSeconds) {
  HWND main = Open();
  ASSERT_NE(main, nullptr);
  HWND picture = Control(main, Ctl::Picture1), label = Control(main, Ctl::Label2);
  ::Sleep(7000);
  EXPECT_TRUE(::IsWindowVisible(picture)) << "hidden too early";
  EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindowVisible(picture); }, 4000));
  EXPECT_FALSE(::IsWindowVisible(label));
}

TEST_F(MainWindow, MissingSettingsFileIsReportedAndTheWindowOpens) {
  fs::remove(folder_ / "QuimbelAdvance.ini");
  Start();
  HWND box = starter_->MessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Starter::BoxText(box),
            L"Cannot find QuimbelAdvance.ini file.\r\n\r\nExtract QuimbelAdvance.exe and run it at "
            L"least once before using this utility.");
  EXPECT_EQ(Text(box), L"Quimbel Advance starter");
  // A taskbar button, so that a box behind other windows can be found.
  EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr);
  EXPECT_FALSE(::GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(starter_->MainWindow(300), nullptr) << "the window waits for the message";
  Starter::CloseBox(box);
  HWND main = starter_->MainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(Text(Control(main, Ctl::txtBios)), L"");
  EXPECT_FALSE(e2e::IsChecked(Control(main, Ctl::Check1)));
  EXPECT_FALSE(e2e::IsChecked(Control(main, Ctl::Check2)));
  EXPECT_FALSE(::IsWindowEnabled(Control(main, Ctl::cmdSaveSettings)));

  // Saving without the file repeats the message and creates nothing.
  e2e::PastSplash(main);
  e2e::SelectTab(Control(main, Ctl::SSTab1), 1);
  e2e::Click(Control(main, Ctl::Check2));
  e2e::Click(Control(main, Ctl::cmdSaveSettings));
  box = starter_->MessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Starter::BoxText(box).substr(0, 36), L"Cannot find QuimbelAdvance.ini file.");
  Starter::CloseBox(box);
  EXPECT_TRUE(e2e::WaitFor([&] { return starter_->MessageBox(0) == nullptr; }));
  EXPECT_FALSE(fs::exists(folder_ / "QuimbelAdvance.ini"));
  EXPECT_TRUE(::IsWindowEnabled(Control(main, Ctl::cmdSaveSettings)));
}

TEST_F(MainWindow, UnreadableSettingsFileEndsTheProgramBeforeTheWindowShows) {
  folder_.WriteSettings("SoundEnable              1\r\nBIOSRom                  \"\r\n");
  Start();
  HWND box = starter_->MessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Starter::BoxText(box),
            L"A severe problem occured.\r\nNumber 5\r\nDescription Invalid procedure call or "
            L"argument");
  EXPECT_EQ(Text(box), L"Quimbel Advance starter");
  Starter::CloseBox(box);
  EXPECT_TRUE(starter_->Exited());
  EXPECT_TRUE(starter_->TopWindows(L"QuimbelMainWindow").empty());
}

TEST_F(MainWindow, EditsEnableSaveAndSaveRewritesTheThreeLines) {
  HWND main = Open();
  ASSERT_NE(main, nullptr);
  e2e::SelectTab(e2e::PastSplash(main), 1);
  HWND save = Control(main, Ctl::cmdSaveSettings), bios = Control(main, Ctl::txtBios);

  // Typing a character and deleting it again still counts as an edit.
  e2e::Type(bios, L"C:\\gba\\gba_bios.gbax");
  e2e::Type(bios, L"C:\\gba\\gba_bios.gba");
  EXPECT_TRUE(::IsWindowEnabled(save));
  EXPECT_EQ(Text(save), L"&Save");

  e2e::Click(Control(main, Ctl::Check1));
  e2e::Click(Control(main, Ctl::Check2));
  e2e::Type(bios, L"E:\\bios\\new.gba");
  e2e::Click(save);
  EXPECT_TRUE(e2e::WaitFor([&] { return Text(save) == L"Saved"; }));
  EXPECT_FALSE(::IsWindowEnabled(save));
  EXPECT_EQ(folder_.Settings(),
            "[Emulator]\r\nFrameSkip                2\r\nSoundEnable              0\r\n"
            "DebugMenuEnable          1\r\nBIOSRom                  \"E:\\bios\\new.gba\"\r\n"
            "LastRom                  \"D:\\roms\\game.gba\"\r\n");
  EXPECT_FALSE(fs::exists(folder_ / "temp.ini"));

  e2e::Click(Control(main, Ctl::Check1));
  EXPECT_TRUE(e2e::WaitFor([&] { return ::IsWindowEnabled(save) != FALSE; }));
  EXPECT_EQ(Text(save), L"Saved");
}

TEST_F(MainWindow, FailedSaveIsShownAndNothingIsLost) {
  ::SetFileAttributesW((folder_ / "QuimbelAdvance.ini").c_str(), FILE_ATTRIBUTE_READONLY);
  HWND main = Open();
  ASSERT_NE(main, nullptr);
  e2e::SelectTab(e2e::PastSplash(main), 1);
  e2e::Click(Control(main, Ctl::Check2));
  e2e::Click(Control(main, Ctl::cmdSaveSettings));
  HWND box = starter_->MessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Starter::BoxText(box),
            L"The settings could not be saved.\r\nNumber 70\r\nDescription Permission denied");
  EXPECT_EQ(Text(box), L"Quimbel Advance starter");
  Starter::CloseBox(box);
  EXPECT_TRUE(e2e::WaitFor([&] { return starter_->MessageBox(0) == nullptr; }));
  EXPECT_TRUE(starter_->Running());
  EXPECT_TRUE(::IsWindowEnabled(Control(main, Ctl::cmdSaveSettings)));
  EXPECT_EQ(Text(Control(main, Ctl::cmdSaveSettings)), L"&Save");
  EXPECT_FALSE(e2e::IsChecked(Control(main, Ctl::Check2)));
  ::SetFileAttributesW((folder_ / "QuimbelAdvance.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(folder_.Settings(), kFile);
  EXPECT_FALSE(fs::exists(folder_ / "temp.ini"));

  // A path the settings file's code page cannot hold is refused the same way.
  e2e::Type(Control(main, Ctl::txtBios), L"C:\\\u65E5\u672C\\bios.gba");
  e2e::Click(Control(main, Ctl::cmdSaveSettings));
  box = starter_->MessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Starter::BoxText(box).substr(0, 45),
            L"The settings could not be saved.\r\nNumber 5\r\nD");
  EXPECT_EQ(Starter::BoxText(box),
            L"The settings could not be saved.\r\nNumber 5\r\nDescription Invalid procedure call "
            L"or argument: the BIOS path holds the character \"\u65E5\", which the system's code "
            L"page cannot store");
  Starter::CloseBox(box);
  EXPECT_EQ(folder_.Settings(), kFile);
}

TEST_F(MainWindow, WorksInAFolderWithANonAsciiName) {
  e2e::EmulatorFolder folder("Ünïcødé 文件夹");
  folder.WriteSettings(kFile);
  Starter starter(folder.Path());
  HWND main = starter.MainWindow();
  ASSERT_NE(main, nullptr);
  e2e::SelectTab(e2e::PastSplash(main), 1);
  EXPECT_EQ(Text(Control(main, Ctl::txtBios)), L"C:\\gba\\gba_bios.gba");
  e2e::Click(Control(main, Ctl::Check1));
  e2e::Click(Control(main, Ctl::cmdSaveSettings));
  EXPECT_TRUE(e2e::WaitFor([&] { return Text(Control(main, Ctl::cmdSaveSettings)) == L"Saved"; }));
  EXPECT_NE(folder.Settings().find("DebugMenuEnable          1\r\n"), std::string::npos);
}

}  // namespace

namespace {

// Sets the user's colour scheme for programs started from now on.
class ScopedColors {
 public:
  ScopedColors(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> colors) {
    for (const auto& [name, value] : colors) {
      wchar_t old[64];
      DWORD size = sizeof old;
      if (::RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, old, &size) ==
          ERROR_SUCCESS)
        old_.emplace_back(name, old);
      Set(name, value);
    }
  }
  ~ScopedColors() {
    for (const auto& [name, value] : old_) Set(name, value.c_str());
  }

 private:
  static void Set(const wchar_t* name, const wchar_t* value) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name, REG_SZ, value,
                      static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
  }
  static constexpr wchar_t kKey[] = L"Control Panel\\Colors";
  std::vector<std::pair<const wchar_t*, std::wstring>> old_;
};

using testing_support::ScreenPixel;

TEST_F(MainWindow, PaintsWithTheUsersColours) {
  // Colours that no standard scheme has: a window painted with fixed
  // colours, or with the wrong system colour, shows something else.
  ScopedColors colors({{L"Window", L"10 200 30"},
                       {L"WindowText", L"90 0 90"},
                       {L"ButtonFace", L"200 120 40"},
                       {L"InactiveCaptionText", L"1 2 3"},
                       {L"CaptionText", L"4 5 6"}});
  const COLORREF splash = RGB(10, 200, 30), face = RGB(200, 120, 40);
  HWND main = Open();
  ASSERT_NE(main, nullptr);
  // A point of a control, in twips from its top-left corner, and its colour.
  struct Spot {
    Ctl id;
    int x, y;
    COLORREF color;
  };
  auto expectSpots = [&](std::initializer_list<Spot> spots) {
    for (const auto& spot : spots) {
      HWND control = Control(main, spot.id);
      const int x = spot.x, y = spot.y;
      EXPECT_TRUE(e2e::WaitFor([&] { return ScreenPixel(control, x, y) == spot.color; }))
          << window::LayoutOf(spot.id).name << " shows " << std::hex << ScreenPixel(control, x, y);
    }
  };
  // The splash, below the banner, and beside the text of "Click to start.".
  expectSpots({{Ctl::Picture1, 200, 2200, splash}, {Ctl::Label2, 1080, 120, splash}});
  e2e::SelectTab(e2e::PastSplash(main), 0);
  // Inside the Run tab's frame away from its controls, and beside the text
  // of each option button: the face colour.
  expectSpots({{Ctl::Frame4, 3000, 200, face},
               {Ctl::Option1, 1920, 90, face},
               {Ctl::Option2, 600, 90, face},
               {Ctl::Option3, 2760, 90, face}});
  e2e::SelectTab(Control(main, Ctl::SSTab1), 1);
  expectSpots({{Ctl::Check1, 1200, 120, face},
               {Ctl::Check2, 1440, 120, face},
               {Ctl::Label1, 0, 240, face},
               {Ctl::Frame2, 3000, 200, face}});
  e2e::SelectTab(Control(main, Ctl::SSTab1), 2);
  expectSpots({{Ctl::lblCopyRight, 4440, 1200, face}});
}

// The BIOS text box has no length limit of its own: a pasted path longer
// than an edit control takes by default (32,767 characters; Wine's 30,000)
// is kept whole, and a stored one that long still takes typing.
TEST_F(MainWindow, ALongPathIsKeptWhole) {
  const std::string stored = "C:\\" + std::string(40000, 's') + ".gba";
  folder_.WriteSettings("BIOSRom                  \"" + stored + "\"\r\n");
  HWND main = Open();
  ASSERT_NE(main, nullptr);
  e2e::SelectTab(e2e::PastSplash(main), 1);
  HWND bios = Control(main, Ctl::txtBios), save = Control(main, Ctl::cmdSaveSettings);
  auto saved = [&] {
    e2e::Click(save);
    return e2e::WaitFor([&] { return !::IsWindowEnabled(save); });
  };

  // A typed character at the end of the stored path.
  const auto end = static_cast<WPARAM>(stored.size());
  ::SendMessageW(bios, EM_SETSEL, end, static_cast<LPARAM>(end));
  ::SendMessageW(bios, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x"));
  ASSERT_TRUE(saved());
  EXPECT_EQ(folder_.Settings(), "BIOSRom                  \"" + stored + "x\"\r\n");

  // A longer path pasted over the whole text.
  const std::wstring pasted = L"D:\\" + std::wstring(50000, L'p') + L".gba";
  ::SendMessageW(bios, EM_SETSEL, 0, -1);
  ::SendMessageW(bios, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
  ASSERT_TRUE(saved());
  EXPECT_EQ(folder_.Settings(),
            "BIOSRom                  \"D:\\" + std::string(50000, 'p') + ".gba\"\r\n");
}

HWND Focused(HWND main) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &info);
  return info.hwndFocus;
}

void Key(HWND main, UINT msg, WPARAM key, LPARAM flags = 0) {
  ::PostMessageW(Focused(main), msg, key, flags | 1);
}

TEST_F(MainWindow, KeyboardFollowsTheWindowsOwnOrder) {
  HWND main = Open();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(e2e::WaitFor([&] { return Focused(main) == Control(main, Ctl::SSTab1); }));
  e2e::PastSplash(main);

  // On the Run tab: the tab control, then the options and "&Ok" in the
  // window's keyboard order, then round again.
  for (Ctl next : {Ctl::Option3, Ctl::Command1, Ctl::Option2, Ctl::Option1, Ctl::SSTab1}) {
    Key(main, WM_KEYDOWN, VK_TAB);
    EXPECT_TRUE(e2e::WaitFor([&] { return Focused(main) == Control(main, next); }))
        << static_cast<int>(next);
  }

  // Escape closes nothing: the Tab posted after it is handled, and the
  // program still runs.
  Key(main, WM_KEYDOWN, VK_ESCAPE);
  Key(main, WM_KEYDOWN, VK_TAB);
  EXPECT_TRUE(e2e::WaitFor([&] { return Focused(main) == Control(main, Ctl::Option3); }));
  EXPECT_TRUE(starter_->Running());
  EXPECT_NE(starter_->MainWindow(0), nullptr);

  // Alt+S saves on the Options tab.
  e2e::SelectTab(Control(main, Ctl::SSTab1), 1);
  e2e::Click(Control(main, Ctl::Check1));
  EXPECT_TRUE(e2e::WaitFor([&] { return ::IsWindowEnabled(Control(main, Ctl::cmdSaveSettings)); }));
  Key(main, WM_SYSCHAR, 's', 1 << 29);
  EXPECT_TRUE(e2e::WaitFor([&] { return Text(Control(main, Ctl::cmdSaveSettings)) == L"Saved"; }));
  EXPECT_NE(folder_.Settings().find("DebugMenuEnable          1"), std::string::npos);
}

}  // namespace
