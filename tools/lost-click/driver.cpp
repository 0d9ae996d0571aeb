// Clicks as a user does (SendInput) and counts how often a click on the second
// tab counts right after a click on the cover: each program is started, 0.7 s
// after its window shows it is brought to the front and its cover clicked;
// once the cover is gone, 250 ms later, the second tab's header is clicked,
// and that tab must be selected within 2 s. Programs alternate run by run.
// Usage: driver.exe RUNS PROGRAM.exe [PROGRAM.exe ...]
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

bool WaitFor(bool (*done)(HWND), HWND hwnd, int ms) {
  for (DWORD start = ::GetTickCount(); !done(hwnd);) {
    if (::GetTickCount() - start > static_cast<DWORD>(ms)) return false;
    ::Sleep(10);
  }
  return true;
}

struct Found {
  DWORD pid;
  HWND window;
};

BOOL CALLBACK FindShown(HWND hwnd, LPARAM lp) {
  auto* found = reinterpret_cast<Found*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != found->pid || !::IsWindowVisible(hwnd) ||
      !(::GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION))
    return TRUE;
  found->window = hwnd;
  return FALSE;
}

void ClickAt(POINT pt) {
  const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT in[3]{};
  for (auto& i : in) {
    i.type = INPUT_MOUSE;
    i.mi.dx = ::MulDiv(pt.x, 65535, w - 1);
    i.mi.dy = ::MulDiv(pt.y, 65535, h - 1);
  }
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(3, in, sizeof in[0]);
}

// A tab's rectangle, on the screen, read through the tab control's own
// process.
RECT TabRect(HWND tab, int index) {
  RECT rc{};
  DWORD pid = 0;
  ::GetWindowThreadProcessId(tab, &pid);
  HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, pid);
  void* remote = ::VirtualAllocEx(process, nullptr, sizeof rc, MEM_COMMIT, PAGE_READWRITE);
  ::SendMessageW(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote));
  ::ReadProcessMemory(process, remote, &rc, sizeof rc, nullptr);
  ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  ::CloseHandle(process);
  ::MapWindowPoints(tab, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// One run: 1 when the second tab was selected, 0 when not, -1 when the
// program did not get that far.
int Run(const std::wstring& exe) {
  std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
  std::wstring cmd = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi))
    return -1;
  int result = -1;
  Found found{pi.dwProcessId, nullptr};
  for (int i = 0; i < 2000 && !found.window; ++i) {
    ::EnumWindows(FindShown, reinterpret_cast<LPARAM>(&found));
    if (!found.window) ::Sleep(10);
  }
  HWND tab =
      found.window ? ::FindWindowExW(found.window, nullptr, WC_TABCONTROLW, nullptr) : nullptr;
  if (tab) {
    ::Sleep(700);
    const RECT first = TabRect(tab, 0), second = TabRect(tab, 1);
    RECT area;
    ::GetWindowRect(tab, &area);
    const POINT onCover{(area.left + area.right) / 2, (first.bottom + area.bottom) / 2};
    HWND cover = ::WindowFromPoint(onCover);
    ::SetForegroundWindow(found.window);
    ClickAt(onCover);
    if (WaitFor([](HWND c) { return !::IsWindowVisible(c); }, cover, 5000)) {
      ::Sleep(250);
      ::SetForegroundWindow(found.window);
      ClickAt({(second.left + second.right) / 2, (second.top + second.bottom) / 2});
      result =
          WaitFor([](HWND t) { return ::SendMessageW(t, TCM_GETCURSEL, 0, 0) == 1; }, tab, 2000)
              ? 1
              : 0;
    }
  }
  ::TerminateProcess(pi.hProcess, 0);
  ::WaitForSingleObject(pi.hProcess, 5000);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: driver.exe RUNS PROGRAM.exe [PROGRAM.exe ...]\n");
    return 2;
  }
  const int runs = _wtoi(argv[1]);
  std::vector<int> counted(argc, 0), failed(argc, 0);
  for (int run = 0; run < runs; ++run) {
    for (int p = 2; p < argc; ++p) {
      const int r = Run(argv[p]);
      if (r == 1) ++counted[p];
      if (r < 0) ++failed[p];
    }
  }
  for (int p = 2; p < argc; ++p) {
    std::wprintf(L"%ls: %d of %d clicks counted", argv[p], counted[p], runs);
    if (failed[p]) std::wprintf(L" (%d runs never reached the second click)", failed[p]);
    std::wprintf(L"\n");
  }
  return 0;
}
