#include "e2e/driver.h"

#include <cstring>

#include <commctrl.h>
#include <shlobj.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace e2e {

bool WaitFor(const std::function<bool()>& done, int ms) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

std::wstring Text(HWND hwnd) {
  // A program under load may take seconds to answer; only a hung one is
  // given up on, and not before a new process would be.
  DWORD_PTR len = 0;
  if (!::SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kProcessStartMs, &len))
    return {};
  std::wstring text(len + 1, L'\0');
  DWORD_PTR got = 0;
  ::SendMessageTimeoutW(hwnd, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kProcessStartMs, &got);
  text.resize(got);
  return text;
}

RECT RectIn(HWND hwnd, HWND container) {
  RECT rc;
  ::GetWindowRect(hwnd, &rc);
  ::MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

fs::path BinFolder() {
  // The other architecture's build names its own folder: one driver, whose
  // clicks Wine delivers reliably, drives both exes.
  wchar_t named[MAX_PATH * 4];
  DWORD got = ::GetEnvironmentVariableW(L"QUIMBEL_BIN", named, MAX_PATH * 4);
  if (got > 0 && got < MAX_PATH * 4) return fs::path(std::wstring(named, got));
  wchar_t path[MAX_PATH * 4];
  DWORD len = ::GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  return fs::path(std::wstring(path, len)).parent_path();
}

EmulatorFolder::EmulatorFolder(const std::string& name) : folder_(name) {
  fs::copy_file(BinFolder() / "quimbel.exe", folder_.Path() / "quimbel.exe");
}

void EmulatorFolder::AddEmulator(const std::string& name) {
  fs::copy_file(BinFolder() / "stand_in_emulator.exe", folder_ / name);
}

void EmulatorFolder::WriteSettings(const std::string& bytes) {
  testing_support::WriteBytes(folder_ / "QuimbelAdvance.ini", bytes);
}

std::string EmulatorFolder::Settings() const {
  return testing_support::ReadBytes(folder_ / "QuimbelAdvance.ini");
}

std::vector<std::string> EmulatorFolder::Starts() const {
  std::vector<std::string> lines;
  std::istringstream in(testing_support::ReadBytes(folder_ / "starts.log"));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

void EmulatorFolder::EndStandIns() const {
  e2e::EndStandIns(Path());
}

void EndStandIns(const fs::path& folder) {
  std::istringstream in(testing_support::ReadBytes(folder / "starts.log"));
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("pid=", 0) != 0) continue;
    const auto pid = static_cast<DWORD>(std::stoul(line.substr(4)));
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) continue;
    ::TerminateProcess(process, 0);
    ::WaitForSingleObject(process, 5000);
    ::CloseHandle(process);
  }
}

namespace {
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
}  // namespace

ScopedDpi::ScopedDpi(DWORD dpi) {
  DWORD size = sizeof old_;
  if (::RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &old_,
                     &size) != ERROR_SUCCESS)
    old_ = 96;
  ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

ScopedDpi::~ScopedDpi() {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &old_, sizeof old_);
}

ScopedRegistry::ScopedRegistry(
    const wchar_t* key, std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values)
    : key_(key) {
  for (const auto& [name, value] : values) {
    wchar_t old[512];
    DWORD size = sizeof old;
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, old, &size) ==
        ERROR_SUCCESS) {
      old_.emplace_back(name, std::wstring(old));
    } else {
      old_.emplace_back(name, std::nullopt);
    }
    ::RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, value,
                      static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
  }
}

ScopedRegistry::~ScopedRegistry() {
  for (const auto& [name, value] : old_) {
    if (value) {
      ::RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name.c_str(), REG_SZ, value->c_str(),
                        static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
    } else {
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name.c_str());
    }
  }
}

void SendDpiChanged(HWND hwnd, UINT from, UINT to) {
  RECT rc;
  ::GetWindowRect(hwnd, &rc);
  const RECT suggested{
      rc.left, rc.top,
      rc.left + ::MulDiv(rc.right - rc.left, static_cast<int>(to), static_cast<int>(from)),
      rc.top + ::MulDiv(rc.bottom - rc.top, static_cast<int>(to), static_cast<int>(from))};
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return;
  void* remote = ::VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
  ::WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr);
  ::SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(remote));
  ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  ::CloseHandle(process);
}

void DropFiles(HWND hwnd, const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const auto& path : paths) list += path + L'\0';
  list += L'\0';
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  RECT rc;
  ::GetClientRect(hwnd, &rc);
  header.pt = {rc.right / 2, rc.bottom / 2};
  std::string block(reinterpret_cast<const char*>(&header), sizeof header);
  block.append(reinterpret_cast<const char*>(list.data()), list.size() * sizeof(wchar_t));

  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return;
  // A fixed global memory block is its own handle; the receiver's DragFinish
  // frees what its own heap gave, so this block stays until the test ends.
  void* remote =
      ::VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  ::WriteProcessMemory(process, remote, block.data(), block.size(), nullptr);
  ::SendMessageW(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
  ::CloseHandle(process);
}

