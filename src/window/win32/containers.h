// The tab control, the frames and the picture box as containers of controls.
#pragma once

#include <windows.h>

namespace win32 {

// As Win32 controls, containers keep their children's notifications to
// themselves; this hands them to `mainWindow`, which owns every handler.
// It also paints a tab control's page and a frame's inside in the
// button-face colour.
void HandChildrenTo(HWND container, HWND mainWindow);

}  // namespace win32
