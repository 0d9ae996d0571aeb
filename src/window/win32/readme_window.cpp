// The read-me window: made on first use, laid out at its DPI, gone when closed.
#include "window/win32/readme_window.h"

#include <utility>

#include "platform/rt_error.h"
#include "window/win32/dpi.h"
#include "window/win32/fonts.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"QuimbelReadmeWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int kLabelId = 200;
constexpr int kIconResource = 2;

}  // namespace

ReadmeWindow::ReadmeWindow(HWND owner, std::function<void()> onClosed)
    : onClosed_(std::move(onClosed)) {
  // Fixed on the screen, wherever the main window is.
  dpi_ = SystemDpi();
  const int left = Px(kLeft, dpi_), top = Px(kTop, dpi_);
  const RECT outer =
      OuterRect({left, top, left + Px(kWidth, dpi_), top + Px(kHeight, dpi_)}, kStyle, 0, dpi_);
  Create(kClassName, kIconResource, 0, L"Readme Quimbel Advance starter", kStyle, outer.left,
         outer.top, outer.right - outer.left, outer.bottom - outer.top, owner);
  // Whatever fails from here leaves no window: the base takes it with it.
  font_ = CreateDialogFont(dpi_);
  label_ = CreateWindowOrThrow(0, L"STATIC", L"...", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                               Px(kLabelLeft, dpi_), Px(kLabelTop, dpi_), Px(kLabelWidth, dpi_),
                               Px(kLabelHeight, dpi_), hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelId)));
  ::SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  if (WindowDpi(hwnd_) != dpi_) {
    dpi_ = WindowDpi(hwnd_);
    Layout(nullptr);
  } else {
    SetClientSize(hwnd_, Px(kWidth, dpi_), Px(kHeight, dpi_), dpi_);
  }
}

void ReadmeWindow::ShowText(const std::string& text) {
  ::SetWindowTextW(label_, platform::Widen(text).c_str());
  ::ShowWindow(hwnd_, SW_SHOWNORMAL);
  ::SetForegroundWindow(hwnd_);
  ::BringWindowToTop(hwnd_);
}

// The client area, the label and its font at the current DPI; the new font
// is in the label before the old one goes.
void ReadmeWindow::Layout(const POINT* origin) {
  platform::UniqueFont old = std::move(font_);
  font_ = CreateDialogFont(dpi_);
  SetClientSize(hwnd_, Px(kWidth, dpi_), Px(kHeight, dpi_), dpi_, origin);
  ::SetWindowPos(label_, nullptr, Px(kLabelLeft, dpi_), Px(kLabelTop, dpi_), Px(kLabelWidth, dpi_),
                 Px(kLabelHeight, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
  old.Reset();
  icons_ = SetIconsForDpi(hwnd_, kIconResource, dpi_);
  ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

LRESULT ReadmeWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_DPICHANGED: {
      POINT origin;
      dpi_ = DpiChange(wp, lp, &origin);
      Layout(&origin);
      return 0;
    }
    case WM_SETTINGCHANGE:
      if (label_ && FontsMayHaveChanged(wp, lp)) Layout(nullptr);
      return 0;
    case WM_THEMECHANGED:
      if (label_) Layout(nullptr);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

void ReadmeWindow::OnDestroyed() {
  // Taken out first: the owner may delete this object, and the function with it.
  if (const auto onClosed = std::move(onClosed_)) onClosed();
}

}  // namespace win32
