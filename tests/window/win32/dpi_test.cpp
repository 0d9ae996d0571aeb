// DPI on systems older than Windows 10 1607, whose newer functions Wine always
// has: the test hides them, as those systems lack them.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellscalingapi.h>

#include "support/as_windows.h"
#include "window/win32/dpi.h"

namespace {

TEST(Dpi, AWindowsDpiComesFromTheNewestFunctionTheSystemHas) {
  HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 10, 10, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
  HDC screen = ::GetDC(nullptr);
  const UINT system = static_cast<UINT>(::GetDeviceCaps(screen, LOGPIXELSX));
  ::ReleaseDC(nullptr, screen);
  using as_windows::DpiForMonitor, as_windows::DpiForWindow;
  // What the system offers: the per-window function of 10 1607, the
  // per-monitor one of 8.1 (each answering a DPI of its own), or neither.
  const struct {
    decltype(&::GetDpiForWindow) forWindow;
    decltype(&::GetDpiForMonitor) forMonitor;
    UINT dpi;
  } cases[] = {
      {DpiForWindow, DpiForMonitor, 120},  // Windows 10 1607 and later
      {nullptr, DpiForMonitor, 144},       // Windows 8.1 and 10 before 1607: the monitor's
      {nullptr, nullptr, system},          // Windows 7: the system DPI
  };
  for (const auto& c : cases) {
    using testing_support::Offered;
    testing_support::LookupHook lookup({Offered(&::GetDpiForWindow, c.forWindow),
                                        Offered(&::GetDpiForMonitor, c.forMonitor),
                                        Offered(&::GetDpiForSystem, nullptr)});
    as_windows::askedMonitor = nullptr;
    EXPECT_EQ(win32::WindowDpi(window), c.dpi);
    if (c.dpi == 144) {
      EXPECT_EQ(as_windows::askedMonitor, ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    }
  }
  ::DestroyWindow(window);

  // Without AdjustWindowRectExForDpi, the frame around a client area at the
  // system DPI is the one it gives there.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, exStyle = WS_EX_CONTROLPARENT;
  const RECT newer = win32::OuterRect({10, 20, 370, 200}, style, exStyle, system);
  testing_support::LookupHook older7(
      {testing_support::Offered(&::AdjustWindowRectExForDpi, nullptr)});
  const RECT older = win32::OuterRect({10, 20, 370, 200}, style, exStyle, system);
  EXPECT_TRUE(::EqualRect(&newer, &older))
      << older.left << "," << older.top << " " << older.right << "," << older.bottom;
}

}  // namespace
