// The run-time error numbers and descriptions, and the system codes that map onto
// them.
#include "platform/rt_error.h"

#include <cerrno>

namespace platform {

std::string StandardDescription(int number) {
  switch (number) {
    case kInvalidArgument:
      return "Invalid procedure call or argument";
    case kOutOfMemory:
      return "Out of memory";
    case kInternalError:
      return "Internal error";
    case kFileNotFound:
      return "File not found";
    case kDeviceIO:
      return "Device I/O error";
    case kDiskFull:
      return "Disk full";
    case kPastEndOfFile:
      return "Input past end of file";
    case kPermissionDenied:
      return "Permission denied";
    case kPathFileAccess:
      return "Path/File access error";
    case kPathNotFound:
      return "Path not found";
    default:
      return "Application-defined or object-defined error";
  }
}

int NumberFromErrno(int err) {
  switch (err) {
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
    case EBUSY:
      return kPermissionDenied;
#ifdef EDQUOT
    case EDQUOT:
#endif
    case ENOSPC:
    case EFBIG:
      return kDiskFull;
    case ENOMEM:
      return kOutOfMemory;
    case EIO:
      return kDeviceIO;
    case EINVAL:
      return kInvalidArgument;
    default:
      return kPathFileAccess;
  }
}

int NumberFromWin32(std::uint32_t code) {
  // Numeric values of the ERROR_* constants, so this compiles on any host.
  switch (code) {
    case 2:  // ERROR_FILE_NOT_FOUND
      return kFileNotFound;
    case 3:    // ERROR_PATH_NOT_FOUND
    case 15:   // ERROR_INVALID_DRIVE
    case 161:  // ERROR_BAD_PATHNAME
      return kPathNotFound;
    case 5:     // ERROR_ACCESS_DENIED
    case 19:    // ERROR_WRITE_PROTECT
    case 32:    // ERROR_SHARING_VIOLATION
    case 33:    // ERROR_LOCK_VIOLATION
    case 1224:  // ERROR_USER_MAPPED_FILE
      return kPermissionDenied;
    case 38:  // ERROR_HANDLE_EOF
      return kPastEndOfFile;
    case 39:   // ERROR_HANDLE_DISK_FULL
    case 112:  // ERROR_DISK_FULL
      return kDiskFull;
    case 23:    // ERROR_CRC
    case 30:    // ERROR_READ_FAULT
    case 29:    // ERROR_WRITE_FAULT
    case 1117:  // ERROR_IO_DEVICE
      return kDeviceIO;
    case 8:   // ERROR_NOT_ENOUGH_MEMORY
    case 14:  // ERROR_OUTOFMEMORY
      return kOutOfMemory;
    case 87:   // ERROR_INVALID_PARAMETER
    case 193:  // ERROR_BAD_EXE_FORMAT: not a program Windows can run
    case 216:  // ERROR_EXE_MACHINE_TYPE_MISMATCH
      return kInvalidArgument;
    default:
      return kPathFileAccess;
  }
}

void ThrowErrno(int err) {
  throw RuntimeError(NumberFromErrno(err));
}
void ThrowWin32(std::uint32_t code) {
  throw RuntimeError(NumberFromWin32(code));
}

}  // namespace platform
