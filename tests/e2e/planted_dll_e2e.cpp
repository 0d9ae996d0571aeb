// The real quimbel.exe under Wine with DLLs planted beside it. Windows looks
// for a DLL that is not one of its KnownDLLs in the program's folder first,
// for the program's imports and for those of every DLL it loads ("Dynamic-
// link library search order"); Wine does the same for the names its
// DllOverrides set to native,builtin. The program must never load any.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "e2e/driver.h"
#include "window/form_layout.h"

namespace {

using window::Ctl;

// Every DLL that is not a KnownDLL on Windows 7 SP1 and that the program
// loaded on the ways below, as a WINEDEBUG=+loaddll run of them listed. Not
// planted: what Wine's own DLLs import as the process starts, before the
// program's first line (kernelbase, ucrtbase, win32u, zlib1, and version,
// which Wine's user32 imports and Windows' does not); Wine 8 loads those from
// the program's folder for any program, and on Windows they are KnownDLLs or
// not imported at all. Nor the consent prompt's ShellExecuteEx, reached only
// on Windows: shell32 is a KnownDLL, and what it loads then comes from the
// system folder like everything else.
const wchar_t* const kPlanted[] = {L"comctl32", L"uxtheme", L"shcore", L"combase"};

const std::string kFile =
    "SoundEnable              1\r\nDebugMenuEnable          0\r\n"
    "BIOSRom                  \"C:\\gba\\gba_bios.gba\"\r\n";

TEST(PlantedDlls, NoneBesideTheProgramIsLoadedOnAnyOfItsWays) {
  e2e::EmulatorFolder folder("quimbel-planted");
  folder.AddEmulator();
  folder.WriteSettings(kFile);
  testing_support::WriteBytes(folder / "gba_bios.bin", std::string(16384, 'b'));
  std::vector<std::unique_ptr<e2e::ScopedRegistry>> overrides;
  for (const wchar_t* name : kPlanted) {
    e2e::fs::copy_file(e2e::BinFolder() / "planted.dll",
                       folder.Path() / (std::wstring(name) + L".dll"));
    overrides.push_back(std::make_unique<e2e::ScopedRegistry>(
        L"Software\\Wine\\AppDefaults\\quimbel.exe\\DllOverrides",
        std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>{
            {name, L"native,builtin"}}));
  }

  e2e::Starter starter(folder.Path());
  HWND main = starter.MainWindow();
  ASSERT_NE(main, nullptr) << "planted DLLs loaded: "
                           << testing_support::ReadBytes(folder / "planted.log");
  // Each page; the Options page brings OLE and path completion.
  HWND tab = e2e::PastSplash(main);
  ASSERT_FALSE(::IsWindowVisible(e2e::Control(main, Ctl::Picture1)));
  for (auto [page, frame] : {std::pair{1, Ctl::Frame2}, {2, Ctl::Frame5}, {0, Ctl::Frame4}}) {
    e2e::SelectTab(tab, page);
    ASSERT_TRUE(
        e2e::WaitFor([&] { return ::IsWindowVisible(e2e::Control(main, frame)) != FALSE; }));
  }
  // The read-me.
  e2e::SelectTab(tab, 2);
  e2e::Click(e2e::Control(main, Ctl::cmdReadme));
  EXPECT_NE(starter.TopWindow(L"QuimbelReadmeWindow"), nullptr);
  // A drop, then a save of what it brought.
  e2e::DropFiles(main, {(folder / "gba_bios.bin").native()});
  e2e::Click(e2e::Control(main, Ctl::cmdSaveSettings));
  EXPECT_TRUE(e2e::WaitFor([&] { return folder.Settings() != kFile; }));
  // A start of the emulator.
  e2e::SelectTab(tab, 0);
  e2e::Click(e2e::Control(main, Ctl::Option1));
  e2e::Click(e2e::Control(main, Ctl::Command1));
  EXPECT_TRUE(e2e::WaitFor([&] { return !folder.Starts().empty(); }, e2e::kProcessStartMs));

  EXPECT_TRUE(starter.Running());
  EXPECT_EQ(testing_support::ReadBytes(folder / "planted.log"), "")
      << "the DLLs listed were loaded from the program's folder";
}

}  // namespace
