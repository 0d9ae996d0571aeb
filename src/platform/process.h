// The process service: starting another program. The handlers reach it as
// they reach the file service, so tests can see what would have started.
#pragma once

#include "platform/path.h"
#include "platform/rt_error.h"

namespace platform {

// A start refused for a reason its number does not tell, for the caller to word.
struct StartRefused : RuntimeError {
  enum Why { kElevationRefused, kPathTooLong } why;
  StartRefused(int number, Why reason)
      : RuntimeError(WithDetail(number, reason == kElevationRefused
                                            ? "administrator rights were refused"
                                            : "the path is longer than the 259 characters "
                                              "Windows starts a program from")),
        why(reason) {}
};

class ProcessStarter {
 public:
  virtual ~ProcessStarter() = default;
  // Starts the executable at `exe` with no arguments, in a normal window
  // that takes the focus, in this program's current folder. Does not wait
  // for it and keeps nothing of it. Throws RuntimeError when it cannot be
  // started, StartRefused where the number alone would not say why.
  virtual void Start(const Path& exe) = 0;
};

#ifdef _WIN32
// The system's own process start.
ProcessStarter& RealProcessStarter();
// The window (an HWND) that the consent prompt of a program asking for
// administrator rights belongs to when no window of this thread is active:
// a screen reader's invoke, or a click sent by automation, presses a button
// of a window in the background. Null for none.
void SetConsentPromptFallback(void* window);
#endif

}  // namespace platform
