#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "platform/process.h"
#include "platform/rt_error.h"

extern char** environ;

namespace platform {

void StartProcess(const Path& exe) {
  char* argv[] = {const_cast<char*>(exe.c_str()), nullptr};
  pid_t pid = 0;
  int err = ::posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv, environ);
  if (err != 0) ThrowErrno(err);
}

}  // namespace platform
