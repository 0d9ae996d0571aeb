#include "reliability/checks.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <sstream>

#include "reliability/mem_fs.h"
#include "settings/modQuimbel.h"
#include "support/fake_host.h"
#include "support/fault_fs.h"
#include "support/temp_folder.h"

namespace reliability {

namespace fs = std::filesystem;
using testing_support::FakeSettingsHost;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

std::string SampleSettings(std::size_t bytes) {
  std::string text = "[Quimbel Advance]\r\nVersion                  0.7\r\n";
  text += "SoundEnable              1\r\nDebugMenuEnable          0\r\n";
  text += "BIOSRom                  \"C:\\Games\\GBA\\gba_bios.bin\"\r\n";
  for (int i = 0; text.size() < bytes; ++i) {
    text += "Cheat" + std::to_string(i) + std::string(20, ' ') + "\"0x" + std::to_string(i * 7919) +
            " \xe9\xe8 ; note\"\r\n";
  }
  return text;
}

namespace {

// The two values a save alternates between, and what each writes.
void SetValues(FakeSettingsHost& host, bool second) {
  host.sound = second ? 0 : 1;
  host.debugMenu = second ? 1 : 0;
  host.bios = second ? "D:\\bios\\second.gba" : "C:\\bios\\first.gba";
}

std::string Saved(const std::string& before, bool second) {
  testing_support::TempFolder folder("quimbel-rel");
  testing_support::FaultyFileSystem files(platform::RealFileSystem(), folder.Path());
  FakeSettingsHost host;
  SetValues(host, second);
  modQuimbel::Bind(host, files);
  WriteBytes(folder / "QuimbelAdvance.ini", before);
  modQuimbel::SaveSettings();
  return ReadBytes(folder / "QuimbelAdvance.ini");
}

}  // namespace

Row FaultAtEveryStep() {
  const std::string before = SampleSettings(4096);
  const std::string after = Saved(before, true);
  testing_support::TempFolder folder("quimbel-rel");
  FakeSettingsHost host;
  SetValues(host, true);
  int tried = 0, oldCount = 0, newCount = 0, other = 0, strays = 0, silent = 0, operations = 0;
  {
    testing_support::FaultyFileSystem files(platform::RealFileSystem(), folder.Path());
    modQuimbel::Bind(host, files);
    WriteBytes(folder / "QuimbelAdvance.ini", before);
    modQuimbel::SaveSettings();
    operations = files.Operations();
  }
  for (bool always : {false, true}) {
    for (int n = 1; n <= operations; ++n) {
      testing_support::FaultyFileSystem files(platform::RealFileSystem(), folder.Path());
      modQuimbel::Bind(host, files);
      WriteBytes(folder / "QuimbelAdvance.ini", before);
      fs::remove(folder / "temp.ini");
      files.FailAt(n, platform::kDeviceIO, always);
      ++tried;
      try {
        modQuimbel::SaveSettings();
        ++silent;  // a failure the save did not report
      } catch (const platform::RuntimeError&) {
      }
      const std::string now = ReadBytes(folder / "QuimbelAdvance.ini");
      (now == before ? oldCount : now == after ? newCount : other)++;
      if (fs::exists(folder / "temp.ini")) ++strays;
    }
  }
  std::ostringstream figures;
  figures << operations << " operations a save, " << tried << " failures tried (once and always); "
          << "old " << oldCount << " / new " << newCount << " / other " << other << "; unreported "
          << silent << "; stray temp.ini " << strays << " (only where the clean-up failed too)";
  return {"Fault at every step", figures.str(), other == 0 && silent == 0};
}

Row PowerLoss() {
  const std::string before = SampleSettings(4096);
  const std::string after = Saved(before, true);
  FakeSettingsHost host;
  SetValues(host, true);
  int operations = 0;
  {
    MemFs mem;
    mem.Put("QuimbelAdvance.ini", before);
    modQuimbel::Bind(host, mem);
    modQuimbel::SaveSettings();
    operations = mem.Operations();
    if (mem.Get("QuimbelAdvance.ini") != after) return {"Power loss", "model save differs", false};
  }
  int points = 0, oldCount = 0, newCount = 0, other = 0;
  for (int n = 1; n <= operations + 1; ++n) {
    MemFs mem;
    mem.Put("QuimbelAdvance.ini", before);
    mem.CrashAt(n);
    modQuimbel::Bind(host, mem);
    try {
      modQuimbel::SaveSettings();
    } catch (const Crash&) {
    }
    for (int mode = kKeepAll; mode <= kDropBoth; ++mode) {
      ++points;
      const std::string now = mem.GetAfterCrash("QuimbelAdvance.ini", mode);
      if (!mem.HasAfterCrash("QuimbelAdvance.ini", mode)) {
        ++other;
      } else {
        (now == before ? oldCount : now == after ? newCount : other)++;
      }
    }
  }
  std::ostringstream figures;
  figures << operations + 1 << " crash points x 4 drop modes (none, unsynced data, unsynced "
          << "folder entries, both) = " << points << "; old " << oldCount << " / new " << newCount
          << " / other " << other;
  return {"Power loss", figures.str(), other == 0};
}

void AlternateValues(testing_support::FakeSettingsHost& host, bool second) {
  host.sound = second ? 0 : 1;
  host.debugMenu = second ? 1 : 0;
  host.bios = second ? "D:\\bios\\second.gba" : "C:\\bios\\first.gba";
}

void SaveForever(const std::string& folder) {
  testing_support::FaultyFileSystem files(platform::RealFileSystem(),
                                          platform::Path::FromUtf8(folder));
  testing_support::FakeSettingsHost host;
  modQuimbel::Bind(host, files);
  for (bool second = false;; second = !second) {
    AlternateValues(host, second);
    modQuimbel::SaveSettings();
  }
}

}  // namespace reliability
