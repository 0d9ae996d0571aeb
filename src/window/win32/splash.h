// The splash banner, a JPEG in the program's resources, decoded by the system.
#pragma once

#include <windows.h>

namespace win32 {

inline constexpr int kSplashResource = 100;

// A 32-bit top-down bitmap of the banner at its natural size, or nullptr if
// the system cannot decode it (the splash then shows its colour alone).
HBITMAP LoadSplash(SIZE* size);

}  // namespace win32
