// The layout table's controls as Win32 windows: made when first needed,
// placed and given their fonts at a DPI, and holding what the handlers set in
// a control before it exists.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "window/form_layout.h"
#include "window/win32/fonts.h"

namespace win32 {

class ControlSet {
 public:
  using MadeHandler = std::function<void(const window::ControlSpec&)>;

  // The main window the controls belong to; `onMade` hears of each control
  // made, once it exists.
  void Attach(HWND window, MadeHandler onMade);

  // The control's window, the main window for kForm, nullptr when the
  // control is not made yet.
  HWND Get(window::Ctl id) const;

  // Makes the control with the text, value and enabled state the handlers
  // gave it before; no change notification comes of that.
  void Make(const window::ControlSpec& entry, UINT dpi, const WindowFonts& fonts);

  // Shows the controls of tab `page` and hides the others', making the
  // page's first; while the splash covers the Run page, its controls need
  // not exist. A control that hides with the focus hands it to the tab
  // control.
  void ShowPage(int page, UINT dpi, const WindowFonts& fonts);

  // Every control made at its place and with its font at this DPI.
  void Place(UINT dpi, const WindowFonts& fonts);

  // What the handlers see and set; a control not made yet keeps it.
  int Value(window::Ctl id);
  void SetValue(window::Ctl id, int value);
  std::string Text(window::Ctl id);
  void SetText(window::Ctl id, const std::string& utf8);
  void SetEnabled(window::Ctl id, bool enabled);
  // Visibility as the handlers set it; a page's control shows only when
  // its page does too.
  bool Shown(window::Ctl id) const;
  void SetShown(window::Ctl id, bool shown);

 private:
  void MakePage(int page, UINT dpi, const WindowFonts& fonts);

  // One control: its window once made, and what the handlers set.
  struct Record {
    HWND window = nullptr;
    bool hidden = false;
    int value = 0;
    std::optional<std::string> text;
    std::optional<bool> enabled;
  };
  // A control's place in the table; throws for an ID the table lacks.
  static std::size_t IndexOf(const window::ControlSpec& entry);
  static std::size_t IndexOf(window::Ctl id);

  HWND window_ = nullptr;
  MadeHandler onMade_;
  std::array<Record, window::kControls.size()> records_{};  // in the table's order
};

}  // namespace win32
