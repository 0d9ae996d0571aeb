// The file system calls the program makes, recorded in order (native build
// only: the test binary links with --wrap for write, fsync, close, rename).
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct Syscall {
  std::string name;  // "write", "fsync", "close" or "rename"
  int fd;            // -1 for rename
  std::string to;    // rename's new name
};

// Starts recording afresh; Stop ends it and gives what was recorded.
void StartSyscallLog();
std::vector<Syscall> StopSyscallLog();

}  // namespace testing_support
