// Which line holds which setting, and the line that stores a setting.
#include "settings/setting_lines.h"

#include "platform/rt_error.h"

namespace settings {
namespace {

constexpr std::size_t kPathStart = 26;  // zero-based column 27
constexpr std::size_t kShortestBiosLine = 27;

bool StartsWith(std::string_view line, std::string_view key) {
  return line.substr(0, key.size()) == key;
}

void RequireBiosRoom(std::string_view line) {
  if (line.size() < kShortestBiosLine) throw platform::RuntimeError(platform::kInvalidArgument);
}

}  // namespace

LineKind Classify(std::string_view line) {
  // Most lines are the emulator's own; one look at the first byte settles them.
  if (line.empty() || kKeyFirstBytes.find(line[0]) == std::string_view::npos)
    return LineKind::kOther;
  if (StartsWith(line, kBiosRomKey)) return LineKind::kBiosRom;
  if (StartsWith(line, kSoundKey)) return LineKind::kSoundEnable;
  if (StartsWith(line, kDebugMenuKey)) return LineKind::kDebugMenuEnable;
  return LineKind::kOther;
}

std::string SwitchValue(std::string_view line) {
  if (line.empty()) return {};
  char last = line.back();
  return (last == '1' || last == '0') ? std::string(1, last) : std::string();
}

std::string SwitchLine(LineKind kind, bool on) {
  std::string line(kind == LineKind::kSoundEnable ? kSoundField : kDebugMenuField);
  line += on ? '1' : '0';
  return line;
}

std::string StoredBiosPath(std::string_view line) {
  RequireBiosRoom(line);
  return std::string(line.substr(kPathStart, line.size() - kShortestBiosLine));
}

std::string BiosLine(std::string_view line, std::string_view newPath) {
  RequireBiosRoom(line);
  std::string out(line.substr(0, kPathStart));
  out += newPath;
  out += line.back();
  return out;
}

void CheckBiosPath(std::string_view path) {
  const char* what = nullptr;
  if (path.find('\r') != std::string_view::npos) {
    what = "carriage return";
  } else if (path.find('\n') != std::string_view::npos) {
    what = "line feed";
  } else if (path.find('\0') != std::string_view::npos) {
    what = "NUL character";
  }
  if (what != nullptr) {
    throw platform::RuntimeError::WithDetail(platform::kInvalidArgument,
                                             std::string("the BIOS path holds a ") + what +
                                                 ", which cannot be stored in the settings file");
  }
}

}  // namespace settings
