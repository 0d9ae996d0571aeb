// libFuzzer target: arbitrary settings file bytes and an arbitrary typed
// BIOS path through LoadSettings and SaveSettings. Input: one flags byte,
// then the typed path, then "\xff\xfe", then the file. Checks that a failed
// save leaves the file as it was, that a save keeps every line count and
// every other line, and that saving the values just loaded changes nothing
// but the switch lines' layout.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "reliability/mem_fs.h"
#include "settings/modQuimbel.h"
#include "settings/setting_lines.h"
#include "support/fake_host.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t lf = text.find('\n', start);
    std::size_t end = lf == std::string::npos ? text.size() : lf;
    std::string line = text.substr(start, end - start);
    if (lf != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = lf == std::string::npos ? text.size() : lf + 1;
  }
  return lines;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t flags = data[0];
  std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string typed, file = rest;
  if (std::size_t cut = rest.find("\xff\xfe"); cut != std::string::npos) {
    typed = rest.substr(0, cut);
    file = rest.substr(cut + 2);
  }

  reliability::MemFs mem;
  mem.Put("QuimbelAdvance.ini", file);
  testing_support::FakeSettingsHost host;
  testing_support::ResetSettings();
  modQuimbel::Bind(host, mem);
  modQuimbel::LoadSettings();

  const bool keep = flags & 4;
  if (keep) {
    host.sound = modQuimbel::gSound == "1";
    host.debugMenu = modQuimbel::gDebugMenu == "1";
    host.bios = modQuimbel::gBiosPath;
  } else {
    host.sound = flags & 1;
    host.debugMenu = (flags >> 1) & 1;
    host.bios = typed;
  }
  const std::string bios = host.bios;
  bool saved = true;
  try {
    modQuimbel::SaveSettings();
  } catch (const platform::RuntimeError&) {
    saved = false;
  }
  const std::string after = mem.Get("QuimbelAdvance.ini");
  Require(!mem.Has("temp.ini"));
  if (!saved) {
    Require(after == file);
    Require(host.caption == "&Save" && host.enabled);
    return 0;
  }
  Require(host.caption == "Saved" && !host.enabled);
  // A load that failed is a file the save must refuse too.
  Require(!host.ended);
  const auto before = Lines(file), now = Lines(after);
  Require(before.size() == now.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    switch (settings::Classify(before[i])) {
      case settings::LineKind::kOther:
        Require(now[i] == before[i]);
        break;
      case settings::LineKind::kBiosRom:
        Require(now[i] == settings::BiosLine(before[i], bios));
        break;
      case settings::LineKind::kSoundEnable:
        Require(now[i] == settings::SwitchLine(settings::LineKind::kSoundEnable, host.sound == 1));
        break;
      case settings::LineKind::kDebugMenuEnable:
        Require(now[i] ==
                settings::SwitchLine(settings::LineKind::kDebugMenuEnable, host.debugMenu == 1));
        break;
    }
  }
  // Every line ends with CR LF after a save.
  Require(after.empty() || after.size() >= 2);
  if (!after.empty()) Require(after.compare(after.size() - 2, 2, "\r\n") == 0);
  return 0;
}
