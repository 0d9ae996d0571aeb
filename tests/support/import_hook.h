// Windows only: puts a test's own function in the place of a system function
// that this test exe imports, for as long as the hook lives. Where Wine is
// more lenient than Windows (flags it accepts, errors it never gives,
// functions it always exports), the program's calls can only be checked so.
#pragma once

#include <windows.h>

#include <map>
#include <string>
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

  // The system's own `function`, behind the hook of that name that lives
  // now: for a replacement that passes calls on.
  template <class Fn>
  static Fn Real(const char* function) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(RealAddress(function)));
  }

 private:
  static void* RealAddress(const char* function);

  std::string function_;
  std::vector<std::pair<void**, void*>> slots_;  // each slot and what it held
};

// GetProcAddress as the test wants it, for the functions the program looks
// up at run time: each one named here comes from the test, or is missing
// (nullptr) as on an older Windows; every other comes from the system.
class LookupHook {
 public:
  explicit LookupHook(std::map<std::string, const void*> offers);
  ~LookupHook();

 private:
  std::map<std::string, const void*> offers_;
  ImportHook hook_;
};

}  // namespace testing_support
