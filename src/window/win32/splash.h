// The splash banner, a JPEG in the program's resources, decoded by stb_image.
#pragma once

#include <windows.h>

namespace win32 {

inline constexpr int kSplashResource = 100;

// A 32-bit top-down bitmap of the banner at its natural size, or nullptr if
// it cannot be decoded (the splash then shows its colour alone).
HBITMAP LoadSplash(SIZE* size);

// The banner as it shows at this DPI: a new bitmap scaled from its natural
// size once, so that every paint copies the same pixels whatever part of the
// picture it repaints; nullptr at 96 DPI, where the banner shows as it is.
HBITMAP ScaleSplash(HBITMAP banner, SIZE size, UINT dpi, SIZE* scaled);

}  // namespace win32
