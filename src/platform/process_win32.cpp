#include <windows.h>

#include <string>

#include "platform/process.h"
#include "platform/rt_error.h"

namespace platform {

void StartProcess(const Path& exe) {
  // The full path goes as the application name and, quoted, as the command
  // line, so a space in a folder name can never run another program.
  std::wstring commandLine = L"\"" + exe.Native() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
    ThrowWin32(::GetLastError());
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
}

}  // namespace platform
