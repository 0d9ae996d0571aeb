// Functions of system DLLs that the program looks up when first needed: so
// that only then does the process pay for loading the DLL, and so that the
// exe still starts on a Windows that lacks a newer function.
#pragma once

#include <windows.h>

namespace platform {

// The function `name` of the system DLL `dll`, loaded from the system folder
// (never from the program's own folder), or nullptr.
FARPROC SystemFunction(const wchar_t* dll, const char* name);

// The same, as the function type it has.
template <class Fn>
Fn SystemFunctionAs(const wchar_t* dll, const char* name) {
  // Through a function type without parameters: the cast compilers accept.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(SystemFunction(dll, name)));
}

}  // namespace platform
