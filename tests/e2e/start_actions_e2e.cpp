// The real quimbel.exe under Wine: "&Ok" with the stand-in emulator, and the
// read-me window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "e2e/driver.h"
#include "window/form_layout.h"
#include "window/frmQuimbel.h"
#include "window/win32/win32_util.h"

namespace {

namespace fs = std::filesystem;
using e2e::Starter;
using e2e::Text;
using window::Ctl;

const std::string kFile = "SoundEnable              1\r\nDebugMenuEnable          0\r\n";
const std::wstring kMissing =
    L"Couldn't find the executable QuimbelAdvance.exe\r\nin the same folder as quimbel.exe\r\n"
    L"Be sure to have both executables in the same folder\r\nand start again.";

using e2e::Control;
using e2e::Px;

// Starts the program, hides the splash and shows the Run tab.
HWND Ready(Starter& starter) {
  HWND main = starter.MainWindow();
  if (!main) return nullptr;
  // The splash goes only once the page under it is made whole; its frame
  // shows as soon as the frame is made, before the options in it.
  e2e::PastSplash(main);
  if (::IsWindowVisible(Control(main, Ctl::Picture1))) return nullptr;
  return main;
}

// Selects the option (kForm: none), sees it selected, then clicks "&Ok".
void ChooseAndOk(HWND main, Ctl option) {
  if (option != Ctl::kForm) {
    e2e::Click(Control(main, option));
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::IsChecked(Control(main, option)); }))
        << static_cast<int>(option);
  }
  e2e::Click(Control(main, Ctl::Command1));
}

// Launch starts the program, hides the splash and gives the main window.
class StarterTest : public e2e::ProgramTest {
 protected:
  StarterTest() : ProgramTest(kFile) {}
  HWND Launch(const fs::path& cwd = {}) {
    Start(cwd);
    return Ready(*starter_);
  }
};

class StartActions : public StarterTest {};
class Readme : public StarterTest {};

TEST_F(StartActions, NothingSelectedDoesNothing) {
  folder_.AddEmulator();
  HWND main = Launch();
  ASSERT_NE(main, nullptr);
  ChooseAndOk(main, Ctl::kForm);
  ::Sleep(800);
  EXPECT_TRUE(starter_->Running());
  EXPECT_EQ(starter_->MessageBox(0), nullptr);
  EXPECT_TRUE(folder_.Starts().empty());
}

TEST_F(StartActions, StartTwiceStartsTwoEmulatorsAndStays) {
  folder_.AddEmulator();
  e2e::EmulatorFolder elsewhere("quimbel-cwd");
  HWND main = Launch(elsewhere.Path());
  ASSERT_NE(main, nullptr);
  // The options are one group: choosing one clears the one chosen before.
  e2e::Click(Control(main, Ctl::Option2));
  ASSERT_TRUE(e2e::WaitFor([&] { return e2e::IsChecked(Control(main, Ctl::Option2)); }));
  ChooseAndOk(main, Ctl::Option1);
  EXPECT_FALSE(e2e::IsChecked(Control(main, Ctl::Option2)));
  ASSERT_TRUE(e2e::WaitFor([&] { return folder_.Starts().size() == 1; }, e2e::kProcessStartMs));
  e2e::Click(Control(main, Ctl::Command1));
  ASSERT_TRUE(e2e::WaitFor([&] { return folder_.Starts().size() == 2; }, e2e::kProcessStartMs));
  EXPECT_TRUE(starter_->Running());
  const std::string exe = platform::Narrow((folder_ / "QuimbelAdvance.exe").native());
  for (const auto& line : folder_.Starts()) {
    // No arguments, the starter's own current folder, a normal window.
    EXPECT_NE(line.find("|cmd=\"" + exe + "\"|"), std::string::npos) << line;
    EXPECT_NE(line.find("|cwd=" + platform::Narrow(elsewhere.Path().native())), std::string::npos)
        << line;
    EXPECT_NE(line.find("|show=1"), std::string::npos) << line;
  }
}

TEST_F(StartActions, StartAndExitStartsOneAndEnds) {
  folder_.AddEmulator();
  HWND main = Launch();
  ASSERT_NE(main, nullptr);
  ChooseAndOk(main, Ctl::Option3);
  EXPECT_TRUE(starter_->Exited());
  EXPECT_TRUE(e2e::WaitFor([&] { return folder_.Starts().size() == 1; }, e2e::kProcessStartMs));
}

TEST_F(StartActions, ExitDropsUnsavedEdits) {
  folder_.AddEmulator();
  HWND main = Launch();
  ASSERT_NE(main, nullptr);
  e2e::SelectTab(Control(main, Ctl::SSTab1), 1);
  e2e::Click(Control(main, Ctl::Check1));
  EXPECT_TRUE(e2e::WaitFor([&] { return ::IsWindowEnabled(Control(main, Ctl::cmdSaveSettings)); }));
  e2e::SelectTab(Control(main, Ctl::SSTab1), 0);
  ChooseAndOk(main, Ctl::Option2);
  EXPECT_TRUE(starter_->Exited());
  EXPECT_EQ(folder_.Settings(), kFile);
  EXPECT_TRUE(folder_.Starts().empty());
}

