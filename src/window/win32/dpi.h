// DPI on every Windows from 7 SP1 on: the per-monitor functions that came with
// Windows 10 version 1607 are looked up at run time; where they are missing,
// shcore's monitor DPI (8.1) or the system DPI (7) stands in.
#pragma once

#include <windows.h>

namespace win32 {

// The system DPI: the DPI of the primary screen when the user signed in.
UINT SystemDpi();

// The DPI the window is shown at.
UINT WindowDpi(HWND hwnd);

// The window rectangle around this client rectangle, with this style, at
// this DPI.
RECT OuterRect(RECT client, DWORD style, DWORD exStyle, UINT dpi);

// The size of a window whose client area is `width` x `height` pixels.
SIZE OuterSize(int width, int height, DWORD style, DWORD exStyle, UINT dpi);

// Sizes the window so that its client area is `width` x `height`, at
// `origin` (the window's top-left corner) when given. Some systems (Wine)
// draw a frame of another size than they report, so the result is measured
// and put right.
void SetClientSize(HWND hwnd, int width, int height, UINT dpi, const POINT* origin = nullptr);

// What WM_DPICHANGED says: the new DPI, and the top-left corner of the
// place the system suggests for the window.
UINT DpiChange(WPARAM wp, LPARAM lp, POINT* origin);

}  // namespace win32
