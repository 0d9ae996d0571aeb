// frmReadme: a passive window that shows the read-me text. Modeless and not
// owned by the main window; there is never more than one.
#pragma once

#include <windows.h>

#include <string>

#include "platform/unique_handle.h"
#include "window/win32/win32_util.h"

namespace win32 {

class ReadmeWindow final : public BaseWindow<ReadmeWindow> {
 public:
  // Creates the window if it is not open (`owner` keeps it off the taskbar),
  // sets its text and brings it to the front without moving it.
  static void ShowText(HWND owner, const std::string& text);

  // Client-area placement and size in twips.
  static constexpr int kLeft = 5775, kTop = 4305, kWidth = 4785, kHeight = 3285;
  static constexpr int kLabelLeft = 240, kLabelTop = 0, kLabelWidth = 4335, kLabelHeight = 3135;

 private:
  friend class BaseWindow<ReadmeWindow>;
  explicit ReadmeWindow(HWND owner);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void OnDestroyed();
  void Layout(const POINT* origin);

  UINT dpi_ = 96;
  HWND label_ = nullptr;
  platform::UniqueFont font_;
  WindowIcons icons_;
};

}  // namespace win32
