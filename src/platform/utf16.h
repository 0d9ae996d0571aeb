// Text between UTF-16, as Windows keeps it, and UTF-8 or another code page:
// the one place the program converts.
#pragma once

#include <string>
#include <string_view>

namespace platform {

inline constexpr unsigned kUtf8CodePage = 65001;  // CP_UTF8

// `text`, in `codePage`, as UTF-16; empty when the system cannot convert it.
std::wstring Widen(std::string_view text, unsigned codePage = kUtf8CodePage);

// UTF-16 as UTF-8.
std::string Narrow(std::wstring_view wide);

}  // namespace platform
