// The process service on Windows.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "platform/process.h"
#include "platform/system_library.h"
#include "platform/unique_handle.h"

namespace platform {
namespace {

// ERROR_ELEVATION_REQUIRED, which MinGW-w64's headers lack.
constexpr DWORD kElevationRequired = 740;

HWND consentFallback = nullptr;

// COM for the length of one shell call, as the shell asks of its callers;
// left alone where this thread already has it in another mode.
class ComForShell {
 public:
  ComForShell() {
    if (auto init = Find(system_functions::CoInitializeEx))
      initialized_ = SUCCEEDED(init(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }
  ~ComForShell() {
    if (!initialized_) return;
    if (auto uninit = Find(system_functions::CoUninitialize)) uninit();
  }
  ComForShell(const ComForShell&) = delete;
  ComForShell& operator=(const ComForShell&) = delete;

 private:
  bool initialized_ = false;
};

// A program that asks for administrator rights (by its manifest, or by "Run
// this program as an administrator" in its properties) cannot be started by
// CreateProcessW; the shell starts it as Explorer would, after the user's
// consent.
void StartThroughShell(const Path& exe) {
  const auto shellExecute = Find(system_functions::ShellExecuteExW);
  if (!shellExecute) ThrowWin32(kElevationRequired);
  ComForShell com;
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // Started before the call returns, so that an exit right after cannot
  // stop it; failures come back here, to be shown as this program's own.
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  // The window the user just clicked in, so the consent prompt comes to the
  // front rather than as a flashing taskbar button ("Using the
  // CorrectShellExecuteHWND Fix"); without one, the program's main window.
  info.hwnd = ::GetActiveWindow();
  if (!info.hwnd) info.hwnd = consentFallback;
  info.lpFile = exe.c_str();
  info.nShow = SW_SHOWNORMAL;  // lpDirectory null: this program's current folder
  if (shellExecute(&info)) return;
  const DWORD code = ::GetLastError();
  if (code == ERROR_CANCELLED)
    throw StartRefused(kPermissionDenied, StartRefused::kElevationRefused);
  ThrowWin32(code);
}

// The answers a path too long for the system gets.
bool IsPathRefusal(DWORD code) {
  return code == ERROR_FILENAME_EXCED_RANGE || code == ERROR_PATH_NOT_FOUND ||
         code == ERROR_FILE_NOT_FOUND || code == ERROR_INVALID_NAME;
}

class Win32ProcessStarter final : public ProcessStarter {
 public:
  void Start(const Path& exe) override {
    // The full path goes as the application name and, quoted, as the
    // command line, so a space in a folder name can never run another
    // program.
    std::wstring commandLine = L"\"" + exe.Native() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         nullptr, &startup, &info)) {
      // Nothing is kept of the new program.
      UniqueKernelHandle process(info.hProcess), thread(info.hThread);
      return;
    }
    const DWORD code = ::GetLastError();
    if (code == kElevationRequired) return StartThroughShell(exe);
    if (exe.Native().size() >= MAX_PATH && IsPathRefusal(code)) {
      // Windows without long path support starts no program from a path
      // this long; say so rather than leave the user guessing.
      throw StartRefused(NumberFromWin32(code), StartRefused::kPathTooLong);
    }
    ThrowWin32(code);
  }
};

}  // namespace

void SetConsentPromptFallback(void* window) {
  consentFallback = static_cast<HWND>(window);
}

ProcessStarter& RealProcessStarter() {
  static Win32ProcessStarter instance;
  return instance;
}

}  // namespace platform