TEST_F(StartActions, EmulatorMissingOrMisnamedOrHiddenEndsTheProgram) {
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

TEST_F(StartActions, SpaceInTheFolderNameRunsOnlyTheEmulator) {
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
      e2e::WaitFor([&] { return !testing_support::ReadBytes(inner / "starts.log").empty(); },
                   e2e::kProcessStartMs));
  ::Sleep(500);
  EXPECT_TRUE(parent.Starts().empty()) << "another program was started";
  e2e::EndStandIns(inner);
  e2e::EndStandIns(parent.Path());
}

TEST_F(StartActions, FailedStartIsShownAndNothingEnds) {
  testing_support::WriteBytes(folder_ / "QuimbelAdvance.exe", "this is not a program\r\n");
  HWND main = Launch();
  ASSERT_NE(main, nullptr);
  ChooseAndOk(main, Ctl::Option3);
  HWND box = starter_->MessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Starter::BoxText(box).substr(0, 36), L"The emulator could not be started.\r\n");
  EXPECT_NE(Starter::BoxText(box).find(L"\r\nNumber "), std::wstring::npos);
  EXPECT_EQ(Text(box), L"Quimbel Advance starter");
  Starter::CloseBox(box);
  EXPECT_TRUE(e2e::WaitFor([&] { return starter_->MessageBox(0) == nullptr; }));
  EXPECT_TRUE(starter_->Running());
}

// The read-me window, opened from the Info tab.
HWND OpenReadme(Starter& starter, HWND main) {
  e2e::SelectTab(Control(main, Ctl::SSTab1), 2);
  e2e::WaitFor([&] { return ::IsWindowVisible(Control(main, Ctl::cmdReadme)) != FALSE; });
  e2e::Click(Control(main, Ctl::cmdReadme));
  return starter.TopWindow(L"QuimbelReadmeWindow");
}

// The read-me window's client area sits at its fixed place on the screen.
void ExpectReadmePlace(HWND readme, HWND main, int dpi) {
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

TEST_F(Readme, PlaceAndSizeAt96Dpi) {
  HWND main = Launch();
  ASSERT_NE(main, nullptr);
  ExpectReadmePlace(OpenReadme(*starter_, main), main, 96);
}

TEST_F(Readme, PlaceAndSizeAt144Dpi) {
  e2e::ScopedDpi scoped(144);
  HWND main = Launch();
  ASSERT_NE(main, nullptr);
  ExpectReadmePlace(OpenReadme(*starter_, main), main, 144);
}

TEST_F(Readme, OneWindowWithTheWholeTextAndTheMainWindowStillWorks) {
  HWND main = Launch();
  ASSERT_NE(main, nullptr);
  HWND readme = OpenReadme(*starter_, main);
  ASSERT_NE(readme, nullptr);
  EXPECT_EQ(Text(readme), L"Readme Quimbel Advance starter");
  HWND label = e2e::Find(readme, L"Static");
  const std::wstring expected = platform::Widen(window::ReadmeText());
  EXPECT_EQ(Text(label), expected);
  RECT before;
  ::GetWindowRect(readme, &before);

  // A second click: still one window, same text, same place.
  e2e::Click(Control(main, Ctl::cmdReadme));
  ::Sleep(300);
  EXPECT_EQ(starter_->TopWindows(L"QuimbelReadmeWindow").size(), 1u);
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
  EXPECT_TRUE(e2e::WaitFor([&] { return starter_->TopWindows(L"QuimbelReadmeWindow").empty(); }));
  readme = OpenReadme(*starter_, main);
  ASSERT_NE(readme, nullptr);
  EXPECT_EQ(Text(e2e::Find(readme, L"Static")), expected);
}

TEST_F(Readme, ProgramEndsWhenItsLastWindowCloses) {
  HWND main = Launch();
  ASSERT_NE(main, nullptr);
  HWND readme = OpenReadme(*starter_, main);
  ASSERT_NE(readme, nullptr);
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitFor([&] { return starter_->MainWindow(0) == nullptr; }));
  EXPECT_FALSE(starter_->Exited(500)) << "ended while the read-me window was open";
  ::PostMessageW(readme, WM_CLOSE, 0, 0);
  EXPECT_TRUE(starter_->Exited());
}

TEST_F(Readme, AnExitClosesBothWindows) {
  folder_.AddEmulator();
  HWND main = Launch();
  ASSERT_NE(main, nullptr);
  ASSERT_NE(OpenReadme(*starter_, main), nullptr);
  e2e::SelectTab(Control(main, Ctl::SSTab1), 0);
  ChooseAndOk(main, Ctl::Option2);
  EXPECT_TRUE(starter_->Exited());
}

}  // namespace
