#include "window/win32/readme_window.h"

#include "platform/rt_error.h"
#include "window/win32/fonts.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"QuimbelReadmeWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int kLabelId = 200;
constexpr int kIconResource = 2;

ReadmeWindow* openWindow = nullptr;

}  // namespace

ReadmeWindow::ReadmeWindow(HWND owner) {
  RegisterWindowClass(kClassName, &BaseWindow::Proc, kIconResource);

  // Fixed on the screen, wherever the main window is.
  const UINT dpi = ::GetDpiForSystem();
  RECT rc{Px(kLeft, dpi), Px(kTop, dpi), Px(kLeft, dpi) + Px(kWidth, dpi),
          Px(kTop, dpi) + Px(kHeight, dpi)};
  ::AdjustWindowRectExForDpi(&rc, kStyle, FALSE, 0, dpi);
  CreateWindowOrThrow(0, kClassName, L"Readme Quimbel Advance starter", kStyle, rc.left, rc.top,
                      rc.right - rc.left, rc.bottom - rc.top, owner, nullptr, this);
  WindowOpened();
  font_ = CreateDialogFont(dpi);
  label_ = CreateWindowOrThrow(0, L"STATIC", L"...", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                               Px(kLabelLeft, dpi), Px(kLabelTop, dpi), Px(kLabelWidth, dpi),
                               Px(kLabelHeight, dpi), hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelId)));
  ::SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void ReadmeWindow::ShowText(HWND owner, const std::string& text) {
  if (openWindow == nullptr) openWindow = new ReadmeWindow(owner);
  ::SetWindowTextW(openWindow->label_, Widen(text).c_str());
  ::ShowWindow(openWindow->hwnd_, SW_SHOWNORMAL);
  ::SetForegroundWindow(openWindow->hwnd_);
  ::BringWindowToTop(openWindow->hwnd_);
}

LRESULT ReadmeWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) WindowClosed();
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

void ReadmeWindow::OnDestroyed() {
  if (font_) ::DeleteObject(font_);
  openWindow = nullptr;
  delete this;
}

}  // namespace win32
