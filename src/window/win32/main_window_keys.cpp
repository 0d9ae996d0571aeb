// The main window's keyboard: Tab and Shift+Tab follow the window's own
// keyboard order, Ctrl+Tab switches tabs, and a key or click ends the
// balloon at the BIOS box.
#include <windows.h>

#include <commctrl.h>

#include "window/win32/main_window.h"

namespace win32 {

using window::Ctl;

bool MainWindow::PreTranslate(const MSG& msg) {
  // The word about the BIOS path goes when the user clicks or types, as
  // balloon tips do.
  if (biosTip_.Shown() && (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
                           msg.message == WM_NCLBUTTONDOWN || msg.message == WM_KEYDOWN))
    HideBiosTip();
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  if (!hwnd_ || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd))) return false;
  if (::GetKeyState(VK_CONTROL) < 0) {
    HWND tab = Control(Ctl::SSTab1);
    int page = TabCtrl_GetCurSel(tab);
    int step = ::GetKeyState(VK_SHIFT) < 0 ? window::kPageCount - 1 : 1;
    TabCtrl_SetCurSel(tab, (page + step) % window::kPageCount);
    ShowCurrentPage();
    return true;
  }
  MoveFocus(::GetKeyState(VK_SHIFT) < 0);
  return true;
}

void MainWindow::MoveFocus(bool backwards) {
  const auto order = window::FocusOrder();
  const int count = static_cast<int>(order.size());
  HWND focus = ::GetFocus();
  int at = -1;
  for (int i = 0; i < count; ++i) {
    if (Control(order[i]) == focus) at = i;
  }
  for (int step = 1; step <= count; ++step) {
    int i = ((at < 0 ? (backwards ? 0 : -1) : at) + (backwards ? -step : step) + 2 * count) % count;
    HWND next = Control(order[i]);
    if (::IsWindowVisible(next) && ::IsWindowEnabled(next)) {
      ::SetFocus(next);
      if (window::LayoutOf(order[i]).kind == window::Kind::kTextBox)
        ::SendMessageW(next, EM_SETSEL, 0, -1);
      return;
    }
  }
}

}  // namespace win32
