// Functions of system DLLs that the program looks up when needed rather than
// imports: so that only then does the process pay for loading the DLL, and so
// that the exe still starts on a Windows that lacks a newer function.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>
#include <shellapi.h>
#include <shellscalingapi.h>
#include <shlwapi.h>
#include <uxtheme.h>

namespace platform {

// The program's folder is often a download folder full of other people's
// files, and Windows looks there first for any DLL that is not one of its
// KnownDLLs, also for the imports of the DLLs a program loads. Called first
// thing, this makes the system folder the only place the DLLs loaded from
// then on, and theirs, come from (SetDefaultDllDirectories: Windows 8 and
// later, Windows 7 with KB2533623); where the system lacks it, SystemFunction
// still loads from the system folder only.
void LoadDllsFromSystemFolderOnly();

// The function `name` of the system DLL `dll`, loaded from the system folder
// (never from the program's own folder), or nullptr. Where the system lacks
// the search flags, the DLL is loaded by its full path, its own imports then
// searched for in the system folder first; the common controls, which the
// manifest redirects to their side-by-side assembly, by name.
FARPROC SystemFunction(const wchar_t* dll, const char* name);

// One function of the list below, typed as the system's headers declare it
// (decltype adds no import); Find gives it, or nullptr where the system lacks
// it. It is looked up at every call (for DefSubclassProc, every message of a
// container), two lookups in a DLL already loaded: what the system has is then
// what the last lookup found, a test's GetProcAddress included.
template <class Fn>
struct SystemFunctionRef {
  const wchar_t* dll;
  const char* name;
};
template <class Fn>
Fn Find(SystemFunctionRef<Fn> f) {  // through a function type without parameters, as compilers ask
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(SystemFunction(f.dll, f.name)));
}

// Every function the program looks up, each named once.
namespace system_functions {
#define QUIMBEL_SYSTEM_FUNCTION(dll, name)                     \
  inline constexpr SystemFunctionRef<decltype(&::name)> name { \
    dll, #name                                                 \
  }
// The search flags' own switch, of Windows 8 (7 with KB2533623).
QUIMBEL_SYSTEM_FUNCTION(L"kernel32.dll", SetDefaultDllDirectories);
// The common controls and the visual style: neither is a KnownDLL, so they
// are loaded only once the search is limited to the system folder.
QUIMBEL_SYSTEM_FUNCTION(L"comctl32.dll", InitCommonControlsEx);
QUIMBEL_SYSTEM_FUNCTION(L"comctl32.dll", SetWindowSubclass);
QUIMBEL_SYSTEM_FUNCTION(L"comctl32.dll", DefSubclassProc);
QUIMBEL_SYSTEM_FUNCTION(L"comctl32.dll", LoadIconWithScaleDown);
QUIMBEL_SYSTEM_FUNCTION(L"uxtheme.dll", IsThemeActive);
QUIMBEL_SYSTEM_FUNCTION(L"uxtheme.dll", SetWindowTheme);
// user32 of Windows 10 1607 and shcore of 8.1; the others load when first used.
QUIMBEL_SYSTEM_FUNCTION(L"user32.dll", GetDpiForSystem);
QUIMBEL_SYSTEM_FUNCTION(L"user32.dll", GetDpiForWindow);
QUIMBEL_SYSTEM_FUNCTION(L"user32.dll", AdjustWindowRectExForDpi);
QUIMBEL_SYSTEM_FUNCTION(L"shcore.dll", GetDpiForMonitor);
QUIMBEL_SYSTEM_FUNCTION(L"shell32.dll", ShellExecuteExW);
QUIMBEL_SYSTEM_FUNCTION(L"shell32.dll", DragQueryFileW);
QUIMBEL_SYSTEM_FUNCTION(L"shell32.dll", DragFinish);
QUIMBEL_SYSTEM_FUNCTION(L"shlwapi.dll", SHAutoComplete);
QUIMBEL_SYSTEM_FUNCTION(L"ole32.dll", CoInitializeEx);
QUIMBEL_SYSTEM_FUNCTION(L"ole32.dll", CoUninitialize);
QUIMBEL_SYSTEM_FUNCTION(L"ole32.dll", OleInitialize);
QUIMBEL_SYSTEM_FUNCTION(L"ole32.dll", RegisterDragDrop);
QUIMBEL_SYSTEM_FUNCTION(L"ole32.dll", RevokeDragDrop);
QUIMBEL_SYSTEM_FUNCTION(L"ole32.dll", ReleaseStgMedium);
#undef QUIMBEL_SYSTEM_FUNCTION
// ntdll's (Windows XP on), which no MinGW-w64 header declares: the NTSTATUS
// behind the thread's last error.
inline constexpr SystemFunctionRef<LONG(NTAPI*)()> RtlGetLastNtStatus{L"ntdll.dll",
                                                                      "RtlGetLastNtStatus"};
}  // namespace system_functions

}  // namespace platform
