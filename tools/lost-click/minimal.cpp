// The least program that shows a lost click under Wine: one tab control and
// one static over it that hides when clicked, at the starter's sizes. See
// tools/lost-click/measure.sh and docs/ARCHITECTURE.md.
#include <windows.h>

#include <commctrl.h>

namespace {

HWND cover;

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lp) == cover && HIWORD(wp) == STN_CLICKED)
        ::ShowWindow(cover, SW_HIDE);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&icc);
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"Minimal";
  ::RegisterClassW(&wc);
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  RECT r{0, 0, 346, 162};
  ::AdjustWindowRect(&r, kStyle, FALSE);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HWND main = ::CreateWindowW(
      L"Minimal", L"Minimal", kStyle, (::GetSystemMetrics(SM_CXSCREEN) - w) / 2,
      (::GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, nullptr, nullptr, instance, nullptr);
  HWND tab =
      ::CreateWindowW(WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_FIXEDWIDTH,
                      0, 0, 346, 162, main, nullptr, instance, nullptr);
  const wchar_t* names[] = {L"Run", L"Options", L"Info"};
  for (int i = 0; i < 3; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(names[i]);
    TabCtrl_InsertItem(tab, i, &item);
  }
  TabCtrl_SetItemSize(tab, 111, 20);
  cover =
      ::CreateWindowW(L"STATIC", L"Click to start.", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_RIGHT,
                      0, 0, 346, 162, main, nullptr, instance, nullptr);
  ::SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::ShowWindow(main, SW_SHOWNORMAL);
  ::UpdateWindow(main);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
