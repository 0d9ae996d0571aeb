// Windows only: puts a test's own function in the place of a system function
// that this test exe imports, for as long as the hook lives. Where Wine is
// more lenient than Windows (flags it accepts, errors it never gives,
// functions it always exports), the program's calls can only be checked so.
// The fakes that stand for Windows live together in support/as_windows.h.
#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>
#include <vector>

namespace testing_support {

class ImportHook {
 public:
  // Every call this exe makes to `system` (written &::Name) goes to `fake`,
  // which must have the very same type, until the hook ends. The function is
  // found by what the import slots hold, so it is named only once. Fails the
  // test, and hooks nothing, when the exe does not import the function or
  // another hook already holds it.
  template <class Fn, class = std::enable_if_t<std::is_function_v<std::remove_pointer_t<Fn>>>>
  ImportHook(Fn system, std::type_identity_t<Fn> fake)
      : ImportHook(Address(system), Address(fake)) {}
  ~ImportHook();
  ImportHook(const ImportHook&) = delete;
  ImportHook& operator=(const ImportHook&) = delete;

  // The system's own function behind `function` (written &::Name, which
  // while hooked gives the fake): for a fake that passes calls on.
  template <class Fn>
  static Fn Real(Fn function) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(RealAddress(Address(function))));
  }

  // Where `function` is: the system's code itself, also where the header
  // declares it without dllimport (as shellscalingapi.h does) and the name
  // stands for a stub of this exe that jumps through the import slot.
  template <class Fn>
  static void* Address(Fn function) {
    return ThroughStub(reinterpret_cast<void*>(reinterpret_cast<void (*)()>(function)));
  }

 private:
  static void* ThroughStub(void* code);
  ImportHook(void* system, void* fake);
  static void* RealAddress(void* function);

  void* fake_ = nullptr;
  std::vector<std::pair<void**, void*>> slots_;  // each slot and what it held
};

// What GetProcAddress gives for one function the program looks up at run
// time: the test's fake, or nullptr as on a Windows that lacks it.
struct Offer {
  void* system;
  void* fake;
};
template <class Fn>
Offer Offered(Fn system, std::type_identity_t<Fn> fake) {
  return {ImportHook::Address(system), fake ? ImportHook::Address(fake) : nullptr};
}

// GetProcAddress as the test wants it: each function offered comes from the
// test (or is missing), every other from the system. One lives at a time.
class LookupHook {
 public:
  explicit LookupHook(std::vector<Offer> offers);
  ~LookupHook();
  LookupHook(const LookupHook&) = delete;
  LookupHook& operator=(const LookupHook&) = delete;

 private:
  std::vector<Offer> offers_;
  ImportHook hook_;
};

}  // namespace testing_support
