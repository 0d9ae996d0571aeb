#include "support/syscall_log.h"

#include <sys/types.h>

namespace testing_support {
namespace {
bool recording = false;
std::vector<Syscall> calls;

void Record(const char* name, int fd, const char* to = "") {
  if (!recording) return;
  recording = false;  // the vector's own allocations make no calls to log
  calls.push_back({name, fd, to});
  recording = true;
}
}  // namespace

void StartSyscallLog() {
  calls.clear();
  recording = true;
}

std::vector<Syscall> StopSyscallLog() {
  recording = false;
  return calls;
}

}  // namespace testing_support

extern "C" {
ssize_t __real_write(int fd, const void* data, size_t size);
int __real_fsync(int fd);
int __real_close(int fd);
int __real_rename(const char* from, const char* to);

ssize_t __wrap_write(int fd, const void* data, size_t size) {
  testing_support::Record("write", fd);
  return __real_write(fd, data, size);
}
int __wrap_fsync(int fd) {
  testing_support::Record("fsync", fd);
  return __real_fsync(fd);
}
int __wrap_close(int fd) {
  testing_support::Record("close", fd);
  return __real_close(fd);
}
int __wrap_rename(const char* from, const char* to) {
  testing_support::Record("rename", -1, to);
  return __real_rename(from, to);
}
}
