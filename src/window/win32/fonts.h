// The fonts the windows use, at a given DPI.
#pragma once

#include <windows.h>

#include "window/form_layout.h"

namespace win32 {

// The window's default font: Tahoma at 8 pt, the size the fixed control
// sizes were made for, or smaller where this system's Tahoma runs wider, so
// that no caption is cut off.
HFONT CreateDialogFont(UINT dpi);

// The tab captions' font: Verdana 8.25 pt, regular.
HFONT CreateTabFont(UINT dpi);

// The width in pixels that a control's caption may take: the box less its
// check box or button edges.
int CaptionRoom(const window::ControlSpec& entry, UINT dpi);

}  // namespace win32
