// Converting between UTF-16 and UTF-8 or another code page.
#include <windows.h>

#include "platform/utf16.h"

namespace platform {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// UTF-8, and lone surrogates as Narrow writes them, to UTF-16. A byte that
// starts no sequence, or a sequence cut short or too long, becomes U+FFFD.
std::wstring WidenUtf8(std::string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    const unsigned char lead = *p;
    unsigned count = 0, low = 0x80, high = 0xBF;
    char32_t code = 0;
    if (lead < 0x80) {
      wide += static_cast<wchar_t>(lead);
      ++p;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      count = 1, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      count = 2, code = lead & 0x0F, low = lead == 0xE0 ? 0xA0 : 0x80;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      count = 3, code = lead & 0x07;
      low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
      wide += kReplacement;
      ++p;
      continue;
    }
    const unsigned char* q = p + 1;
    bool whole = q < end && *q >= low && *q <= high;
    for (unsigned i = 0; whole && i < count; ++i, ++q) {
      if (q >= end || !IsContinuation(*q)) {
        whole = false;
        break;
      }
      code = (code << 6) | (*q & 0x3F);
    }
    if (!whole) {
      wide += kReplacement;
      p = q > p + 1 ? q : p + 1;
      continue;
    }
    p = q;
    if (code >= 0x10000) {
      code -= 0x10000;
      wide += static_cast<wchar_t>(0xD800 + (code >> 10));
      wide += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    } else {
      wide += static_cast<wchar_t>(code);
    }
  }
  return wide;
}

}  // namespace

std::wstring Widen(std::string_view text, unsigned codePage) {
  if (text.empty()) return {};
  if (codePage == kUtf8CodePage) return WidenUtf8(text);
  const int length =
      ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
  return wide;
}

std::string Narrow(std::wstring_view wide) {
  std::string utf8;
  utf8.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t code = static_cast<char16_t>(wide[i]);
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<char16_t>(wide[++i]) - 0xDC00);
    }
    if (code < 0x80) {
      utf8 += static_cast<char>(code);
    } else if (code < 0x800) {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (code >> 12));
      utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (code >> 18));
      utf8 += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return utf8;
}

}  // namespace platform
