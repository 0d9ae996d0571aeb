// DPI on systems older than Windows 10 1607, whose newer functions Wine always
// has: the test hides them, as those systems lack them.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellscalingapi.h>

#include <cstring>

#include "support/import_hook.h"
#include "window/win32/dpi.h"

namespace {

// What the system offers: the per-window function of 10 1607, the
// per-monitor one of 8.1 (each answering a DPI of its own), or neither.
struct Offer {
  bool forWindow, forMonitor;
  bool adjust = true;  // AdjustWindowRectExForDpi
};
Offer offer{};
testing_support::ImportHook* lookup = nullptr;
HMONITOR askedMonitor = nullptr;

UINT WINAPI DpiForWindow(HWND) {
  return 120;
}
HRESULT WINAPI DpiForMonitor(HMONITOR monitor, MONITOR_DPI_TYPE type, UINT* x, UINT* y) {
  askedMonitor = monitor;
  *x = *y = type == MDT_EFFECTIVE_DPI ? 144 : 1;
  return S_OK;
}

FARPROC WINAPI LookUp(HMODULE module, LPCSTR name) {
  const auto real = lookup->Original<decltype(&::GetProcAddress)>();
  if (reinterpret_cast<ULONG_PTR>(name) > 0xFFFF) {
    if (std::strcmp(name, "GetDpiForWindow") == 0)
      return offer.forWindow
                 ? reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&DpiForWindow))
                 : nullptr;
    if (std::strcmp(name, "GetDpiForMonitor") == 0)
      return offer.forMonitor
                 ? reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&DpiForMonitor))
                 : nullptr;
    if (std::strcmp(name, "GetDpiForSystem") == 0) return nullptr;
    if (std::strcmp(name, "AdjustWindowRectExForDpi") == 0 && !offer.adjust) return nullptr;
  }
  return real(module, name);
}

TEST(Dpi, AWindowsDpiComesFromTheNewestFunctionTheSystemHas) {
  testing_support::ImportHook hook("GetProcAddress", reinterpret_cast<const void*>(&LookUp));
  lookup = &hook;
  HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 10, 10, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
  HDC screen = ::GetDC(nullptr);
  const UINT system = static_cast<UINT>(::GetDeviceCaps(screen, LOGPIXELSX));
  ::ReleaseDC(nullptr, screen);
  const struct {
    Offer offer;
    UINT dpi;
  } cases[] = {
      {{true, true}, 120},       // Windows 10 1607 and later
      {{false, true}, 144},      // Windows 8.1 and 10 before 1607: the monitor's
      {{false, false}, system},  // Windows 7: the system DPI
  };
  for (const auto& c : cases) {
    offer = c.offer;
    askedMonitor = nullptr;
    EXPECT_EQ(win32::WindowDpi(window), c.dpi) << c.offer.forWindow << c.offer.forMonitor;
    if (c.dpi == 144) {
      EXPECT_EQ(askedMonitor, ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    }
  }
  ::DestroyWindow(window);

  // Without AdjustWindowRectExForDpi, the frame around a client area at the
  // system DPI is the one it gives there.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, exStyle = WS_EX_CONTROLPARENT;
  offer = {true, true, true};
  const RECT newer = win32::OuterRect({10, 20, 370, 200}, style, exStyle, system);
  offer.adjust = false;
  const RECT older = win32::OuterRect({10, 20, 370, 200}, style, exStyle, system);
  EXPECT_TRUE(::EqualRect(&newer, &older))
      << older.left << "," << older.top << " " << older.right << "," << older.bottom;
  lookup = nullptr;
}

}  // namespace
