// A gentle word about the BIOS path: what a path that was just saved,
// or was just dropped, names, when that is not a GBA BIOS image.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace window {

// Every GBA BIOS image, the official one and its free replacements, is 16 KB.
inline constexpr std::uint64_t kBiosImageSize = 16384;

// One plain sentence for a path that names nothing, a folder, or a file of
// another size than a BIOS image; empty when there is nothing to say.
std::string BiosPathAdvice(const platform::PathInfo& info);

// A size as people read it: "4 MB", "16 KB", or "16,385 bytes" where it is
// no whole number of either.
std::string ReadableSize(std::uint64_t bytes);

}  // namespace window
