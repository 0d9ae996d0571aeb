// Starting another program.
#pragma once

#include "platform/path.h"

namespace platform {

// Starts the executable at `exe` with no arguments, in a normal window that
// takes the focus, in this program's current folder. Does not wait for it
// and keeps nothing of it. Throws RuntimeError when it cannot be started.
void StartProcess(const Path& exe);

}  // namespace platform
