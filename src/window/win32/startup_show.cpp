// Giving the launcher's show state to the hidden owner rather than the main window.
#include "window/win32/startup_show.h"

namespace win32 {

void SpendStartupShowState(HWND owner) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoW(&startup);
  if (!(startup.dwFlags & STARTF_USESHOWWINDOW) || startup.wShowWindow == SW_SHOWNORMAL ||
      startup.wShowWindow == SW_SHOW)
    return;
  // For the moment it may show, the owner is transparent and has no taskbar
  // button; it keeps neither, since a tool window owner would also keep its
  // windows out of Alt+Tab.
  const LONG_PTR exStyle = ::GetWindowLongPtrW(owner, GWL_EXSTYLE);
  ::SetWindowLongPtrW(owner, GWL_EXSTYLE, exStyle | WS_EX_LAYERED | WS_EX_TOOLWINDOW);
  ::SetLayeredWindowAttributes(owner, 0, 0, LWA_ALPHA);
  ::ShowWindow(owner, SW_SHOWNORMAL);  // may be made minimized or maximized
  if (::IsIconic(owner) || ::IsZoomed(owner)) ::ShowWindow(owner, SW_SHOWNOACTIVATE);
  ::ShowWindow(owner, SW_HIDE);
  ::SetWindowLongPtrW(owner, GWL_EXSTYLE, exStyle);
}

}  // namespace win32
