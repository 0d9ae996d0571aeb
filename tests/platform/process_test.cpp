// Starting the emulator where Windows answers otherwise than Wine: a program
// that needs elevation, and a path longer than Windows starts a program from.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/process.h"
#include "platform/rt_error.h"
#include "support/as_windows.h"

namespace platform {
namespace {

using as_windows::shellCall;

// An emulator that asks for administrator rights is started through the
// shell, which asks the user: the same program, in a normal window, in the
// current folder, started before the call returns (a "Start and Exit" ends
// right after), with any failure left to this program to show, and with the
// window the user clicked in as the prompt's owner, so that the prompt comes
// to the front. A refusal there is a failed start that says why.
TEST(ProcessStart, AProgramThatNeedsElevationStartsThroughTheShell) {
  testing_support::ImportHook create(&::CreateProcessW, &as_windows::RefuseWithoutElevation);
  testing_support::LookupHook shell32(
      {testing_support::Offered(&::ShellExecuteExW, &as_windows::ShellExecuteAsWindows)});
  const Path exe(L"C:\\Games\\Quimbel Advance\\QuimbelAdvance.exe");
  HWND clicked = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 50,
                                   50, nullptr, nullptr, nullptr, nullptr);
  ::SetForegroundWindow(clicked);
  ::SetActiveWindow(clicked);

  shellCall = {};
  as_windows::shellAnswer = 0;
  EXPECT_NO_THROW(RealProcessStarter().Start(exe));
  EXPECT_EQ(shellCall.count, 1);
  EXPECT_EQ(shellCall.file, exe.Native());
  EXPECT_TRUE(shellCall.verb == L"(null)" || shellCall.verb == L"open") << shellCall.verb.size();
  EXPECT_EQ(shellCall.parameters, L"(null)");
  EXPECT_EQ(shellCall.directory, L"(null)");
  EXPECT_EQ(shellCall.show, SW_SHOWNORMAL);
  EXPECT_EQ(shellCall.mask & SEE_MASK_NOASYNC, ULONG{SEE_MASK_NOASYNC});
  EXPECT_EQ(shellCall.mask & SEE_MASK_FLAG_NO_UI, ULONG{SEE_MASK_FLAG_NO_UI});
  EXPECT_EQ(shellCall.owner, ::GetActiveWindow());
  EXPECT_EQ(shellCall.owner, clicked);

  // "&Ok" pressed by automation with no window of the program active: the
  // main window owns the prompt.
  ::DestroyWindow(clicked);
  HWND main = ::CreateWindowExW(WS_EX_NOACTIVATE, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50,
                                nullptr, nullptr, nullptr, nullptr);
  SetConsentPromptFallback(main);
  ASSERT_EQ(::GetActiveWindow(), nullptr);
  EXPECT_NO_THROW(RealProcessStarter().Start(exe));
  EXPECT_EQ(shellCall.owner, main);
  SetConsentPromptFallback(nullptr);
  ::DestroyWindow(main);

  as_windows::shellAnswer = ERROR_CANCELLED;  // the user said no at the consent prompt
  try {
    RealProcessStarter().Start(exe);
    ADD_FAILURE() << "a refused start counted as started";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kPermissionDenied);
    EXPECT_NE(e.Description().find("administrator"), std::string::npos) << e.Description();
  }
}

// A failed start from a long path says that the length is why only when it
// is: Windows without long path support starts no program from a path of
// MAX_PATH (260) characters or more.
TEST(ProcessStart, AFailureNamesThePathsLengthOnlyWhenThatIsWhy) {
  testing_support::ImportHook create(&::CreateProcessW, &as_windows::CreateProcessWithinMaxPath);
  const struct {
    std::size_t length;
    bool longPaths;  // Windows 10 or 11 with LongPathsEnabled
    DWORD answer;    // what the system says when the length is no obstacle
    bool namesLength;
  } cases[] = {
      {259, false, ERROR_FILE_NOT_FOUND, false}, {260, false, ERROR_FILE_NOT_FOUND, true},
      {261, false, ERROR_ACCESS_DENIED, true},   {300, true, ERROR_BAD_EXE_FORMAT, false},
      {300, true, ERROR_ACCESS_DENIED, false},
  };
  for (const auto& c : cases) {
    const std::wstring head = L"C:\\";
    const std::wstring tail = L"\\QuimbelAdvance.exe";
    const Path exe(head + std::wstring(c.length - head.size() - tail.size(), L'g') + tail);
    as_windows::processAnswer = c.answer;
    as_windows::longPathsEnabled = c.longPaths;
    try {
      RealProcessStarter().Start(exe);
      ADD_FAILURE() << "a failed start counted as started";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Description().find("259 characters") != std::string::npos, c.namesLength)
          << c.length << ": " << e.Description();
    }
  }
}

}  // namespace
}  // namespace platform
