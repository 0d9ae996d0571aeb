// Looking up functions of system DLLs, loaded from the system folder.
#include "platform/system_library.h"

#include <string>

namespace platform {
namespace {

// LoadLibraryEx's remarks: the LOAD_LIBRARY_SEARCH_* flags may be used where
// GetProcAddress finds SetDefaultDllDirectories.
bool SearchFlagsSupported() {
  return Find(system_functions::SetDefaultDllDirectories) != nullptr;
}

HMODULE LoadSystemDll(const wchar_t* dll) {
  if (SearchFlagsSupported()) return ::LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // The manifest redirects the common controls to their side-by-side
  // assembly, which a name finds and a path would bypass.
  if (::lstrcmpiW(dll, L"comctl32.dll") == 0) return ::LoadLibraryW(dll);
  wchar_t folder[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return ::LoadLibraryExW((std::wstring(folder, length) + L"\\" + dll).c_str(), nullptr,
                          LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

void LoadDllsFromSystemFolderOnly() {
  if (const auto setDefault = Find(system_functions::SetDefaultDllDirectories))
    setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

FARPROC SystemFunction(const wchar_t* dll, const char* name) {
  HMODULE module = ::GetModuleHandleW(dll);
  if (!module) module = LoadSystemDll(dll);
  return module ? ::GetProcAddress(module, name) : nullptr;
}

}  // namespace platform
