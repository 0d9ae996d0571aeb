// Text between UTF-16, as Windows keeps it, and UTF-8 or another code page,
// for paths and window texts. (codepage.h converts the settings file's text
// with these, but to the code page itself, refusing what it cannot store.)
#pragma once

#include <string>
#include <string_view>

namespace platform {

inline constexpr unsigned kUtf8CodePage = 65001;  // CP_UTF8

// `text`, in `codePage`, as UTF-16; empty when the system cannot convert it.
// From UTF-8, a surrogate written as three bytes comes back as that lone
// surrogate, so that Narrow and Widen give back any UTF-16 text unchanged.
std::wstring Widen(std::string_view text, unsigned codePage = kUtf8CodePage);

// UTF-16 as UTF-8. A lone surrogate (which a file name or a text box may hold,
// but UTF-8 cannot) is written as three bytes of its own rather than as
// U+FFFD, so that what cannot be stored is still seen and refused later.
std::string Narrow(std::wstring_view wide);

}  // namespace platform
