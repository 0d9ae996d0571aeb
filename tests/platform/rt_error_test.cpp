#include "platform/rt_error.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace platform {
namespace {

TEST(RuntimeError, CarriesTheStandardNumbersAndTexts) {
  const struct {
    int number;
    const char* text;
  } cases[] = {
      {5, "Invalid procedure call or argument"},
      {53, "File not found"},
      {57, "Device I/O error"},
      {61, "Disk full"},
      {62, "Input past end of file"},
      {70, "Permission denied"},
      {75, "Path/File access error"},
      {76, "Path not found"},
  };
  for (const auto& c : cases) {
    RuntimeError e(c.number);
    EXPECT_EQ(e.Number(), c.number);
    EXPECT_EQ(e.Description(), c.text);
  }
}

TEST(RuntimeError, MapsSystemCodes) {
  const struct {
    std::uint32_t win32;
    int number;
  } win32Cases[] = {
      {2, 53}, {3, 76}, {5, 70}, {32, 70}, {33, 70}, {38, 62}, {39, 61}, {112, 61}, {1117, 57},
  };
  for (const auto& c : win32Cases) EXPECT_EQ(NumberFromWin32(c.win32), c.number) << c.win32;

  const struct {
    int err;
    int number;
  } errnoCases[] = {
      {ENOENT, 53}, {ENOTDIR, 76}, {EACCES, 70}, {EROFS, 70}, {ENOSPC, 61}, {EIO, 57},
  };
  for (const auto& c : errnoCases) EXPECT_EQ(NumberFromErrno(c.err), c.number) << c.err;
}

}  // namespace
}  // namespace platform
