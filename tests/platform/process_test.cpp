// Starting the emulator where Windows asks for consent first, which Wine, where
// every process is elevated, never does: the test gives the answers Windows
// would.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <string>

#include "platform/process.h"
#include "platform/rt_error.h"
#include "support/import_hook.h"

namespace platform {
namespace {

constexpr DWORD kElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED
DWORD shellAnswer = 0;                     // 0: started; else the error the shell gives
struct ShellCall {
  int count = 0;
  std::wstring file, verb, parameters, directory;
  int show = -1;
} shell;

BOOL WINAPI RefuseWithoutElevation(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                                   BOOL, DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW,
                                   LPPROCESS_INFORMATION) {
  ::SetLastError(kElevationRequired);
  return FALSE;
}

BOOL WINAPI ShellExecuteAsWindows(SHELLEXECUTEINFOW* info) {
  auto text = [](LPCWSTR s) { return s ? std::wstring(s) : std::wstring(L"(null)"); };
  ++shell.count;
  shell.file = text(info->lpFile);
  shell.verb = text(info->lpVerb);
  shell.parameters = text(info->lpParameters);
  shell.directory = text(info->lpDirectory);
  shell.show = info->nShow;
  ::SetLastError(shellAnswer);
  return shellAnswer == 0;
}

// An emulator that asks for administrator rights is started through the
// shell, which asks the user: the same program, in a normal window, in the
// current folder. A refusal there is a failed start that says why.
TEST(ProcessStart, AProgramThatNeedsElevationStartsThroughTheShell) {
  testing_support::ImportHook create("CreateProcessW",
                                     reinterpret_cast<const void*>(&RefuseWithoutElevation));
  testing_support::LookupHook shell32(
      {{"ShellExecuteExW", reinterpret_cast<const void*>(&ShellExecuteAsWindows)}});
  const Path exe(L"C:\\Games\\Quimbel Advance\\QuimbelAdvance.exe");

  shell = {};
  shellAnswer = 0;
  EXPECT_NO_THROW(RealProcessStarter().Start(exe));
  EXPECT_EQ(shell.count, 1);
  EXPECT_EQ(shell.file, exe.Native());
  EXPECT_TRUE(shell.verb == L"(null)" || shell.verb == L"open") << shell.verb.size();
  EXPECT_EQ(shell.parameters, L"(null)");
  EXPECT_EQ(shell.directory, L"(null)");
  EXPECT_EQ(shell.show, SW_SHOWNORMAL);

  shellAnswer = ERROR_CANCELLED;  // the user said no at the consent prompt
  try {
    RealProcessStarter().Start(exe);
    ADD_FAILURE() << "a refused start counted as started";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kPermissionDenied);
    EXPECT_NE(e.Description().find("administrator"), std::string::npos) << e.Description();
  }
}

}  // namespace
}  // namespace platform
