// The fakes that stand for Windows where Wine answers otherwise: each does
// what the Microsoft page (or the documented rule) on its line says Windows
// does, no more. Tests put them in place with an ImportHook or a LookupHook;
// their state lives here too, for the tests to set and read.
#pragma once

#include <windows.h>

#include <shellapi.h>
#include <shellscalingapi.h>

#include <memory>
#include <string>
#include <vector>

#include "support/import_hook.h"

namespace as_windows {

// ---- Code pages ----

// WideCharToMultiByte: without WC_NO_BEST_FIT_CHARS, code page 1252 stores a
// look-alike ("a" for U+0101, "s" for U+015D). learn.microsoft.com,
// WideCharToMultiByte, "Security considerations"; unicode.org bestfit1252.txt.
int WINAPI ConvertWithBestFit(UINT codePage, DWORD flags, LPCWCH wide, int size, LPSTR bytes,
                              int room, LPCCH defaultChar, LPBOOL usedDefault);

// GetACP: 65001 where "Beta: Use Unicode UTF-8 for worldwide language
// support" is set (Windows 10 1903 and later). learn.microsoft.com, "Use
// UTF-8 code pages in Windows apps".
UINT WINAPI Utf8SystemCodePage();

// WideCharToMultiByte with CP_UTF8 (CP_ACP under UTF-8): dwFlags must be 0 or
// WC_ERR_INVALID_CHARS, else ERROR_INVALID_FLAGS; lpDefaultChar and
// lpUsedDefaultChar must be NULL, else ERROR_INVALID_PARAMETER.
// learn.microsoft.com, WideCharToMultiByte, parameters dwFlags and lpDefaultChar.
int WINAPI ConvertUnderUtf8(UINT codePage, DWORD flags, LPCWCH wide, int size, LPSTR bytes,
                            int room, LPCCH defaultChar, LPBOOL usedDefault);
extern int utf8Conversions;  // the conversions ConvertUnderUtf8 judged

// ---- Files ----

// DeleteFileW: "If an application attempts to delete a file that is
// read-only, the function fails with ERROR_ACCESS_DENIED" (Wine, as root,
// deletes it). learn.microsoft.com, DeleteFileW, Remarks.
BOOL WINAPI DeleteRefusingReadOnly(LPCWSTR path);

// MoveFileExW while another program holds the target without
// FILE_SHARE_DELETE: ERROR_SHARING_VIOLATION (Wine says access denied).
// learn.microsoft.com, "Creating and Opening Files", the sharing table.
BOOL WINAPI MoveWhileHeld(LPCWSTR from, LPCWSTR to, DWORD flags);
extern int sharingViolations;  // the moves still to be refused so

// The file calls of a Windows without long path support (7, 8.1, and 10 or 11
// without LongPathsEnabled): a path of MAX_PATH characters or more (with the
// null, 260) is refused with ERROR_PATH_NOT_FOUND unless it comes in the
// \\?\ form. learn.microsoft.com, "Maximum Path Length Limitation".
class WithoutLongPathSupport {
 public:
  WithoutLongPathSupport();             // CreateFileW, FindFirstFileW, attributes, delete, move
  static inline int longFormCalls = 0;  // calls that came in the \\?\ form at length

 private:
  std::vector<std::unique_ptr<testing_support::ImportHook>> hooks_;
};

// A file removed while another program (a virus scanner, an indexer) holds
// it with FILE_SHARE_DELETE keeps its name until that program lets go, and
// meanwhile every open of it fails: "Subsequent calls to CreateFile to open
// the file fail with ERROR_ACCESS_DENIED" (learn.microsoft.com, DeleteFileW,
// Remarks); GetFileAttributesW and DeleteFileW answer access denied too,
// with STATUS_DELETE_PENDING as the thread's last NTSTATUS (llvm-project
// issue 89137). Windows sets both at once from the NTSTATUS
// (RtlSetLastWin32ErrorAndNtStatusFromNtStatus), as the fake does. Wine
// answers otherwise. The name `fileName` in any folder is refused for `ms`
// from now with `status`: STATUS_DELETE_PENDING, or STATUS_ACCESS_DENIED for
// a name refused for good (a folder where creating is not allowed).
inline constexpr LONG kStatusDeletePending = static_cast<LONG>(0xC0000056);
inline constexpr LONG kStatusAccessDenied = static_cast<LONG>(0xC0000022);
class PendingDeletion {
 public:
  PendingDeletion(std::wstring fileName, DWORD ms, LONG status = kStatusDeletePending);
  static bool Pending(LPCWSTR path);
  static inline LONG status_ = kStatusDeletePending;
  static inline int refusedCreates = 0;  // CreateFileW calls refused meanwhile

