// Joining and taking apart paths, and their UTF-8 form.
#include "platform/path.h"

#ifdef _WIN32
#include "platform/utf16.h"
#endif

namespace platform {
namespace {

#ifdef _WIN32
bool IsSeparator(PathChar c) {
  return c == L'\\' || c == L'/';
}

PathString FromUtf8String(std::string_view utf8) {
  return Widen(utf8);
}
std::string ToUtf8String(const PathString& wide) {
  return Narrow(wide);
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
