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
      {7, "Out of memory"},
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

// Every code the mapping names, and one it does not, with the number a user
// of the original run time would see for that failure.
TEST(RuntimeError, MapsSystemCodes) {
  const struct {
    std::uint32_t win32;
    int number;
  } win32Cases[] = {
      {2, 53},     // file not found
      {3, 76},     // path not found
      {15, 76},    // invalid drive
      {161, 76},   // bad path name
      {5, 70},     // access denied
      {19, 70},    // write-protected medium
      {32, 70},    // sharing violation
      {33, 70},    // lock violation
      {1224, 70},  // file mapped by another process
      {38, 62},    // end of file
      {39, 61},    // disk full
      {112, 61},   // disk full
      {23, 57},    // CRC error
      {29, 57},    // write fault
      {30, 57},    // read fault
      {1117, 57},  // device I/O error
      {8, 7},      // not enough memory
      {14, 7},     // out of memory
      {87, 5},     // invalid parameter
      {193, 5},    // not a valid program
      {216, 5},    // program for another machine
      {1407, 75},  // anything else: path/file access error
  };
  for (const auto& c : win32Cases) EXPECT_EQ(NumberFromWin32(c.win32), c.number) << c.win32;

  const struct {
    int err;
    int number;
  } errnoCases[] = {
      {ENOENT, 53}, {ENOTDIR, 76}, {EACCES, 70}, {EPERM, 70}, {EROFS, 70},
      {EBUSY, 70},  {ETXTBSY, 70}, {ENOSPC, 61}, {EFBIG, 61}, {EIO, 57},
      {EINVAL, 5},  {ENOMEM, 7},   {EEXIST, 75},
#ifdef EDQUOT
      {EDQUOT, 61},
#endif
  };
  for (const auto& c : errnoCases) EXPECT_EQ(NumberFromErrno(c.err), c.number) << c.err;
}

}  // namespace
}  // namespace platform
