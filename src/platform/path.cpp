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

namespace {

// A name as Windows normalizes it: a single trailing period goes, and the
// last name of a path that ends without a separator loses every trailing
// period and space.
std::wstring_view TrimmedName(std::wstring_view name, bool last) {
  if (last) {
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.remove_suffix(1);
  } else if (name.size() >= 2 && name.back() == L'.' && name[name.size() - 2] != L'.') {
    name.remove_suffix(1);
  }
  return name;
}

}  // namespace

bool IsRelativeToCurrentDrive(std::wstring_view path) {
  const bool rooted = !path.empty() && IsWindowsSeparator(path[0]) &&
                      !(path.size() > 1 && IsWindowsSeparator(path[1]));
  const bool driveRelative =
      path.size() >= 2 && path[1] == L':' && !(path.size() > 2 && IsWindowsSeparator(path[2]));
  return rooted || driveRelative;
}

std::wstring LongPathForm(std::wstring_view path) {
  constexpr std::size_t kMaxPath = 260;  // MAX_PATH, the terminating null included
  if (path.size() < kMaxPath || path.starts_with(L"\\\\?\\")) return std::wstring(path);
  std::wstring result;
  std::size_t start = 0;      // where the names to put in order begin
  std::size_t rootNames = 0;  // the names that belong to the root
  const bool twoSeparators = IsWindowsSeparator(path[0]) && IsWindowsSeparator(path[1]);
  if (twoSeparators && (path[2] == L'.' || path[2] == L'?') && IsWindowsSeparator(path[3])) {
    result = L"\\\\?\\";  // a device path: its device (or UNC, server and share) is the root
    start = 4;
    const std::wstring_view device = path.substr(4, 4);
    rootNames = (device.size() == 4 && IsWindowsSeparator(device[3]) &&
                 (device.substr(0, 3) == L"UNC" || device.substr(0, 3) == L"unc"))
                    ? 3
                    : 1;
  } else if (path[1] == L':' && IsWindowsSeparator(path[2])) {
    result = std::wstring(L"\\\\?\\") + path[0] + L":\\";
    start = 3;
  } else if (twoSeparators) {
    result = L"\\\\?\\UNC\\";
    rootNames = 2;
  } else {
    return std::wstring(path);  // relative: the call resolves it, or refuses
  }
  const bool endsInSeparator = IsWindowsSeparator(path.back());
  std::size_t root = result.size();  // ".." never goes above it
  for (std::size_t at = start; at < path.size();) {
    while (at < path.size() && IsWindowsSeparator(path[at])) ++at;
    std::size_t end = at;
    while (end < path.size() && !IsWindowsSeparator(path[end])) ++end;
    std::wstring_view name = path.substr(at, end - at);
    at = end;
    if (name.empty() || name == L".") continue;
    if (name == L"..") {
      if (rootNames == 0 && result.size() > root)
        result.erase(result.rfind(L'\\', result.size() - 2) + 1);
      continue;
    }
    if (rootNames == 0) {
      const bool last = at >= path.size() && !endsInSeparator;
      name = TrimmedName(name, last);
      if (name.empty()) continue;
    }
    result.append(name);
    result += L'\\';
    if (rootNames > 0 && --rootNames == 0) root = result.size();
  }
  // Each name was followed by a separator; the last keeps it only if given.
  if (result.size() > root && !endsInSeparator) result.pop_back();
  return result;
}

}  // namespace platform
