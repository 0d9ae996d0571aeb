// Small helpers shared by the Win32 windows: twips to pixels, window classes
// and icons, window creation, the window-procedure edge and the count of
// open windows. (Text conversion is platform/utf16.h; DPI is dpi.h.)
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

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

// Throws the run-time error for GetLastError().
[[noreturn]] void ThrowLastError();

// The window's text as UTF-8.
std::string WindowText(HWND hwnd);

// The last-resort report of a failure no handler expected: a message box with
// the run-time error's number and description, then the end of the program.
[[noreturn]] void ReportFatal(std::exception_ptr error) noexcept;

// The program ends when its last window is gone. A window counts from its
// WM_NCCREATE to its WM_NCDESTROY; `endWhenLast` false takes one out of the
// count without asking the message loop to end (a window given up while a
// failure unwinds: a quit message then would close the failure's report).
void WindowOpened();
void WindowClosed(bool endWhenLast = true);

// A window of the program and its object: Create registers the class once
// and makes the window with the object attached at WM_NCCREATE, after which
// every message goes to T::OnMessage and the window counts as open; at
// WM_NCDESTROY it is detached and uncounted, then T::OnDestroyed runs when T
// has one (it may delete the object). No exception leaves a window
// procedure: one that reaches here is fatal. An object that goes before its
// window (a constructor that failed after Create) takes the window with it,
// without its handlers, whose object is gone.
template <class T>
class BaseWindow {
 public:
  HWND Hwnd() const { return hwnd_; }

 protected:
  BaseWindow() = default;
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;
  ~BaseWindow() {
    if (HWND hwnd = Detach()) {
      WindowClosed(false);
      ::DestroyWindow(hwnd);
    }
  }

  void Create(const wchar_t* cls, int iconResource, DWORD exStyle, const wchar_t* text, DWORD style,
              int x, int y, int width, int height, HWND owner) {
    RegisterWindowClass(cls, &Proc, iconResource);
    HWND hwnd = ::CreateWindowExW(exStyle, cls, text, style, x, y, width, height, owner, nullptr,
                                  ::GetModuleHandleW(nullptr), static_cast<T*>(this));
    if (hwnd) return;
    // A window that failed after WM_NCCREATE without a WM_NCDESTROY.
    if (Detach()) WindowClosed(false);
    ThrowLastError();
  }

  HWND hwnd_ = nullptr;

 private:
  HWND Detach() {
    HWND hwnd = hwnd_;
    if (hwnd) ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
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
        self->Detach();
        WindowClosed();
        if constexpr (requires { self->OnDestroyed(); }) self->OnDestroyed();
      }
      return result;
    } catch (...) {
      ReportFatal(std::current_exception());
    }
  }
};

}  // namespace win32
