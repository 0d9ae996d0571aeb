// The names and texts that credit the emulator and this program.
#pragma once

#include <string_view>

#include "version.h"

namespace window {

inline constexpr std::string_view kProgramTitle = QUIMBEL_PROGRAM_TITLE;
inline constexpr std::string_view kCopyrightNotice = QUIMBEL_COPYRIGHT;
inline constexpr std::string_view kMainCaption = "Quimbel Advance Start  " QUIMBEL_COPYRIGHT;
inline constexpr std::string_view kCreditText =
    "Quimbel Advance, the emulator, by Ned Quimbel\r\n"
    "Copyright 2001 Quimbel Software\r\n"
    "Quimbel Advance starter by Pieter Lindhout\r\n"
    "Starter copyright 2001";

inline constexpr std::string_view kEmulatorAuthor = "Ned Quimbel";
inline constexpr std::string_view kFaqAddress = "http://quimbeladvance.example/faq.html";

}  // namespace window
