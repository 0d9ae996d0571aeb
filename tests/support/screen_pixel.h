// The colour the screen shows at a point of a window, for tests that check
// what a user sees.
#pragma once

#include <windows.h>

namespace testing_support {

// The point is in twips from the top-left corner of the window's client
// area, at 96 DPI (15 twips a pixel).
inline COLORREF ScreenPixel(HWND hwnd, int xTwips, int yTwips) {
  POINT at{::MulDiv(xTwips, 96, 1440), ::MulDiv(yTwips, 96, 1440)};
  ::ClientToScreen(hwnd, &at);
  HDC screen = ::GetDC(nullptr);
  const COLORREF color = ::GetPixel(screen, at.x, at.y);
  ::ReleaseDC(nullptr, screen);
  return color;
}

}  // namespace testing_support
