// The splash banner: a JPEG in the program's resources, decoded by stb_image,
// kept at its natural size and as it shows at the window's DPI.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

namespace win32 {

inline constexpr int kSplashResource = 100;

class Splash {
 public:
  // Decodes the banner; one that cannot be decoded leaves the splash its
  // colour alone.
  void Load();

  // Scales the banner for this DPI once, so that every paint copies the same
  // pixels whatever part of the picture it repaints. At 96 DPI the banner
  // shows as it is.
  void SetDpi(UINT dpi);

  // The window colour over `area`, and the banner at its top-left corner.
  void Draw(HDC dc, const RECT& area) const;

 private:
  platform::UniqueBitmap banner_;  // at its natural size
  SIZE size_{};
  platform::UniqueBitmap scaled_;  // at the DPI, when that is not 96
  SIZE scaledSize_{};
};

}  // namespace win32
