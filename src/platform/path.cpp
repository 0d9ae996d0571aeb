// Joining and taking apart paths, and their UTF-8 form.
#include "platform/path.h"

#ifdef _WIN32
#include "platform/utf16.h"
#endif

namespace platform {
namespace {

// Either separator Windows takes; LongPathForm uses it on every host.
bool IsWindowsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

#ifdef _WIN32
bool IsSeparator(PathChar c) {
  return IsWindowsSeparator(c);
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

std::wstring LongPathForm(std::wstring_view path) {
  constexpr std::size_t kMaxPath = 260;  // MAX_PATH, the terminating null included
  if (path.size() < kMaxPath || path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\"))
    return std::wstring(path);
  std::wstring result;
  bool drive = false;
  std::size_t rootNames = 0;  // the names that belong to the root: a share's server and name
  if (path.size() >= 3 && path[1] == L':' && IsWindowsSeparator(path[2])) {
    result = std::wstring(L"\\\\?\\") + path[0] + L":\\";
    drive = true;
  } else if (IsWindowsSeparator(path[0]) && IsWindowsSeparator(path[1])) {
    result = L"\\\\?\\UNC\\";
    rootNames = 2;
  } else {
    return std::wstring(path);  // relative: the call resolves it, or refuses
  }
  std::size_t root = result.size();  // ".." never goes above it
  for (std::size_t at = drive ? 3 : 0; at < path.size();) {
    while (at < path.size() && IsWindowsSeparator(path[at])) ++at;
    std::size_t end = at;
    while (end < path.size() && !IsWindowsSeparator(path[end])) ++end;
    const std::wstring_view name = path.substr(at, end - at);
    at = end;
    if (name.empty() || name == L".") continue;
    if (name == L"..") {
      if (rootNames == 0 && result.size() > root)
        result.erase(result.rfind(L'\\', result.size() - 2) + 1);
      continue;
    }
    result.append(name);
    result += L'\\';
    if (rootNames > 0 && --rootNames == 0) root = result.size();
  }
  // Each name was followed by a separator; the last keeps it only if given.
  if (result.size() > root && !IsWindowsSeparator(path.back())) result.pop_back();
  return result;
}

}  // namespace platform
