// Drives the real quimbel.exe as a user would: starts it in a folder of its
// own, finds its windows and controls by class and text, clicks, types,
// switches tabs, reads and dismisses message boxes.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/find_control.h"
#include "support/temp_folder.h"
#include "window/form_layout.h"

namespace e2e {

namespace fs = std::filesystem;

// Polls until `done` holds or `ms` milliseconds pass.
bool WaitFor(const std::function<bool()>& done, int ms = 5000);

// How long a test waits for a new process to show that it started: a
// process start under Wine on a busy machine can take seconds.
inline constexpr int kProcessStartMs = 20000;

std::wstring Text(HWND hwnd);            // WM_GETTEXT, which works across processes
RECT RectIn(HWND hwnd, HWND container);  // the window's rectangle in its container's client area

// The folder that holds quimbel.exe and the stand-in: QUIMBEL_BIN when set,
// else the driver's own.
fs::path BinFolder();

// A fresh folder holding quimbel.exe, and on request the stand-in emulator
// and a settings file.
class EmulatorFolder {
 public:
  explicit EmulatorFolder(const std::string& name = "quimbel-e2e");
  fs::path Path() const { return folder_.Path(); }
  fs::path operator/(const std::string& name) const { return folder_ / name; }
  void AddEmulator(const std::string& name = "QuimbelAdvance.exe");
  void WriteSettings(const std::string& bytes);
  std::string Settings() const;
  // The lines of starts.log, one per start of the stand-in emulator.
  std::vector<std::string> Starts() const;
  // Ends every stand-in started from this folder, whether or not its window
  // exists yet.
  void EndStandIns() const;

 private:
  testing_support::TempFolder folder_;
};

// Sets the DPI that programs started from now on see; restores it after.
class ScopedDpi {
 public:
  explicit ScopedDpi(DWORD dpi);
  ~ScopedDpi();

 private:
  DWORD old_ = 96;
};

// Sets string values under a key of HKEY_CURRENT_USER for the programs
// started from now on; restores (or removes) them after.
class ScopedRegistry {
 public:
  ScopedRegistry(const wchar_t* key,
                 std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values);
  ~ScopedRegistry();

 private:
  std::wstring key_;
  std::vector<std::pair<std::wstring, std::optional<std::wstring>>> old_;
};

// Sends WM_DPICHANGED to another process's window, with the suggested
// rectangle (the window's, scaled about its top-left corner) in that
// process's memory, where the message's receiver reads it.
void SendDpiChanged(HWND hwnd, UINT from, UINT to);

// Drops files on another process's window as Explorer's WM_DROPFILES does,
// the DROPFILES block in that process's memory; returns once the window has
// handled the drop.
void DropFiles(HWND hwnd, const std::vector<std::wstring>& paths);

// The pixels of the window's client area as the screen shows them.
struct Pixels {
  int width = 0, height = 0;
  std::vector<DWORD> bgr;
  bool operator==(const Pixels& o) const {
    return width == o.width && height == o.height && bgr == o.bgr;
  }
};
// The top `rows` rows only, when given.
Pixels Capture(HWND hwnd, int rows = 0);

class Starter {
 public:
  // Starts quimbel.exe from `folder` with `cwd` as its current folder.
  explicit Starter(const fs::path& folder, const fs::path& cwd = {});
  ~Starter();

  // The main window once it is visible, or nullptr.
  HWND MainWindow(int ms = 8000);
  // A message box of the program, or nullptr.
  HWND MessageBox(int ms = 8000);
  // A top-level window of the program with this class, visible, or nullptr.
  HWND TopWindow(const wchar_t* cls, int ms = 8000);
  // The program's top-level windows of this class, the visible ones only
  // unless `visibleOnly` is false.
  std::vector<HWND> TopWindows(const wchar_t* cls, bool visibleOnly = true);

  static std::wstring BoxText(HWND box);
  static void CloseBox(HWND box);

  bool Exited(int ms = 8000);
  bool Running() { return !Exited(0); }

 private:
  PROCESS_INFORMATION info_{};
};

// A fresh folder with the program and a settings file. Start starts the
// program there; Open also waits for its main window to show.
class ProgramTest : public ::testing::Test {
 protected:
  explicit ProgramTest(const std::string& settings) { folder_.WriteSettings(settings); }
  ~ProgramTest() override {
    starter_.reset();
    folder_.EndStandIns();
  }
  void Start(const fs::path& cwd = {}) {
    starter_ = std::make_unique<Starter>(folder_.Path(), cwd);
  }
  HWND Open(const fs::path& cwd = {}) {
    Start(cwd);
    return starter_->MainWindow();
  }

  EmulatorFolder folder_;
  std::unique_ptr<Starter> starter_;
};

// The descendant of `root` with this class and text (text ignored if null).
HWND Find(HWND root, const wchar_t* cls, const wchar_t* text = nullptr);

// Clicks a button without waiting for what the click opens.
void Click(HWND button);
// Clicks the splash away as the mouse does (posted, as input arrives) and
// waits until it is gone: messages sent to the program afterwards would
// otherwise overtake the click, which then lands later. Returns the tab
// control.
HWND PastSplash(HWND main);
// Replaces an edit control's text, as typing would.
void Type(HWND edit, const std::wstring& text);
// Makes tab `index` current, as a click on it would.
void SelectTab(HWND tab, int index);
bool IsChecked(HWND button);

// Ends every stand-in emulator that is still running.
void CloseStandIns();
// Ends every stand-in started from this folder, as its starts.log lists them.
void EndStandIns(const fs::path& folder);

}  // namespace e2e

namespace e2e {
// The main window's control of the layout table.
inline HWND Control(HWND main, window::Ctl id) {
  return testing_support::FindControl(main, id);
}
using testing_support::Px;
}  // namespace e2e
