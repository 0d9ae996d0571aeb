// The fonts the windows use, at a given DPI.
#pragma once

#include <windows.h>

namespace win32 {

// The window's default font: Tahoma 8 pt, the font the fixed control sizes
// were made for; every Windows since 2000 has it, and Wine ships it.
HFONT CreateDialogFont(UINT dpi);

// The tab captions' font: Verdana 8.25 pt, regular.
HFONT CreateTabFont(UINT dpi);

}  // namespace win32