 private:
  static inline std::wstring name_;
  static inline ULONGLONG until_ = 0;
  testing_support::ImportHook attributes_, create_, remove_;
};

// ---- Processes ----

// CreateProcessW for a program whose manifest asks for administrator rights,
// from a process that has none: ERROR_ELEVATION_REQUIRED (740); Wine runs
// every program elevated. learn.microsoft.com, "Using the
// ElevateCreateProcess Fix" and the Windows SDK blog "Why am I receiving the
// Error Code 740 ... when launching/starting an Application".
BOOL WINAPI RefuseWithoutElevation(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                                   BOOL, DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW,
                                   LPPROCESS_INFORMATION);

// CreateProcessW on a Windows without long path support: an application
// name of MAX_PATH characters or more fails with ERROR_FILENAME_EXCED_RANGE
// (learn.microsoft.com, "Maximum Path Length Limitation"; the limit holds
// unless Windows 10 1607 or later has LongPathsEnabled); any other start
// fails with `processAnswer`, as a test sets it.
BOOL WINAPI CreateProcessWithinMaxPath(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES,
                                       LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCWSTR,
                                       LPSTARTUPINFOW, LPPROCESS_INFORMATION);
extern DWORD processAnswer;
extern bool longPathsEnabled;

// ShellExecuteExW, recorded: it fails with ERROR_CANCELLED when the user
// refuses at the consent prompt (learn.microsoft.com, ShellExecuteExW,
// Remarks and SHELLEXECUTEINFOW). Nothing is started.
struct ShellCall {
  int count = 0;
  std::wstring file, verb, parameters, directory;
  int show = -1;
  ULONG mask = 0;
  HWND owner = nullptr;
};
extern ShellCall shellCall;
extern DWORD shellAnswer;  // 0: started; else the error the shell gives
BOOL WINAPI ShellExecuteAsWindows(SHELLEXECUTEINFOW* info);

// ---- Windows ----

// ShowWindow in a process started with STARTF_USESHOWWINDOW (a shortcut set
// to "Run: Maximized" or "Minimized"), which Wine 8 ignores. As Wine's
// conformance tests of ShowWindow show it on Windows 11 (dlls/user32/tests/
// win.c, test_startupinfo_showwindow): the launcher's state replaces the
// argument of the first ShowWindow of an unowned, non-child window that is
// overlapped or a popup with a caption, and only if it passes SW_SHOW,
// SW_SHOWNORMAL or SW_SHOWDEFAULT; any ShowWindow of such a window spends
// it; owned windows neither take nor spend it; a message box clears it
// (MessageBoxAsLaunched; Wine 10.20, "Clear STARTF_USESHOWWINDOW in
// MessageBoxIndirectW"); SW_SHOWDEFAULT once it is spent is SW_SHOWNORMAL.
BOOL WINAPI ShowWindowAsLaunched(HWND hwnd, int show);
int WINAPI MessageBoxAsLaunched(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
struct Launch {
  WORD show = SW_SHOWNORMAL;  // the launcher's wShowWindow
  bool used = false;          // the override has been spent
  std::vector<HWND> shown;    // every window ShowWindow was called for
};
extern Launch launch;

// GetDpiForWindow (Windows 10 1607) and GetDpiForMonitor with
// MDT_EFFECTIVE_DPI (8.1): each answers a DPI of its own, 120 and 144, so a
// test sees which was asked. learn.microsoft.com, GetDpiForWindow and
// GetDpiForMonitor.
UINT WINAPI DpiForWindow(HWND);
HRESULT WINAPI DpiForMonitor(HMONITOR monitor, MONITOR_DPI_TYPE type, UINT* x, UINT* y);
extern HMONITOR askedMonitor;

}  // namespace as_windows
