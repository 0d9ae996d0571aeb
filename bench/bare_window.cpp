// The yardsticks for start-up: a bare Win32 program that opens one window
// with one tab control and waits; given "controls", it also puts as many
// standard controls on the tab control as the starter has (17 besides it).
#include <windows.h>

#include <commctrl.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&controls);
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"BareWindow";
  ::RegisterClassW(&wc);
  HWND hwnd =
      ::CreateWindowW(wc.lpszClassName, L"Bare window", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                      CW_USEDEFAULT, CW_USEDEFAULT, 360, 200, nullptr, nullptr, instance, nullptr);
  HWND tab = ::CreateWindowW(WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 340, 160, hwnd,
                             nullptr, instance, nullptr);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"Tab");
  TabCtrl_InsertItem(tab, 0, &item);
  if (args != nullptr && wcsstr(args, L"controls") != nullptr) {
    for (int i = 0; i < 17; ++i) {
      ::CreateWindowW(L"BUTTON", L"Control", WS_CHILD | WS_VISIBLE, 10 + (i % 3) * 100,
                      30 + (i / 3) * 20, 90, 18, tab, nullptr, instance, nullptr);
    }
  }
  ::ShowWindow(hwnd, SW_SHOWNORMAL);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  return 0;
}
