// The real quimbel.exe under Wine: "&Ok" with the stand-in emulator, and the
// read-me window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "e2e/driver.h"
#include "window/form_layout.h"
#include "window/frmQuimbel.h"

namespace {

namespace fs = std::filesystem;
using e2e::Starter;
using e2e::Text;
using window::Ctl;

const std::string kFile = "SoundEnable              1\r\nDebugMenuEnable          0\r\n";
const std::wstring kMissing =
    L"Couldn't find the executable QuimbelAdvance.exe\r\nin the same folder as quimbel.exe\r\n"
    L"Be sure to have both executables in the same folder\r\nand start again.";

HWND Control(HWND main, Ctl id) {
  return e2e::ById(main, static_cast<int>(id));
}
int Px(int twips, int dpi) {
  return ::MulDiv(twips, dpi, 1440);
}

// Starts the program, hides the splash and shows the Run tab.
HWND Ready(Starter& starter) {
  HWND main = starter.MainWindow();
  if (!main) return nullptr;
  e2e::ClickStatic(Control(main, Ctl::Picture1));
  e2e::WaitFor([&] { return ::IsWindowVisible(Control(main, Ctl::Frame4)) != FALSE; });
  return main;
}

void ChooseAndOk(HWND main, Ctl option) {
  if (option != Ctl::kForm) e2e::Click(Control(main, option));
  e2e::Click(Control(main, Ctl::Command1));
}

TEST(StartActions, NothingSelectedDoesNothing) {
  e2e::EmulatorFolder folder;
  folder.WriteSettings(kFile);
  folder.AddEmulator();
  Starter starter(folder.Path());
  HWND main = Ready(starter);
  ASSERT_NE(main, nullptr);
  ChooseAndOk(main, Ctl::kForm);
  ::Sleep(800);
  EXPECT_TRUE(starter.Running());
  EXPECT_EQ(starter.MessageBox(0), nullptr);
  EXPECT_TRUE(folder.Starts().empty());
}

TEST(StartActions, StartTwiceStartsTwoEmulatorsAndStays) {
  e2e::EmulatorFolder folder;
  folder.WriteSettings(kFile);
  folder.AddEmulator();
  e2e::EmulatorFolder elsewhere("quimbel-cwd");
  Starter starter(folder.Path(), elsewhere.Path());
  HWND main = Ready(starter);
  ASSERT_NE(main, nullptr);
  ChooseAndOk(main, Ctl::Option1);
  ASSERT_TRUE(e2e::WaitFor([&] { return folder.Starts().size() == 1; }));
  e2e::Click(Control(main, Ctl::Command1));
  ASSERT_TRUE(e2e::WaitFor([&] { return folder.Starts().size() == 2; }));
  EXPECT_TRUE(starter.Running());
  const std::string exe = e2e::Utf8((folder / "QuimbelAdvance.exe").native());
  for (const auto& line : folder.Starts()) {
    // No arguments, the starter's own current folder, a normal window.
    EXPECT_NE(line.find("|cmd=\"" + exe + "\"|"), std::string::npos) << line;
    EXPECT_NE(line.find("|cwd=" + e2e::Utf8(elsewhere.Path().native())), std::string::npos) << line;
    EXPECT_NE(line.find("|show=1"), std::string::npos) << line;
  }
}

TEST(StartActions, StartAndExitStartsOneAndEnds) {
  e2e::EmulatorFolder folder;
  folder.WriteSettings(kFile);
  folder.AddEmulator();
  Starter starter(folder.Path());
  HWND main = Ready(starter);
  ASSERT_NE(main, nullptr);
  ChooseAndOk(main, Ctl::Option3);
  EXPECT_TRUE(starter.Exited());
  EXPECT_TRUE(e2e::WaitFor([&] { return folder.Starts().size() == 1; }));
}

TEST(StartActions, ExitDropsUnsavedEdits) {
  e2e::EmulatorFolder folder;
  folder.WriteSettings(kFile);
  folder.AddEmulator();
  Starter starter(folder.Path());
  HWND main = Ready(starter);
  ASSERT_NE(main, nullptr);
  e2e::SelectTab(Control(main, Ctl::SSTab1), 1);
  e2e::Click(Control(main, Ctl::Check1));
  EXPECT_TRUE(e2e::WaitFor([&] { return ::IsWindowEnabled(Control(main, Ctl::cmdSaveSettings)); }));
  e2e::SelectTab(Control(main, Ctl::SSTab1), 0);
  ChooseAndOk(main, Ctl::Option2);
  EXPECT_TRUE(starter.Exited());
  EXPECT_EQ(folder.Settings(), kFile);
  EXPECT_TRUE(folder.Starts().empty());
}

TEST(StartActions, EmulatorMissingOrMisnamedOrHiddenEndsTheProgram) {
  const struct {
    const char* name;
    std::string stored;  // empty: no emulator
    bool hidden;
    Ctl option;
  } cases[] = {
      {"missing, nothing selected", "", false, Ctl::kForm},
      {"lower case", "quimbeladvance.exe", false, Ctl::Option1},
      {"hidden", "QuimbelAdvance.exe", true, Ctl::Option2},
  };
  for (const auto& c : cases) {
    e2e::EmulatorFolder folder;
    folder.WriteSettings(kFile);
    if (!c.stored.empty()) folder.AddEmulator(c.stored);
    if (c.hidden) ::SetFileAttributesW((folder / c.stored).c_str(), FILE_ATTRIBUTE_HIDDEN);
    Starter starter(folder.Path());
    HWND main = Ready(starter);
    ASSERT_NE(main, nullptr) << c.name;
    ChooseAndOk(main, c.option);
    HWND box = starter.MessageBox();
    ASSERT_NE(box, nullptr) << c.name;
    EXPECT_EQ(Starter::BoxText(box), kMissing) << c.name;
    EXPECT_EQ(Text(box), L"executable not found") << c.name;
    Starter::CloseBox(box);
    EXPECT_TRUE(starter.Exited()) << c.name;
    EXPECT_TRUE(folder.Starts().empty()) << c.name;
  }
}

TEST(StartActions, SpaceInTheFolderNameRunsOnlyTheEmulator) {
  // "<parent>\run me\QuimbelAdvance.exe" given unquoted to the system would
  // start "<parent>\run.exe".
  e2e::EmulatorFolder parent("quimbel-space");
  parent.AddEmulator("run.exe");
  const fs::path inner = parent / "run me";
  fs::create_directory(inner);
  fs::copy_file(e2e::BinFolder() / "quimbel.exe", inner / "quimbel.exe");
  fs::copy_file(e2e::BinFolder() / "stand_in_emulator.exe", inner / "QuimbelAdvance.exe");
  testing_support::WriteBytes(inner / "QuimbelAdvance.ini", kFile);
  Starter starter(inner);
  HWND main = Ready(starter);
  ASSERT_NE(main, nullptr);
  ChooseAndOk(main, Ctl::Option1);
  EXPECT_TRUE(
      e2e::WaitFor([&] { return !testing_support::ReadBytes(inner / "starts.log").empty(); }));
  ::Sleep(500);
  EXPECT_TRUE(parent.Starts().empty()) << "another program was started";
}

TEST(StartActions, FailedStartIsShownAndNothingEnds) {
  e2e::EmulatorFolder folder;
  folder.WriteSettings(kFile);
  testing_support::WriteBytes(folder / "QuimbelAdvance.exe", "this is not a program\r\n");
  Starter starter(folder.Path());
  HWND main = Ready(starter);
  ASSERT_NE(main, nullptr);
  ChooseAndOk(main, Ctl::Option3);
  HWND box = starter.MessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Starter::BoxText(box).substr(0, 36), L"The emulator could not be started.\r\n");
  EXPECT_NE(Starter::BoxText(box).find(L"\r\nNumber "), std::wstring::npos);
  EXPECT_EQ(Text(box), L"Quimbel Advance starter");
  Starter::CloseBox(box);
  EXPECT_TRUE(e2e::WaitFor([&] { return starter.MessageBox(0) == nullptr; }));
  EXPECT_TRUE(starter.Running());
}

