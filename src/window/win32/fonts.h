// The fonts the windows use, at a given DPI.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"
#include "window/form_layout.h"

namespace win32 {

// The window's default font: Tahoma at 8 pt, the size the fixed control
// sizes were made for, or smaller where this system's Tahoma runs wider, so
// that no caption is cut off.
platform::UniqueFont CreateDialogFont(UINT dpi);

// The tab captions' font: Verdana 8.25 pt, regular.
platform::UniqueFont CreateTabFont(UINT dpi);

// The width in pixels that a control's caption may take: the box less its
// check box or button edges.
int CaptionRoom(const window::ControlSpec& entry, UINT dpi);

// Whether a WM_SETTINGCHANGE can have changed the fonts or metrics the
// windows are laid out with. Windows 10 and 11 broadcast it often for other
// things ("ImmersiveColorSet", "Environment", "Policy", ...), which change
// nothing here and must cost nothing.
bool FontsMayHaveChanged(WPARAM wp, LPARAM lp);

// The main window's two fonts at one DPI.
struct WindowFonts {
  WindowFonts() = default;
  explicit WindowFonts(UINT dpi) : dialog(CreateDialogFont(dpi)), tab(CreateTabFont(dpi)) {}
  // The tab control's captions have their own font; everything else the
  // dialog font.
  HFONT For(const window::ControlSpec& entry) const {
    return (entry.kind == window::Kind::kTabControl ? tab : dialog).Get();
  }

  platform::UniqueFont dialog;
  platform::UniqueFont tab;
};

}  // namespace win32
