// How the emulator's settings file writes the three settings this program
// edits. A setting line holds its key left-justified in a 25-character field
// and its value from column 26. Lines are recognised by their first characters
// alone, case-sensitively; every other line belongs to the emulator.
#pragma once

#include <string>
#include <string_view>

namespace settings {

enum class LineKind { kBiosRom, kSoundEnable, kDebugMenuEnable, kOther };

inline constexpr std::string_view kBiosRomKey = "BIOSRom";
inline constexpr std::string_view kSoundKey = "SoundEnable";
inline constexpr std::string_view kDebugMenuKey = "DebugMenuEnable";
inline constexpr std::string_view kSoundField = "SoundEnable              ";
inline constexpr std::string_view kDebugMenuField = "DebugMenuEnable          ";
// The first bytes of the three keys: a line that starts otherwise is none.
inline constexpr std::string_view kKeyFirstBytes = "BSD";

LineKind Classify(std::string_view line);

// The switch value a line carries: "1", "0", or empty when its last
// character is neither.
std::string SwitchValue(std::string_view line);

// "1" or "0" at column 26 after the key's field: exactly 26 characters.
std::string SwitchLine(LineKind kind, bool on);

// The path between the two delimiters that follow the key's field: column 26
// and the last character enclose it. A line shorter than 27 characters has no
// room for them and is refused as an invalid argument.
std::string StoredBiosPath(std::string_view line);

// The same line with the path between its delimiters replaced.
std::string BiosLine(std::string_view line, std::string_view newPath);

// Refuses a path that would add or split lines of the file (CR, LF, NUL).
void CheckBiosPath(std::string_view path);

}  // namespace settings
