// Text in the system's code page (single-byte such as 1252, double-byte such
// as 932, or UTF-8 itself under 65001) and the UTF-8 the program works in.
#pragma once

#include <string>

#include "platform/rt_error.h"

namespace platform {

// A character the system's code page has no exact match for (error 5).
struct CharacterNotStorable : RuntimeError {
  std::string character;  // the first such, UTF-8
  explicit CharacterNotStorable(const std::string& refused)
      : RuntimeError(WithDetail(kInvalidArgument,
                                "the system's code page cannot store the "
                                "character \"" +
                                    refused + "\"")),
        character(refused) {}
};

// UTF-8 to the system's code page. Throws CharacterNotStorable rather than
// store a look-alike, which would name another file.
std::string ToCodePage(const std::string& utf8);

// The system's code page to UTF-8.
std::string FromCodePage(const std::string& bytes);

}  // namespace platform
