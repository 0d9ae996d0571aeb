// Window classes and icons, window creation, the count of open windows and the
// last-resort report.
#include "window/win32/win32_util.h"

#include <new>
#include <utility>

#include "platform/rt_error.h"
#include "platform/system_library.h"
#include "window/credits.h"

namespace win32 {

namespace {
// The icon resource at this size, from the image of that size or else the
// next larger one scaled down (LoadIconWithScaleDown, common controls 6);
// LoadImage would scale the next smaller up, blurred. The icon is the
// caller's: never a shared one, which the system keeps one of per resource,
// whatever the size asked for.
HICON LoadIconAt(int iconResource, int size) {
  HINSTANCE module = ::GetModuleHandleW(nullptr);
  HICON icon = nullptr;
  const auto load = platform::Find(platform::system_functions::LoadIconWithScaleDown);
  if (load && SUCCEEDED(load(module, MAKEINTRESOURCEW(iconResource), size, size, &icon)))
    return icon;
  return static_cast<HICON>(
      ::LoadImageW(module, MAKEINTRESOURCEW(iconResource), IMAGE_ICON, size, size, 0));
}
}  // namespace

void RegisterWindowClass(const wchar_t* name, WNDPROC proc, int iconResource) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(instance, name, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  // The class keeps its icons for the rest of the run; it is registered once.
  wc.hIcon = LoadIconAt(iconResource, ::GetSystemMetrics(SM_CXICON));
  wc.hIconSm = LoadIconAt(iconResource, ::GetSystemMetrics(SM_CXSMICON));
  wc.lpszClassName = name;
  if (!::RegisterClassExW(&wc)) ThrowLastError();
}

WindowIcons SetIconsForDpi(HWND hwnd, int iconResource, UINT dpi) {
  WindowIcons icons;
  icons.big.Reset(LoadIconAt(iconResource, ::MulDiv(32, static_cast<int>(dpi), 96)));
  icons.small.Reset(LoadIconAt(iconResource, ::MulDiv(16, static_cast<int>(dpi), 96)));
  for (auto [which, icon] :
       {std::pair{ICON_BIG, icons.big.Get()}, std::pair{ICON_SMALL, icons.small.Get()}}) {
    if (icon) ::SendMessageW(hwnd, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  }
  return icons;
}

HWND CreateWindowOrThrow(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x,
                         int y, int width, int height, HWND parent, HMENU menu) {
  HWND hwnd = ::CreateWindowExW(exStyle, cls, text, style, x, y, width, height, parent, menu,
                                ::GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) ThrowLastError();
  return hwnd;
}

HWND CreateHiddenOwner() {
  constexpr wchar_t kClass[] = L"QuimbelOwner";
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  if (!::GetClassInfoExW(wc.hInstance, kClass, &wc)) {
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.lpszClassName = kClass;
    if (!::RegisterClassExW(&wc)) ThrowLastError();
  }
  return CreateWindowOrThrow(0, kClass, platform::Widen(window::kProgramTitle).c_str(),
                             WS_OVERLAPPED, 0, 0, 0, 0, nullptr);
}

void ThrowLastError(DWORD code) {
  // A window procedure that failed its creation may leave no code behind.
  platform::ThrowWin32(code != 0 ? code : ERROR_NOT_ENOUGH_MEMORY);
}

std::string WindowText(HWND hwnd) {
  int len = ::GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(len) + 1, L'\0');
  len = ::GetWindowTextW(hwnd, text.data(), len + 1);
  text.resize(static_cast<std::size_t>(len > 0 ? len : 0));
  return platform::Narrow(text);
}

void ReportFatal(std::exception_ptr error) noexcept {
  int number = platform::kInternalError;
  std::string description = platform::StandardDescription(number);
  try {
    std::rethrow_exception(error);
  } catch (const platform::RuntimeError& e) {
    number = e.Number();
    description = e.Description();
  } catch (const std::bad_alloc&) {
    number = platform::kOutOfMemory;
    description = platform::StandardDescription(number);
  } catch (const std::exception& e) {
    description = e.what();
  } catch (...) {
  }
  std::string text = "Run-time error '" + std::to_string(number) + "':\r\n\r\n" + description;
  ::MessageBoxW(nullptr, platform::Widen(text).c_str(),
                platform::Widen(window::kProgramTitle).c_str(), MB_ICONSTOP | MB_OK | MB_TASKMODAL);
  ::ExitProcess(1);
}

namespace {
int openWindows = 0;
}  // namespace

void WindowOpened() {
  ++openWindows;
}

void WindowClosed(bool endWhenLast) {
  if (--openWindows == 0 && endWhenLast) ::PostQuitMessage(0);
}

}  // namespace win32
