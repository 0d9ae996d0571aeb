// One sentence on what a BIOS path names, from its attributes and size.
#include "window/bios_check.h"

namespace window {

std::string ReadableSize(std::uint64_t bytes) {
  constexpr std::uint64_t kKB = 1024, kMB = 1024 * 1024;
  if (bytes > 0 && bytes % kMB == 0) return std::to_string(bytes / kMB) + " MB";
  if (bytes > 0 && bytes % kKB == 0) return std::to_string(bytes / kKB) + " KB";
  std::string digits = std::to_string(bytes);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), ",");
  return digits + (bytes == 1 ? " byte" : " bytes");
}

std::string BiosPathAdvice(const platform::PathInfo& info) {
  switch (info.kind) {
    case platform::PathInfo::kNothing:
      return "No file at this path.";
    case platform::PathInfo::kFolder:
      return "This is a folder; the path must name the BIOS image file.";
    case platform::PathInfo::kFile:
      if (info.size == kBiosImageSize) return {};
      return "This file is " + ReadableSize(info.size) + "; a GBA BIOS image is 16 KB.";
  }
  return {};
}

}  // namespace window
