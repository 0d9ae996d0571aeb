// The BIOS path crosses from the window's Unicode text to the settings
// file's single-byte code page in one place, which refuses look-alikes.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/rt_error.h"

#ifdef _WIN32
#include <windows.h>

#include <cwchar>

#include "platform/utf16.h"
#include "support/as_windows.h"
#endif

namespace platform {
namespace {

#ifdef _WIN32
// A best-fit conversion would store "a" for "ā" and "s" for "ŝ": the emulator
// would then look for another file. Code page 1252, as Wine and Western
// Windows use.
TEST(CodePage, StoresExactCharactersAndRefusesLookAlikes) {
  if (::GetACP() != 1252) GTEST_SKIP() << "code page " << ::GetACP();
  // Windows' code page 1252 stores a look-alike where best fit is not
  // refused; Wine's does not.
  testing_support::ImportHook hook(&::WideCharToMultiByte, &as_windows::ConvertWithBestFit);
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

// The seam itself: a function already hooked is not hooked again, so that
// the inner hook's end cannot undo the outer one's.
TEST(ImportHook, ASecondHookOfOneFunctionIsRefused) {
  if (::GetACP() != 1252) GTEST_SKIP() << "code page " << ::GetACP();
  // What the program stores for "é" shows which GetACP it calls.
  const std::string e = "\xC3\xA9";
  {
    testing_support::ImportHook first(&::GetACP, &as_windows::Utf8SystemCodePage);
    EXPECT_NONFATAL_FAILURE(
        testing_support::ImportHook second(&::GetACP, &as_windows::Utf8SystemCodePage),
        "already hooked");
    EXPECT_EQ(ToCodePage(e), e);  // the first hook still holds: UTF-8
  }
  EXPECT_EQ(ToCodePage(e), "\xE9");  // and its end puts the system's back
  testing_support::ImportHook again(&::GetACP, &as_windows::Utf8SystemCodePage);
  EXPECT_EQ(ToCodePage(e), e);
}

// With UTF-8 as the system code page (Windows 10 1903 and later), Windows
// converts to UTF-8 only with the flags 0 or WC_ERR_INVALID_CHARS and no
// used-default pointer, and fails every other call; Wine takes any flags.
// The conversion is asked as Windows takes it, stores UTF-8, and refuses a
// lone surrogate, which UTF-8 cannot hold, rather than store U+FFFD.
TEST(CodePage, UnderUtf8AsTheSystemCodePageStoresUtf8AsWindowsAsks) {
  testing_support::ImportHook acp(&::GetACP, &as_windows::Utf8SystemCodePage);
  testing_support::ImportHook convert(&::WideCharToMultiByte, &as_windows::ConvertUnderUtf8);
  as_windows::utf8Conversions = 0;
  const struct {
    std::wstring box;    // the text box's text
    const char* stored;  // nullptr: refused with 5
  } cases[] = {
      {L"C:\\gba\\bios.gba", "C:\\gba\\bios.gba"},
      {L"C:\\jeux\\\u00e9t\u00e9.gba", "C:\\jeux\\\xC3\xA9t\xC3\xA9.gba"},
      {L"C:\\\u30b2\u30fc\u30e0\\bios.gba", "C:\\\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0\\bios.gba"},
      {L"C:\\\U0001F3AE.gba", "C:\\\xF0\x9F\x8E\xAE.gba"},
      {L"C:\\\xD800.gba", nullptr},  // a lone surrogate
      {L"C:\\\xDC00\xD800.gba", nullptr},
  };
  for (const auto& c : cases) {
    const std::string utf8 = platform::Narrow(c.box);
    if (c.stored != nullptr) {
      EXPECT_EQ(ToCodePage(utf8), c.stored);
      continue;
    }
    try {
      const std::string stored = ToCodePage(utf8);
      ADD_FAILURE() << "stored a lone surrogate as " << stored;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), kInvalidArgument);
    }
  }
  EXPECT_GT(as_windows::utf8Conversions, 0);
}

// Any UTF-16 text crosses to UTF-8 and back unchanged, a lone surrogate
// included; bytes that are no UTF-8 become U+FFFD.
TEST(Utf16, NarrowAndWidenGiveBackAnyText) {
  for (const std::wstring& text :
       {std::wstring(L"C:\\gba"), std::wstring(L"\u00e9\u30b2\U0001F3AE"), std::wstring(L"a\xD800"),
        std::wstring(L"\xDC00\xD800z"), std::wstring(L"\xDBFF")}) {
    EXPECT_EQ(platform::Widen(platform::Narrow(text)), text);
  }
  EXPECT_EQ(platform::Narrow(L"\u00e9\U0001F3AE"), "\xC3\xA9\xF0\x9F\x8E\xAE");
  for (const char* bad : {"\xE9", "\xC3", "\xC0\xAF", "\xF5\x80\x80\x80", "\xE0\x80\x80"})
    EXPECT_EQ(platform::Widen(std::string(bad) + "x").back(), L'x') << bad;
  EXPECT_EQ(platform::Widen("\xE9x"), L"\xFFFDx");
}
#endif

}  // namespace
}  // namespace platform
