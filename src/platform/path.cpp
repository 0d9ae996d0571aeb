// Joining and taking apart paths, and their UTF-8 form.
#include "platform/path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {
namespace {

#ifdef _WIN32
bool IsSeparator(PathChar c) {
  return c == L'\\' || c == L'/';
}

PathString FromUtf8String(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int length =
      ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  PathString wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
  return wide;
}

std::string ToUtf8String(const PathString& wide) {
  if (wide.empty()) return {};
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
  return utf8;
}
#else
bool IsSeparator(PathChar c) {
  return c == '/';
}
PathString FromUtf8String(std::string_view utf8) {
  return PathString(utf8);
}
std::string ToUtf8String(const PathString& bytes) {
  return bytes;
}
#endif

}  // namespace

Path Path::FromUtf8(std::string_view utf8) {
  return Path(FromUtf8String(utf8));
}

std::string Path::Utf8() const {
  return ToUtf8String(native_);
}

Path Path::operator/(std::string_view name) const {
  PathString joined = native_;
  if (!joined.empty() && !IsSeparator(joined.back())) joined += kPathSeparator;
  joined += FromUtf8String(name);
  return Path(std::move(joined));
}

Path Path::Parent() const {
  std::size_t at = native_.size();
  while (at > 0 && !IsSeparator(native_[at - 1])) --at;
  if (at == 0) return Path();
  // Keep the separator of a root ("C:\", "/").
  std::size_t end = at - 1;
  if (end == 0 || (end == 2 && native_[1] == static_cast<PathChar>(':'))) ++end;
  return Path(native_.substr(0, end));
}

std::string Path::FileName() const {
  std::size_t at = native_.size();
  while (at > 0 && !IsSeparator(native_[at - 1])) --at;
  return ToUtf8String(native_.substr(at));
}

}  // namespace platform
