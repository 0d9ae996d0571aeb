#include <windows.h>

#include "platform/codepage.h"
#include "platform/rt_error.h"

namespace platform {
namespace {

std::wstring Widen(const std::string& text, UINT codePage) {
  if (text.empty()) return {};
  int len =
      ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (len <= 0) ThrowWin32(::GetLastError());
  std::wstring wide(static_cast<std::size_t>(len), L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), len);
  return wide;
}

}  // namespace

std::string ToCodePage(const std::string& utf8) {
  std::wstring wide = Widen(utf8, CP_UTF8);
  if (wide.empty()) return {};
  BOOL lossy = FALSE;
  int len = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                  static_cast<int>(wide.size()), nullptr, 0, nullptr, &lossy);
  std::string bytes(static_cast<std::size_t>(len > 0 ? len : 0), '\0');
  if (len > 0) {
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                          bytes.data(), len, nullptr, &lossy);
  }
  if (len <= 0 || lossy) {
    throw RuntimeError(kInvalidArgument,
                       "Invalid procedure call or argument: the BIOS path holds a character "
                       "that the system's code page cannot store");
  }
  return bytes;
}

std::string FromCodePage(const std::string& bytes) {
  std::wstring wide = Widen(bytes, CP_ACP);
  if (wide.empty()) return {};
  int len = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                  0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(len > 0 ? len : 0), '\0');
  if (len > 0) {
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), len,
                          nullptr, nullptr);
  }
  return utf8;
}

}  // namespace platform