Pixels Capture(HWND hwnd, int rows) {
  RECT client;
  ::GetClientRect(hwnd, &client);
  if (rows > 0 && rows < client.bottom) client.bottom = rows;
  POINT origin{0, 0};
  ::ClientToScreen(hwnd, &origin);
  Pixels pixels;
  pixels.width = client.right;
  pixels.height = client.bottom;
  pixels.bgr.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
  if (pixels.bgr.empty()) return pixels;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, pixels.width, pixels.height, screen, origin.x, origin.y, SRCCOPY);
  ::GdiFlush();
  std::memcpy(pixels.bgr.data(), bits, pixels.bgr.size() * sizeof(DWORD));
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

Starter::Starter(const fs::path& folder, const fs::path& cwd) {
  fs::path exe = folder / "quimbel.exe";
  std::wstring commandLine = L"\"" + exe.native() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  const fs::path& dir = cwd.empty() ? folder : cwd;
  // The exe was copied into the folder a moment ago; a system may still hold
  // it (a scanner, the cache) or lack the resources for a new process for a
  // moment. Those refusals are retried briefly; any other is reported.
  for (int attempt = 1;; ++attempt) {
    if (::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         dir.c_str(), &startup, &info_))
      break;
    const DWORD code = ::GetLastError();
    const bool momentary = code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED ||
                           code == ERROR_NO_SYSTEM_RESOURCES || code == ERROR_NOT_ENOUGH_MEMORY;
    if (!momentary || attempt == 20)
      throw std::runtime_error("cannot start quimbel.exe: error " + std::to_string(code));
    ::Sleep(100);
  }
  ::WaitForInputIdle(info_.hProcess, 5000);
}

Starter::~Starter() {
  if (info_.hProcess) {
    if (!Exited(0)) {
      ::TerminateProcess(info_.hProcess, 9);
      ::WaitForSingleObject(info_.hProcess, 5000);
    }
    ::CloseHandle(info_.hProcess);
    ::CloseHandle(info_.hThread);
  }
  CloseStandIns();
}

std::vector<HWND> Starter::TopWindows(const wchar_t* cls, bool visibleOnly) {
  struct Search {
    DWORD pid;
    const wchar_t* cls;
    bool visibleOnly;
    std::vector<HWND> found;
  } search{info_.dwProcessId, cls, visibleOnly, {}};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lp) WINAPI -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        wchar_t name[64];
        ::GetClassNameW(hwnd, name, 64);
        if (pid == s->pid && (!s->visibleOnly || ::IsWindowVisible(hwnd)) &&
            lstrcmpiW(name, s->cls) == 0)
          s->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Starter::TopWindow(const wchar_t* cls, int ms) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        auto all = TopWindows(cls);
        found = all.empty() ? nullptr : all.front();
        return found != nullptr;
      },
      ms);
  return found;
}

HWND Starter::MainWindow(int ms) {
  return TopWindow(L"QuimbelMainWindow", ms);
}
HWND Starter::MessageBox(int ms) {
  return TopWindow(L"#32770", ms);
}

std::wstring Starter::BoxText(HWND box) {
  return Text(::GetDlgItem(box, 0xFFFF));
}

void Starter::CloseBox(HWND box) {
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

bool Starter::Exited(int ms) {
  return ::WaitForSingleObject(info_.hProcess, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
}

HWND Find(HWND root, const wchar_t* cls, const wchar_t* text) {
  struct Search {
    const wchar_t* cls;
    const wchar_t* text;
    HWND found;
  } search{cls, text, nullptr};
  ::EnumChildWindows(
      root,
      [](HWND hwnd, LPARAM lp) WINAPI -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        wchar_t name[64];
        ::GetClassNameW(hwnd, name, 64);
        if (lstrcmpiW(name, s->cls) != 0) return TRUE;
        if (s->text && Text(hwnd) != s->text) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Click(HWND button) {
  ::SendNotifyMessageW(button, BM_CLICK, 0, 0);
}

HWND PastSplash(HWND main) {
  HWND splash = Control(main, window::Ctl::Picture1);
  ::PostMessageW(splash, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::PostMessageW(splash, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  WaitFor([&] { return !::IsWindowVisible(splash); });
  return Control(main, window::Ctl::SSTab1);
}

void Type(HWND edit, const std::wstring& text) {
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SelectTab(HWND tab, int index) {
  ::SendMessageW(tab, TCM_SETCURFOCUS, index, 0);
}

bool IsChecked(HWND button) {
  return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CloseStandIns() {
  for (HWND hwnd; (hwnd = ::FindWindowW(L"QuimbelAdvanceStandIn", nullptr)) != nullptr;) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) break;
    ::TerminateProcess(process, 0);
    ::WaitForSingleObject(process, 5000);
    ::CloseHandle(process);
  }
}

}  // namespace e2e
