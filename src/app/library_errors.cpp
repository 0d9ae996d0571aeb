// What the standard library throws when a container or string is misused or
// memory runs out. Its own versions of these functions sit in one object
// file with every other error it can throw, whose constructors bring its
// prebuilt copy-on-write and SSO strings with them: on x86, where an object
// file's unwind tables keep all its functions, some 60 KB the program never
// uses. These throw the same for memory and a std::exception with the
// library's text for the rest, which the program's last-resort report shows
// as it showed the library's own.
#include <bits/functexcept.h>

#include <exception>
#include <new>

namespace {

class LibraryError : public std::exception {
 public:
  explicit LibraryError(const char* text) : text_(text) {}
  const char* what() const noexcept override { return text_; }

 private:
  const char* text_;  // the library passes its texts as literals
};

}  // namespace

namespace std {

void __throw_bad_alloc() {
  throw std::bad_alloc();
}

void __throw_bad_array_new_length() {
  throw std::bad_array_new_length();
}

void __throw_length_error(const char* text) {
  throw LibraryError(text);
}

void __throw_logic_error(const char* text) {
  throw LibraryError(text);
}

void __throw_out_of_range_fmt(const char* format, ...) {
  throw LibraryError(format);
}

}  // namespace std
