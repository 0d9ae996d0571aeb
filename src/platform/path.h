// A file system path in the system's own form (UTF-16 on Windows, bytes on
// POSIX), with the little the program does with paths: join a name, take
// the parent or the last name, and cross to and from UTF-8. Smaller than
// std::filesystem::path, whose conversions would bring the standard
// library's whole locale machinery into the exe.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace platform {

#ifdef _WIN32
using PathChar = wchar_t;
inline constexpr PathChar kPathSeparator = L'\\';
#else
using PathChar = char;
inline constexpr PathChar kPathSeparator = '/';
#endif
using PathString = std::basic_string<PathChar>;

class Path {
 public:
  Path() = default;
  explicit Path(PathString native) : native_(std::move(native)) {}
  // Any path type with the system's native() string (std::filesystem::path
  // in tests), without this header depending on it.
  template <class T, class = std::enable_if_t<std::is_convertible_v<
                         decltype(std::declval<const T&>().native()), const PathString&>>>
  Path(const T& other) : native_(other.native()) {}  // NOLINT: implicit by design

  static Path FromUtf8(std::string_view utf8);

  const PathString& Native() const { return native_; }
  const PathChar* c_str() const { return native_.c_str(); }
  bool empty() const { return native_.empty(); }
  std::string Utf8() const;

  // This path and then `name` (UTF-8), with one separator between.
  Path operator/(std::string_view name) const;
  // Everything before the last separator; empty when there is none.
  Path Parent() const;
  // The last name, in UTF-8.
  std::string FileName() const;

  bool operator==(const Path& other) const { return native_ == other.native_; }

 private:
  PathString native_;
};

// The form of a Windows path that file calls take at any length: Windows
// without long path support (7, 8.1, and 10 or 11 without LongPathsEnabled)
// takes a path of MAX_PATH (260) characters or more only as \\?\ (or
// \\?\UNC\ for a share), and then as it is. So the normalization Windows
// gives a shorter path is done here ("File path formats on Windows systems"):
// "/" as "\", "." and ".." put in order, never above the root (a drive, a
// share's server and name, a device path's device), a name's single trailing
// period dropped, and the last name's trailing periods and spaces unless a
// separator ends the path. A device path (\\.\, or //./ and //?/ with either
// separator) is normalized as such. Shorter paths, relative ones (a rooted
// \x and a drive-relative C:x included) and paths given as \\?\ are left as
// they are. Pure, so natively testable.
std::wstring LongPathForm(std::wstring_view path);

// True for a Windows path rooted on the current drive (\x) or relative to a
// drive's current folder (C:x): what it names depends on the process.
bool IsRelativeToCurrentDrive(std::wstring_view path);

}  // namespace platform
