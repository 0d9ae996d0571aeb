// quimbel.exe: creates the main window and runs the message loop.
#include <windows.h>

#include <commctrl.h>

#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/rt_error.h"
#include "platform/system_library.h"
#include "window/win32/main_window.h"
#include "window/win32/win32_util.h"

namespace {

int Run() {
  // Before any DLL beyond the exe's KnownDLL imports is loaded. What the
  // common controls and the input method load as they start (the visual
  // style; OLE's combase, Windows 8 on) comes first: not every loader limits
  // those delayed loads too (Wine's does not), and a DLL already loaded is
  // not searched for.
  namespace functions = platform::system_functions;
  platform::LoadDllsFromSystemFolderOnly();
  platform::Find(functions::IsThemeActive);
  platform::SystemFunction(L"combase.dll", "CoInitializeEx");
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  const auto initControls = platform::Find(functions::InitCommonControlsEx);
  if (!initControls || !initControls(&controls)) platform::ThrowWin32(::GetLastError());

  HWND owner = win32::CreateHiddenOwner();
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

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    return Run();
  } catch (...) {
    win32::ReportFatal(std::current_exception());
  }
}
