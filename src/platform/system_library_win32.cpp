// Looking up functions of system DLLs, loaded from the system folder.
#include "platform/system_library.h"

#include <string>

namespace platform {

FARPROC SystemFunction(const wchar_t* dll, const char* name) {
  HMODULE module = ::GetModuleHandleW(dll);
  if (!module) {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    module = ::LoadLibraryW((std::wstring(folder, length) + L"\\" + dll).c_str());
  }
  return module ? ::GetProcAddress(module, name) : nullptr;
}

}  // namespace platform
