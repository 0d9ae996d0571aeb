// quimbel.exe: creates the main window and runs the message loop.
#include <windows.h>

#include <commctrl.h>

#include "platform/file_system.h"
#include "platform/process.h"
#include "window/credits.h"
#include "window/win32/main_window.h"
#include "window/win32/startup_show.h"
#include "window/win32/win32_util.h"

namespace {

// A hidden window that owns the program's windows keeps them off the
// taskbar while they keep a normal title bar; its title is the name the
// system lists the running program under.
HWND CreateHiddenOwner(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = L"QuimbelOwner";
  if (!::RegisterClassExW(&wc)) win32::ThrowLastError();
  return win32::CreateWindowOrThrow(0, wc.lpszClassName,
                                    win32::Widen(window::kProgramTitle).c_str(), WS_OVERLAPPED, 0,
                                    0, 0, 0, nullptr);
}

int Run(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  HWND owner = CreateHiddenOwner(instance);
  win32::SpendStartupShowState(owner);
  win32::MainWindow main(owner, platform::RealFileSystem(), platform::RealProcessStarter());
  main.Open();

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (main.PreTranslate(msg)) continue;
    // Access keys, arrow keys among the options, and no Escape or Enter
    // action the window does not ask for.
    HWND top = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (top && ::IsDialogMessageW(top, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    return Run(instance);
  } catch (...) {
    win32::ReportFatal(std::current_exception());
  }
}
