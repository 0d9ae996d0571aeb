// Small helpers shared by the Win32 windows: twips to pixels, window classes
// and icons, window creation, the window-procedure edge and the count of
// open windows. (Text conversion is platform/utf16.h; DPI is dpi.h.)
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "platform/unique_handle.h"
#include "platform/utf16.h"

namespace win32 {

// Twips to pixels at the given DPI: 15 twips a pixel at 96 DPI.
inline int Px(int twips, UINT dpi) {
  return ::MulDiv(twips, static_cast<int>(dpi), 1440);
}

// Registers a window class of the program once: arrow cursor, the
// button-face background, and the icon resource at the system's big and
// small icon sizes. Throws the system's error.
void RegisterWindowClass(const wchar_t* name, WNDPROC proc, int iconResource);

// A window's own icons, loaded for its DPI.
struct WindowIcons {
  platform::UniqueIcon big;
  platform::UniqueIcon small;
};

// Gives the window the icon resource at the big and small icon sizes of
// this DPI. The window uses the icons until others replace them: the caller
// keeps them until then.
WindowIcons SetIconsForDpi(HWND hwnd, int iconResource, UINT dpi);

// The hidden window that owns the program's windows: they keep a normal title
// bar and no taskbar button, and a shortcut's show state ("Run: Minimized"),
// which Windows gives only to an unowned window, reaches none of them. Its
// title is the name the system lists the running program under.
HWND CreateHiddenOwner();

// CreateWindowExW in this module; throws the run-time error for the system's
// reason when the window cannot be made.
HWND CreateWindowOrThrow(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x,
                         int y, int width, int height, HWND parent, HMENU menu = nullptr);

// Throws the run-time error for the system's error `code`.
[[noreturn]] void ThrowLastError(DWORD code = ::GetLastError());

// The window's text as UTF-8.
std::string WindowText(HWND hwnd);

// The last-resort report of a failure no handler expected: a message box with
// the run-time error's number and description, then the end of the program.
[[noreturn]] void ReportFatal(std::exception_ptr error) noexcept;

// The program ends when its last window is gone. A window counts from its
// WM_NCCREATE to its WM_NCDESTROY; one given up while a failure unwinds goes
// with `endWhenLast` false, since a quit message would close the failure's
// report at once.
void WindowOpened();
void WindowClosed(bool endWhenLast);

// A window and its object. Create registers the class and makes the window
// with the object attached at WM_NCCREATE; every message then goes to
// T::OnMessage, and at WM_NCDESTROY the window is detached and uncounted and
// T::OnDestroyed runs where T has one (it may delete the object). An object
// that goes first (a constructor that failed half way) takes its window with
// it, detached, as its handlers went with it. No exception leaves a window
// procedure: one that reaches here is fatal.
template <class T>
class BaseWindow {
 public:
  HWND Hwnd() const { return hwnd_; }
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;

 protected:
  BaseWindow() = default;
  ~BaseWindow() {
    if (HWND hwnd = Detach(false)) ::DestroyWindow(hwnd);
  }

  void Create(const wchar_t* cls, int iconResource, DWORD exStyle, const wchar_t* text, DWORD style,
              int x, int y, int width, int height, HWND owner) {
    RegisterWindowClass(cls, &Proc, iconResource);
    if (::CreateWindowExW(exStyle, cls, text, style, x, y, width, height, owner, nullptr,
                          ::GetModuleHandleW(nullptr), static_cast<T*>(this)))
      return;
    const DWORD code = ::GetLastError();
    Detach(false);  // one that failed after WM_NCCREATE, with no WM_NCDESTROY
    ThrowLastError(code);
  }

  HWND hwnd_ = nullptr;

 private:
  HWND Detach(bool endWhenLast) {
    HWND hwnd = std::exchange(hwnd_, nullptr);
    if (!hwnd) return nullptr;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    WindowClosed(endWhenLast);
    return hwnd;
  }

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    T* self = nullptr;
    if (msg == WM_NCCREATE) {
      self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
      self->hwnd_ = hwnd;
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      WindowOpened();
    } else {
      self = reinterpret_cast<T*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) return ::DefWindowProcW(hwnd, msg, wp, lp);
    try {
      LRESULT result = self->OnMessage(msg, wp, lp);
      if (msg == WM_NCDESTROY) {
        self->Detach(true);
        if constexpr (requires { self->OnDestroyed(); }) self->OnDestroyed();
      }
      return result;
    } catch (...) {
      ReportFatal(std::current_exception());
    }
  }
};

}  // namespace win32