// The read-me window, opened from the Info tab.
HWND OpenReadme(Starter& starter, HWND main) {
  e2e::SelectTab(Control(main, Ctl::SSTab1), 2);
  e2e::WaitFor([&] { return ::IsWindowVisible(Control(main, Ctl::cmdReadme)) != FALSE; });
  e2e::Click(Control(main, Ctl::cmdReadme));
  return starter.TopWindow(L"QuimbelReadmeWindow");
}

void ExpectReadmePlace(int dpi) {
  e2e::ScopedDpi scoped(static_cast<DWORD>(dpi));
  e2e::EmulatorFolder folder;
  folder.WriteSettings(kFile);
  Starter starter(folder.Path());
  HWND main = Ready(starter);
  ASSERT_NE(main, nullptr);
  HWND readme = OpenReadme(starter, main);
  ASSERT_NE(readme, nullptr);
  RECT client;
  ::GetClientRect(readme, &client);
  ::MapWindowPoints(readme, nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_EQ(client.left, Px(5775, dpi)) << dpi;
  EXPECT_EQ(client.top, Px(4305, dpi)) << dpi;
  EXPECT_EQ(client.right - client.left, Px(4785, dpi)) << dpi;
  EXPECT_EQ(client.bottom - client.top, Px(3285, dpi)) << dpi;
  const LONG style = ::GetWindowLongW(readme, GWL_STYLE);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME));
  EXPECT_NE(::GetWindow(readme, GW_OWNER), main) << "not owned by the main window";
}

