// The fakes that stand for Windows; their sources are in the header.
#include "support/as_windows.h"

#include <cwchar>
#include <type_traits>

namespace as_windows {

using testing_support::ImportHook;

int WINAPI ConvertWithBestFit(UINT codePage, DWORD flags, LPCWCH wide, int size, LPSTR bytes,
                              int room, LPCCH defaultChar, LPBOOL usedDefault) {
  std::wstring text(wide, size < 0 ? std::wcslen(wide) + 1 : static_cast<std::size_t>(size));
  if (codePage != CP_UTF8 && !(flags & WC_NO_BEST_FIT_CHARS)) {
    for (wchar_t& c : text) {
      if (c == L'\u0101') c = L'a';
      if (c == L'\u015d') c = L's';
    }
  }
  return ImportHook::Real(&::WideCharToMultiByte)(codePage, flags, text.data(), size, bytes, room,
                                                  defaultChar, usedDefault);
}

UINT WINAPI Utf8SystemCodePage() {
  return CP_UTF8;
}

int utf8Conversions = 0;

int WINAPI ConvertUnderUtf8(UINT codePage, DWORD flags, LPCWCH wide, int size, LPSTR bytes,
                            int room, LPCCH defaultChar, LPBOOL usedDefault) {
  if (codePage == CP_ACP) codePage = CP_UTF8;  // the system's code page is UTF-8
  if (codePage == CP_UTF8) {
    ++utf8Conversions;
    if ((flags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) != 0) {
      ::SetLastError(ERROR_INVALID_FLAGS);
      return 0;
    }
    if (defaultChar != nullptr || usedDefault != nullptr) {
      ::SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
  }
  return ImportHook::Real(&::WideCharToMultiByte)(codePage, flags, wide, size, bytes, room,
                                                  defaultChar, usedDefault);
}

BOOL WINAPI DeleteRefusingReadOnly(LPCWSTR path) {
  const DWORD attributes = ::GetFileAttributesW(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return ImportHook::Real(&::DeleteFileW)(path);
}

int sharingViolations = 0;

BOOL WINAPI MoveWhileHeld(LPCWSTR from, LPCWSTR to, DWORD flags) {
  if (sharingViolations > 0) {
    --sharingViolations;
    ::SetLastError(ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  return ImportHook::Real(&::MoveFileExW)(from, to, flags);
}

namespace {

bool RefusedWithoutLongPaths(LPCWSTR path) {
  return path != nullptr && std::wcslen(path) >= MAX_PATH && std::wcsncmp(path, L"\\\\?\\", 4) != 0;
}

template <class R>
R Failure() {
  if constexpr (std::is_same_v<R, HANDLE>) {
    return INVALID_HANDLE_VALUE;
  } else if constexpr (std::is_same_v<R, DWORD>) {
    return INVALID_FILE_ATTRIBUTES;
  } else {
    return R{};
  }
}

// The path among a call's other arguments, or none.
LPCWSTR PathIn(LPCWSTR path) {
  return path;
}
template <class T>
LPCWSTR PathIn(T) {
  return nullptr;
}

// One file call of the system, as Windows without long path support takes
// it; N tells the calls of one type apart.
template <int N, class Fn>
struct Limited;
template <int N, class R, class... A>
struct Limited<N, R(WINAPI*)(LPCWSTR, A...)> {
  static inline R(WINAPI* system)(LPCWSTR, A...) = nullptr;
  static R WINAPI Call(LPCWSTR path, A... rest) {
    if (RefusedWithoutLongPaths(path) || (RefusedWithoutLongPaths(PathIn(rest)) || ...)) {
      ::SetLastError(ERROR_PATH_NOT_FOUND);
      return Failure<R>();
    }
    if (std::wcslen(path) >= MAX_PATH) ++WithoutLongPathSupport::longFormCalls;
    return system(path, rest...);
  }
};

template <int N, class Fn>
std::unique_ptr<ImportHook> Limit(Fn function) {
  Limited<N, Fn>::system = function;
  return std::make_unique<ImportHook>(function, &Limited<N, Fn>::Call);
}

}  // namespace

WithoutLongPathSupport::WithoutLongPathSupport() {
  longFormCalls = 0;
  hooks_.push_back(Limit<0>(&::CreateFileW));
  hooks_.push_back(Limit<1>(&::GetFileAttributesW));
  hooks_.push_back(Limit<2>(&::SetFileAttributesW));
  hooks_.push_back(Limit<3>(&::DeleteFileW));
  hooks_.push_back(Limit<4>(&::MoveFileExW));
  hooks_.push_back(Limit<5>(&::GetFileAttributesExW));
  hooks_.push_back(Limit<6>(&::FindFirstFileW));
}

namespace {

void RefuseAsPending() {
  using SetFromStatus = ULONG(NTAPI*)(LONG);
  const auto set = reinterpret_cast<SetFromStatus>(reinterpret_cast<void (*)()>(::GetProcAddress(
      ::GetModuleHandleW(L"ntdll.dll"), "RtlSetLastWin32ErrorAndNtStatusFromNtStatus")));
  set(PendingDeletion::status_);  // ERROR_ACCESS_DENIED, with the NTSTATUS behind it
}

DWORD WINAPI AttributesWhilePending(LPCWSTR path) {
  if (!PendingDeletion::Pending(path)) return ImportHook::Real(&::GetFileAttributesW)(path);
  RefuseAsPending();
  return INVALID_FILE_ATTRIBUTES;
}

HANDLE WINAPI CreateWhilePending(LPCWSTR path, DWORD access, DWORD share,
                                 LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                 HANDLE source) {
  if (!PendingDeletion::Pending(path)) {
    return ImportHook::Real(&::CreateFileW)(path, access, share, security, disposition, flags,
                                            source);
  }
  ++PendingDeletion::refusedCreates;
  RefuseAsPending();
  return INVALID_HANDLE_VALUE;
}

BOOL WINAPI DeleteWhilePending(LPCWSTR path) {
  if (!PendingDeletion::Pending(path)) return ImportHook::Real(&::DeleteFileW)(path);
  RefuseAsPending();
  return FALSE;
}

}  // namespace

PendingDeletion::PendingDeletion(std::wstring fileName, DWORD ms, LONG status)
    : attributes_(&::GetFileAttributesW, &AttributesWhilePending),
      create_(&::CreateFileW, &CreateWhilePending),
      remove_(&::DeleteFileW, &DeleteWhilePending) {
  name_ = L"\\" + fileName;
  until_ = ::GetTickCount64() + ms;
  status_ = status;
  refusedCreates = 0;
}

bool PendingDeletion::Pending(LPCWSTR path) {
  const std::size_t length = std::wcslen(path);
  return ::GetTickCount64() < until_ && length >= name_.size() &&
         _wcsicmp(path + length - name_.size(), name_.c_str()) == 0;
}

BOOL WINAPI RefuseWithoutElevation(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                                   BOOL, DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW,
                                   LPPROCESS_INFORMATION) {
  ::SetLastError(740);  // ERROR_ELEVATION_REQUIRED
  return FALSE;
}

DWORD processAnswer = 0;
bool longPathsEnabled = false;

BOOL WINAPI CreateProcessWithinMaxPath(LPCWSTR application, LPWSTR, LPSECURITY_ATTRIBUTES,
                                       LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCWSTR,
                                       LPSTARTUPINFOW, LPPROCESS_INFORMATION) {
  const bool tooLong =
      !longPathsEnabled && application != nullptr && std::wcslen(application) >= MAX_PATH;
  ::SetLastError(tooLong ? ERROR_FILENAME_EXCED_RANGE : processAnswer);
  return FALSE;
}

ShellCall shellCall;
DWORD shellAnswer = 0;

BOOL WINAPI ShellExecuteAsWindows(SHELLEXECUTEINFOW* info) {
  auto text = [](LPCWSTR s) { return s ? std::wstring(s) : std::wstring(L"(null)"); };
  ++shellCall.count;
  shellCall.file = text(info->lpFile);
  shellCall.verb = text(info->lpVerb);
  shellCall.parameters = text(info->lpParameters);
  shellCall.directory = text(info->lpDirectory);
  shellCall.show = info->nShow;
  shellCall.mask = info->fMask;
  shellCall.owner = info->hwnd;
  ::SetLastError(shellAnswer);
  return shellAnswer == 0;
}

Launch launch;

BOOL WINAPI ShowWindowAsLaunched(HWND hwnd, int show) {
  launch.shown.push_back(hwnd);
  const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
  const bool takes = !(style & WS_CHILD) && ::GetWindow(hwnd, GW_OWNER) == nullptr &&
                     (!(style & WS_POPUP) || (style & WS_CAPTION) == WS_CAPTION);
  if (takes && !launch.used) {
    if (show == SW_SHOW || show == SW_SHOWNORMAL || show == SW_SHOWDEFAULT) show = launch.show;
    launch.used = true;  // any call spends it
  }
  if (show == SW_SHOWDEFAULT) show = SW_SHOWNORMAL;
  return ImportHook::Real(&::ShowWindow)(hwnd, show);
}

int WINAPI MessageBoxAsLaunched(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  launch.used = true;  // a message box clears the state rather than taking it
  return ImportHook::Real(&::MessageBoxW)(owner, text, caption, type);
}

HMONITOR askedMonitor = nullptr;

UINT WINAPI DpiForWindow(HWND) {
  return 120;
}

HRESULT WINAPI DpiForMonitor(HMONITOR monitor, MONITOR_DPI_TYPE type, UINT* x, UINT* y) {
  askedMonitor = monitor;
  *x = *y = type == MDT_EFFECTIVE_DPI ? 144 : 1;
  return S_OK;
}

}  // namespace as_windows
