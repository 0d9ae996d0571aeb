#include "window/win32/dpi.h"

namespace win32 {
namespace {

// A function of user32 that older systems lack, or nullptr there.
template <class Fn>
Fn User32(const char* name) {
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  FARPROC proc = user32 ? ::GetProcAddress(user32, name) : nullptr;
  // The cast through a function type without parameters is the one that
  // compilers accept for GetProcAddress results.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

}  // namespace

UINT SystemDpi() {
  static const auto getDpiForSystem = User32<GetDpiForSystemFn>("GetDpiForSystem");
  if (getDpiForSystem) return getDpiForSystem();
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT WindowDpi(HWND hwnd) {
  static const auto getDpiForWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow && hwnd) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi != 0) return dpi;
  }
  return SystemDpi();
}

RECT OuterRect(RECT client, DWORD style, DWORD exStyle, UINT dpi) {
  static const auto adjustForDpi = User32<AdjustForDpiFn>("AdjustWindowRectExForDpi");
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

}  // namespace win32
