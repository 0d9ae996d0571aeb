// POSIX systems keep file names and file text in one byte encoding, so the
// native build passes text through unchanged.
#include "platform/codepage.h"

namespace platform {

std::string ToCodePage(const std::string& utf8) {
  return utf8;
}
std::string FromCodePage(const std::string& bytes) {
  return bytes;
}

}  // namespace platform
