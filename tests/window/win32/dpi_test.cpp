// DPI on systems older than Windows 10 1607, whose newer functions Wine always
// has: the test hides them, as those systems lack them.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellscalingapi.h>

#include "support/import_hook.h"
#include "window/win32/dpi.h"

namespace {

HMONITOR askedMonitor = nullptr;

UINT WINAPI DpiForWindow(HWND) {
  return 120;
}
HRESULT WINAPI DpiForMonitor(HMONITOR monitor, MONITOR_DPI_TYPE type, UINT* x, UINT* y) {
  askedMonitor = monitor;
  *x = *y = type == MDT_EFFECTIVE_DPI ? 144 : 1;
  return S_OK;
}

TEST(Dpi, AWindowsDpiComesFromTheNewestFunctionTheSystemHas) {
  HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 10, 10, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
  HDC screen = ::GetDC(nullptr);
  const UINT system = static_cast<UINT>(::GetDeviceCaps(screen, LOGPIXELSX));
  ::ReleaseDC(nullptr, screen);
  const auto forWindow = reinterpret_cast<const void*>(&DpiForWindow);
  const auto forMonitor = reinterpret_cast<const void*>(&DpiForMonitor);
  // What the system offers: the per-window function of 10 1607, the
  // per-monitor one of 8.1 (each answering a DPI of its own), or neither.
  const struct {
    const void* forWindow;
    const void* forMonitor;
    UINT dpi;
  } cases[] = {
      {forWindow, forMonitor, 120},  // Windows 10 1607 and later
      {nullptr, forMonitor, 144},    // Windows 8.1 and 10 before 1607: the monitor's
      {nullptr, nullptr, system},    // Windows 7: the system DPI
  };
  for (const auto& c : cases) {
    testing_support::LookupHook lookup({{"GetDpiForWindow", c.forWindow},
                                        {"GetDpiForMonitor", c.forMonitor},
                                        {"GetDpiForSystem", nullptr}});
    askedMonitor = nullptr;
    EXPECT_EQ(win32::WindowDpi(window), c.dpi);
    if (c.dpi == 144) {
      EXPECT_EQ(askedMonitor, ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    }
  }
  ::DestroyWindow(window);

  // Without AdjustWindowRectExForDpi, the frame around a client area at the
  // system DPI is the one it gives there.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, exStyle = WS_EX_CONTROLPARENT;
  const RECT newer = win32::OuterRect({10, 20, 370, 200}, style, exStyle, system);
  testing_support::LookupHook older7({{"AdjustWindowRectExForDpi", nullptr}});
  const RECT older = win32::OuterRect({10, 20, 370, 200}, style, exStyle, system);
  EXPECT_TRUE(::EqualRect(&newer, &older))
      << older.left << "," << older.top << " " << older.right << "," << older.bottom;
}

}  // namespace
