// Containers that pass their children's notifications on; the tab page and
// the frames' insides in the button-face colour.
#include "window/win32/containers.h"

#include <commctrl.h>

#include "platform/system_library.h"

namespace win32 {
namespace {

// The subclass chain's next procedure.
LRESULT PassOn(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const auto pass = platform::Find(platform::system_functions::DefSubclassProc);
  return pass ? pass(hwnd, msg, wp, lp) : ::DefWindowProcW(hwnd, msg, wp, lp);
}

// The subclass's ID is the container's kind.
LRESULT CALLBACK ForwardToMain(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR kind,
                               DWORD_PTR mainWindow) {
  const auto role = static_cast<window::Kind>(kind);
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
      return ::SendMessageW(reinterpret_cast<HWND>(mainWindow), msg, wp, lp);
    case WM_PAINT: {
      // A tab control leaves its page unpainted (Wine's) or paints it the
      // visual style's white; the page is the button-face colour, like the
      // frames on it. The control draws its tabs and edge over that, unless
      // nothing of it shows: under the splash, the whole of it is covered.
      if (role != window::Kind::kTabControl) break;
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(hwnd, &paint);
      if (!::IsRectEmpty(&paint.rcPaint)) {
        ::FillRect(dc, &paint.rcPaint, ::GetSysColorBrush(COLOR_BTNFACE));
        PassOn(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
      }
      ::EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_ERASEBKGND: {
      // A group box paints only its border; its inside is the frame's colour.
      if (role != window::Kind::kFrame) break;
      RECT rc;
      ::GetClientRect(hwnd, &rc);
      ::FillRect(reinterpret_cast<HDC>(wp), &rc, ::GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    default:
      break;
  }
  return PassOn(hwnd, msg, wp, lp);
}

}  // namespace

void HandChildrenTo(HWND container, window::Kind kind, HWND mainWindow) {
  if (const auto subclass = platform::Find(platform::system_functions::SetWindowSubclass))
    subclass(container, ForwardToMain, static_cast<UINT_PTR>(kind),
             reinterpret_cast<DWORD_PTR>(mainWindow));
}

}  // namespace win32
