// Run-time errors as the program reports them: a number and a description,
// with the numbers and texts users of the original run time know.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace platform {

// The run-time error numbers the program's messages show (not errno values:
// NumberFromErrno maps those onto these).
enum ErrorNumber : int {
  kInvalidArgument = 5,
  kOutOfMemory = 7,
  kInternalError = 51,  // the last-resort report of a failure nothing expected
  kFileNotFound = 53,
  kDeviceIO = 57,
  kDiskFull = 61,
  kPastEndOfFile = 62,
  kPermissionDenied = 70,
  kPathFileAccess = 75,
  kPathNotFound = 76,
};

// The standard description of one of the numbers above.
std::string StandardDescription(int number);

// It keeps its own text: std::runtime_error's copy-on-write string would
// bring the library's prebuilt string code into the exe, some 60 KB on x86,
// where an object file's unwind tables keep every function in it.
class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(int number) : RuntimeError(number, StandardDescription(number)) {}
  RuntimeError(int number, std::string description)
      : number_(number), description_(std::move(description)) {}

  // "<the number's standard description>: <detail>": the one form in which a
  // failure says more than its number does.
  static RuntimeError WithDetail(int number, const std::string& detail) {
    return RuntimeError(number, StandardDescription(number) + ": " + detail);
  }

  int Number() const { return number_; }
  const std::string& Description() const { return description_; }
  const char* what() const noexcept override { return description_.c_str(); }

 private:
  int number_;
  std::string description_;
};

// The one place where the system's error codes become run-time error numbers.
// Both take plain integers so the mapping is tested on every host.
int NumberFromErrno(int err);
int NumberFromWin32(std::uint32_t code);

[[noreturn]] void ThrowErrno(int err);
[[noreturn]] void ThrowWin32(std::uint32_t code);

}  // namespace platform
