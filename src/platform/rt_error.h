// Run-time errors as the program reports them: a number and a description,
// with the numbers and texts users of the original run time know.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

// The run-time error numbers the program's messages show (not errno values:
// NumberFromErrno maps those onto these).
enum ErrorNumber : int {
  kInvalidArgument = 5,
  kOutOfMemory = 7,
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

class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(int number) : RuntimeError(number, StandardDescription(number)) {}
  RuntimeError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}

  int Number() const { return number_; }
  std::string Description() const { return what(); }

 private:
  int number_;
};

// The one place where the system's error codes become run-time error numbers.
// Both take plain integers so the mapping is tested on every host.
int NumberFromErrno(int err);
int NumberFromWin32(std::uint32_t code);

[[noreturn]] void ThrowErrno(int err);
[[noreturn]] void ThrowWin32(std::uint32_t code);

}  // namespace platform
