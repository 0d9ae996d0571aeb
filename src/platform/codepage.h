// The settings file is single-byte text in the system's code page; window
// texts are Unicode. These are the only crossings between the two.
#pragma once

#include <string>

namespace platform {

// UTF-8 to the system's single-byte code page. Throws RuntimeError 5 when a
// character has no exact match there: storing a look-alike would point the
// emulator at another file.
std::string ToCodePage(const std::string& utf8);

// The system's single-byte code page to UTF-8.
std::string FromCodePage(const std::string& bytes);

}  // namespace platform
