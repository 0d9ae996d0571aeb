// A stand-in for QuimbelAdvance.exe: it records each start in starts.log
// beside itself (command line, current folder, window style asked for) and
// shows a window saying that it was started.
#include <windows.h>

#include <string>

namespace {

void RecordStart() {
  wchar_t exe[MAX_PATH * 4];
  DWORD len = ::GetModuleFileNameW(nullptr, exe, MAX_PATH * 4);
  std::wstring log(exe, len);
  log = log.substr(0, log.find_last_of(L'\\') + 1) + L"starts.log";

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoW(&startup);
  wchar_t cwd[MAX_PATH * 4];
  ::GetCurrentDirectoryW(MAX_PATH * 4, cwd);
  std::wstring line =
      L"pid=" + std::to_wstring(::GetCurrentProcessId()) + L"|cmd=" + ::GetCommandLineW() +
      L"|cwd=" + cwd + L"|show=" +
      std::to_wstring((startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1) +
      L"\r\n";
  int bytes = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), bytes, nullptr, nullptr);
  utf8.pop_back();
  // The test may be reading the log at this moment; a start must never go
  // unrecorded, so try again for a while.
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 200 && file == INVALID_HANDLE_VALUE; ++attempt) {
    if (attempt > 0) ::Sleep(25);
    file = ::CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  DWORD written = 0;
  ::WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  ::CloseHandle(file);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  RecordStart();
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"QuimbelAdvanceStandIn";
  ::RegisterClassW(&wc);
  HWND hwnd =
      ::CreateWindowW(wc.lpszClassName, L"Quimbel Advance (stand-in)", WS_OVERLAPPEDWINDOW,
                      CW_USEDEFAULT, CW_USEDEFAULT, 360, 120, nullptr, nullptr, instance, nullptr);
  ::CreateWindowW(L"STATIC", L"The stand-in emulator was started.", WS_CHILD | WS_VISIBLE, 16, 24,
                  320, 20, hwnd, nullptr, instance, nullptr);
  ::ShowWindow(hwnd, show);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
