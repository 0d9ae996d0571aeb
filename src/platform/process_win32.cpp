// The process service on Windows.
#include <windows.h>

#include <string>

#include "platform/process.h"
#include "platform/rt_error.h"
#include "platform/unique_handle.h"

namespace platform {
namespace {

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
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info))
      ThrowWin32(::GetLastError());
    // Nothing is kept of the new program.
    UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  }
};

}  // namespace

ProcessStarter& RealProcessStarter() {
  static Win32ProcessStarter instance;
  return instance;
}

}  // namespace platform
