// DPI, window sizes and DPI changes, with or without the per-monitor functions.
#include "window/win32/dpi.h"

#include "platform/system_library.h"
#include "window/win32/win32_util.h"

namespace win32 {
namespace functions = platform::system_functions;

UINT SystemDpi() {
  const auto getDpiForSystem = platform::Find(functions::GetDpiForSystem);
  if (getDpiForSystem) return getDpiForSystem();
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT WindowDpi(HWND hwnd) {
  if (!hwnd) return SystemDpi();
  if (const auto getDpiForWindow = platform::Find(functions::GetDpiForWindow)) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi != 0) return dpi;
  }
  // Windows 8.1 and 10 before 1607: the DPI of the monitor the window is on,
  // whose scale may have changed since the user signed in.
  if (const auto getDpiForMonitor = platform::Find(functions::GetDpiForMonitor)) {
    UINT x = 0, y = 0;
    HMONITOR monitor = ::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
    if (SUCCEEDED(getDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y)) && x != 0) return x;
  }
  return SystemDpi();
}

RECT OuterRect(RECT client, DWORD style, DWORD exStyle, UINT dpi) {
  const auto adjustForDpi = platform::Find(functions::AdjustWindowRectExForDpi);
  if (adjustForDpi) {
    adjustForDpi(&client, style, FALSE, exStyle, dpi);
  } else {
    ::AdjustWindowRectEx(&client, style, FALSE, exStyle);
  }
  return client;
}

SIZE OuterSize(int width, int height, DWORD style, DWORD exStyle, UINT dpi) {
  const RECT rc = OuterRect({0, 0, width, height}, style, exStyle, dpi);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

void SetClientSize(HWND hwnd, int width, int height, UINT dpi, const POINT* origin) {
  RECT now;
  ::GetClientRect(hwnd, &now);
  if (!origin && now.right == width && now.bottom == height) return;
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
  SIZE outer = OuterSize(width, height, style, exStyle, dpi);
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (origin ? 0u : SWP_NOMOVE);
  const int x = origin ? origin->x : 0, y = origin ? origin->y : 0;
  ::SetWindowPos(hwnd, nullptr, x, y, outer.cx, outer.cy, flags);
  RECT client;
  ::GetClientRect(hwnd, &client);
  if (client.right != width || client.bottom != height) {
    outer.cx += width - client.right;
    outer.cy += height - client.bottom;
    ::SetWindowPos(hwnd, nullptr, 0, 0, outer.cx, outer.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  }
}

UINT DpiChange(WPARAM wp, LPARAM lp, POINT* origin) {
  const auto* suggested = reinterpret_cast<const RECT*>(lp);
  *origin = {suggested->left, suggested->top};
  return HIWORD(wp);
}

}  // namespace win32
