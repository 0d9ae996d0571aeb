// Converting text between UTF-8 and the system code page, refusing what the
// code page cannot store exactly. Both ways go through UTF-16.
#include <windows.h>

#include "platform/codepage.h"
#include "platform/utf16.h"

namespace platform {
namespace {

// `text` in `codePage` as UTF-16; text the system cannot convert is an error.
std::wstring WidenOrThrow(const std::string& text, UINT codePage) {
  std::wstring wide = Widen(text, codePage);
  if (wide.empty() && !text.empty()) ThrowWin32(::GetLastError());
  return wide;
}

// Converts without best-fit look-alikes; false when a character has no exact
// match in the code page.
bool ToAnsi(const std::wstring& wide, std::string& bytes) {
  // UTF-8 as the system code page (Windows 10 1903 and later) holds every
  // character but a lone surrogate, which WC_ERR_INVALID_CHARS refuses.
  // Windows takes no other flag for UTF-8 and no used-default pointer: with
  // them it fails every call.
  const bool utf8 = ::GetACP() == CP_UTF8;
  const UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL lossy = FALSE;
  BOOL* usedDefault = utf8 ? nullptr : &lossy;
  const int size = static_cast<int>(wide.size());
  const int len =
      ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefault);
  if (len <= 0 || lossy) return false;
  bytes.assign(static_cast<std::size_t>(len), '\0');
  return ::WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), len, nullptr,
                               usedDefault) == len &&
         !lossy;
}

}  // namespace

std::string ToCodePage(const std::string& utf8) {
  std::wstring wide = WidenOrThrow(utf8, CP_UTF8);
  std::string bytes;
  if (wide.empty() || ToAnsi(wide, bytes)) return bytes;
  // Name the first character that cannot be stored, so the user knows what
  // to change.
  std::string refused = "?";
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const bool pair =
        IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() && IS_LOW_SURROGATE(wide[i + 1]);
    const std::size_t n = pair ? 2 : 1;
    std::string ignored;
    if (!ToAnsi(wide.substr(i, n), ignored)) {
      refused = Narrow(std::wstring_view(wide).substr(i, n));
      break;
    }
    i += n - 1;
  }
  throw CharacterNotStorable(refused);
}

std::string FromCodePage(const std::string& bytes) {
  return Narrow(WidenOrThrow(bytes, CP_ACP));
}

}  // namespace platform
