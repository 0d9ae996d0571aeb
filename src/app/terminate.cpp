// What happens when an exception escapes everything: every window procedure
// and wWinMain catch all and report it, so this is the last resort. The
// standard library's default handler prints the exception's demangled type
// to a console the program does not have, and brings a demangler of some
// 46 KB with it; defining the handler here keeps that out of the exe.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx
