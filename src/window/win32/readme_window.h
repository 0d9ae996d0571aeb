// frmReadme: a passive window that shows the read-me text, modeless and not
// owned by the main window's window; the main window's object holds it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/unique_handle.h"
#include "window/win32/win32_util.h"

namespace win32 {

class ReadmeWindow final : public BaseWindow<ReadmeWindow> {
 public:
  // Makes the window, hidden (`owner` keeps it off the taskbar), whole or not
  // at all; it goes with this object. `onClosed` hears when the user has
  // closed it; it may delete this.
  ReadmeWindow(HWND owner, std::function<void()> onClosed);

  // Sets the text and shows the window in front, without moving it.
  void ShowText(const std::string& text);

  // Client-area placement and size in twips.
  static constexpr int kLeft = 5775, kTop = 4305, kWidth = 4785, kHeight = 3285;
  static constexpr int kLabelLeft = 240, kLabelTop = 0, kLabelWidth = 4335, kLabelHeight = 3135;

 private:
  friend class BaseWindow<ReadmeWindow>;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void OnDestroyed();
  void Layout(const POINT* origin);

  UINT dpi_ = 96;
  HWND label_ = nullptr;
  platform::UniqueFont font_;
  WindowIcons icons_;
  std::function<void()> onClosed_;
};

}  // namespace win32
