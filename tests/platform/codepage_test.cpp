// The BIOS path crosses from the window's Unicode text to the settings
// file's single-byte code page in one place, which refuses look-alikes.
#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/rt_error.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {
namespace {

#ifdef _WIN32
// A best-fit conversion would store "a" for "ā" and "s" for "ŝ": the emulator
// would then look for another file. Code page 1252, as Wine and Western
// Windows use.
TEST(CodePage, StoresExactCharactersAndRefusesLookAlikes) {
  if (::GetACP() != 1252) GTEST_SKIP() << "code page " << ::GetACP();
  const struct {
    const char* utf8;
    const char* bytes;  // nullptr: refused with 5, naming the character
    const char* named;
  } cases[] = {
      {"C:\\gba\\bios.gba", "C:\\gba\\bios.gba", nullptr},
      {"C:\\jeux\\\xC3\xA9t\xC3\xA9.gba", "C:\\jeux\\\xE9t\xE9.gba", nullptr},  // é
      {"C:\\\xC4\x81\\bios.gba", nullptr, "\xC4\x81"},                          // ā
      {"C:\\\xC5\x9D\\bios.gba", nullptr, "\xC5\x9D"},                          // ŝ
      {"C:\\\xE6\x96\x87\\bios.gba", nullptr, "\xE6\x96\x87"},                  // 文
      {"C:\\\xF0\x9F\x8E\xAE.gba", nullptr, "\xF0\x9F\x8E\xAE"},                // a game pad
  };
  for (const auto& c : cases) {
    if (c.bytes != nullptr) {
      EXPECT_EQ(ToCodePage(c.utf8), c.bytes) << c.utf8;
      EXPECT_EQ(FromCodePage(c.bytes), c.utf8) << c.utf8;
      continue;
    }
    try {
      ToCodePage(c.utf8);
      ADD_FAILURE() << "stored " << c.utf8;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), kInvalidArgument) << c.utf8;
      EXPECT_NE(e.Description().find(std::string("\"") + c.named + "\""), std::string::npos)
          << e.Description();
    }
  }
}
#endif

}  // namespace
}  // namespace platform