TEST(Readme, PlaceAndSizeAt96Dpi) {
  ExpectReadmePlace(96);
}
TEST(Readme, PlaceAndSizeAt144Dpi) {
  ExpectReadmePlace(144);
}

TEST(Readme, OneWindowWithTheWholeTextAndTheMainWindowStillWorks) {
  e2e::EmulatorFolder folder;
  folder.WriteSettings(kFile);
  Starter starter(folder.Path());
  HWND main = Ready(starter);
  ASSERT_NE(main, nullptr);
  HWND readme = OpenReadme(starter, main);
  ASSERT_NE(readme, nullptr);
  EXPECT_EQ(Text(readme), L"Readme Quimbel Advance starter");
  HWND label = e2e::Find(readme, L"Static");
  const std::wstring expected = [] {
    std::string utf8 = window::ReadmeText();
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      wide.data(), static_cast<int>(wide.size())));
    return wide;
  }();
  EXPECT_EQ(Text(label), expected);
  RECT before;
  ::GetWindowRect(readme, &before);

  // A second click: still one window, same text, same place.
  e2e::Click(Control(main, Ctl::cmdReadme));
  ::Sleep(300);
  EXPECT_EQ(starter.TopWindows(L"QuimbelReadmeWindow").size(), 1u);
  RECT after;
  ::GetWindowRect(readme, &after);
  EXPECT_TRUE(::EqualRect(&before, &after));
  EXPECT_EQ(Text(label), expected);

  // The main window still reacts.
  e2e::SelectTab(Control(main, Ctl::SSTab1), 1);
  e2e::Click(Control(main, Ctl::Check1));
  EXPECT_TRUE(e2e::WaitFor([&] { return ::IsWindowEnabled(Control(main, Ctl::cmdSaveSettings)); }));

  // Closed and opened again: the whole text, never "...".
  ::PostMessageW(readme, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitFor([&] { return starter.TopWindows(L"QuimbelReadmeWindow").empty(); }));
  readme = OpenReadme(starter, main);
  ASSERT_NE(readme, nullptr);
  EXPECT_EQ(Text(e2e::Find(readme, L"Static")), expected);
}

TEST(Readme, ProgramEndsWhenItsLastWindowCloses) {
  e2e::EmulatorFolder folder;
  folder.WriteSettings(kFile);
  Starter starter(folder.Path());
  HWND main = Ready(starter);
  ASSERT_NE(main, nullptr);
  HWND readme = OpenReadme(starter, main);
  ASSERT_NE(readme, nullptr);
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitFor([&] { return starter.MainWindow(0) == nullptr; }));
  EXPECT_FALSE(starter.Exited(500)) << "ended while the read-me window was open";
  ::PostMessageW(readme, WM_CLOSE, 0, 0);
  EXPECT_TRUE(starter.Exited());
}

TEST(Readme, AnExitClosesBothWindows) {
  e2e::EmulatorFolder folder;
  folder.WriteSettings(kFile);
  folder.AddEmulator();
  Starter starter(folder.Path());
  HWND main = Ready(starter);
  ASSERT_NE(main, nullptr);
  ASSERT_NE(OpenReadme(starter, main), nullptr);
  e2e::SelectTab(Control(main, Ctl::SSTab1), 0);
  ChooseAndOk(main, Ctl::Option2);
  EXPECT_TRUE(starter.Exited());
}

}  // namespace
