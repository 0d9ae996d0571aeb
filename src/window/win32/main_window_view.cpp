// The main window as the handlers see it: controls by name, message boxes,
// the read-me window, the pages and the BIOS balloon.
#include <windows.h>

#include <commctrl.h>

#include "window/win32/main_window.h"
#include "window/win32/readme_window.h"

namespace win32 {

using window::Ctl;

void MainWindow::SetEnabled(Ctl id, bool enabled) {
  HWND control = Control(id);
  if (!enabled && control && ::GetFocus() == control) MoveFocus(false);
  controls_.SetEnabled(id, enabled);
}

void MainWindow::SetVisible(Ctl id, bool visible) {
  controls_.SetShown(id, visible);
  if (window::LayoutOf(id).page != window::kNoPage) {
    ShowCurrentPage();
  } else if (HWND control = Control(id)) {
    ::ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
  }
}

// The styles the handlers give are the run time's numbers; they are the
// system's own, so they go to MessageBoxW as they are.
static_assert(modQuimbel::kStyleCritical == (MB_ICONSTOP | MB_OK));
static_assert(modQuimbel::kStyleInformation == (MB_ICONINFORMATION | MB_OK));

void MainWindow::MsgBox(const std::string& text, int style, const std::string& title) {
  // Before the window shows, the box stands alone: unowned, so it has a
  // taskbar button and can be found if the user clicked elsewhere meanwhile;
  // task-modal, so the program's other windows wait for it; and brought to
  // the front. (A message box takes no shortcut's show state: it clears it.)
  const bool shown = hwnd_ && ::IsWindowVisible(hwnd_);
  const UINT alone = shown ? 0 : MB_TASKMODAL | MB_SETFOREGROUND;
  ::MessageBoxW(shown ? hwnd_ : nullptr, platform::Widen(text).c_str(),
                platform::Widen(title).c_str(), static_cast<UINT>(style) | alone);
}

void MainWindow::EndProgram() {
  ::ExitProcess(0);
}

void MainWindow::ShowReadme(const std::string& text) {
  if (!readme_) readme_ = std::make_unique<ReadmeWindow>(owner_, [this] { readme_.reset(); });
  readme_->ShowText(text);
}

void MainWindow::SelectPage(int page) {
  TabCtrl_SetCurSel(Control(Ctl::SSTab1), page);
  ShowCurrentPage();
}

void MainWindow::ShowBiosTip(const std::string& text) {
  biosTip_.Show(Control(Ctl::txtBios), text, fonts_.dialog.Get(), dpi_);
}

void MainWindow::HideBiosTip() {
  biosTip_.Hide();
}

}  // namespace win32
