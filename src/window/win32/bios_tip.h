// The balloon with a word about the BIOS path: a tracked tooltip of the main
// window's own, since Wine's edit control has no EM_SHOWBALLOONTIP.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

class BiosTip {
 public:
  // The balloon belongs to `owner` and goes with it.
  void Attach(HWND owner) { owner_ = owner; }

  // Shows `text` (UTF-8) under the title "GBA BIOS", pointing at `box`.
  void Show(HWND box, const std::string& text, HFONT font, UINT dpi);
  void Hide();
  bool Shown() const { return shown_; }

 private:
  HWND owner_ = nullptr;
  HWND tip_ = nullptr;  // made when first shown
  bool shown_ = false;
};

}  // namespace win32
