// The names and texts that credit the emulator and this program.
#pragma once

#include <string_view>

namespace window {

inline constexpr std::string_view kProgramTitle = "Quimbel advance starter";
inline constexpr std::string_view kMainCaption =
    "Quimbel Advance Start  \xC2\xA9 2001 Pieter Lindhout";
inline constexpr std::string_view kCreditText =
    "Quimbel Advance, the emulator, by Ned Quimbel\r\n"
    "Copyright 2001 Quimbel Software\r\n"
    "Quimbel Advance starter by Pieter Lindhout\r\n"
    "Starter copyright 2001";

}  // namespace window

namespace window {

inline constexpr std::string_view kCopyrightNotice = "Copyright \xC2\xA9 2001 Pieter Lindhout";
inline constexpr std::string_view kEmulatorAuthor = "Ned Quimbel";
inline constexpr std::string_view kFaqAddress = "http://quimbeladvance.example/faq.html";

}  // namespace window
