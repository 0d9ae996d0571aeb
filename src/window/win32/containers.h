// The tab control, the frames and the picture box as containers of controls.
#pragma once

#include <windows.h>

#include "window/form_layout.h"

namespace win32 {

// As Win32 controls, containers keep their children's notifications to
// themselves; this hands them to `mainWindow`, which owns every handler.
// By its `kind` it also paints a tab control's page and a frame's inside in
// the button-face colour; a picture's inside is the main window's to draw.
void HandChildrenTo(HWND container, window::Kind kind, HWND mainWindow);

}  // namespace win32
