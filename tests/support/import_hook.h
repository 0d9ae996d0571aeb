// Windows only: puts a test's own function in the place of a system function
// that this test exe imports, for as long as the hook lives. Where Wine is
// more lenient than Windows (flags it accepts, errors it never gives,
// functions it always exports), the program's calls can only be checked so.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace testing_support {

class ImportHook {
 public:
  // Every import of `function` (by name, from any DLL) by this exe now goes
  // to `replacement`. Fails the test when the exe imports no such function.
  ImportHook(const char* function, const void* replacement);
  ~ImportHook();
  ImportHook(const ImportHook&) = delete;
  ImportHook& operator=(const ImportHook&) = delete;

  // The system's function, for a replacement that passes calls on.
  template <class Fn>
  Fn Original() const {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(original_));
  }

 private:
  std::vector<std::pair<void**, void*>> slots_;  // each slot and what it held
  void* original_ = nullptr;
};

}  // namespace testing_support
