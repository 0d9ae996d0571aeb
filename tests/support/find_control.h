// Windows only: finding a control of a window by its control ID, the one way
// the tests do it, in their own process or in the program's.
#pragma once

#include <windows.h>

#include "window/form_layout.h"

namespace testing_support {

// The descendant of `root` with this control ID, or nullptr.
inline HWND FindControl(HWND root, window::Ctl id) {
  struct Search {
    int id;
    HWND found;
  } search{static_cast<int>(id), nullptr};
  ::EnumChildWindows(
      root,
      [](HWND hwnd, LPARAM lp) WINAPI -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (::GetDlgCtrlID(hwnd) != s->id) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Pixels for twips at a DPI, by the rule (15 twips a pixel at 96 DPI), for
// tests to hold the program's places against.
inline int Px(int twips, int dpi) {
  return ::MulDiv(twips, dpi, 1440);
}

}  // namespace testing_support
