// The checks that need a real POSIX system: killing a saving process, and a
// full disk on a small tmpfs.
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <sstream>
#include <thread>

#include "reliability/checks.h"
#include "settings/modQuimbel.h"
#include "support/fake_host.h"
#include "support/fault_fs.h"
#include "support/temp_folder.h"

namespace reliability {

namespace fs = std::filesystem;
using testing_support::FakeSettingsHost;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

Row KillDuringSave(const std::string& self, int kills) {
  testing_support::TempFolder folder("quimbel-kill");
  const fs::path settings = folder / "QuimbelAdvance.ini";
  const std::string base = SampleSettings(1 << 20);
  // What the two alternating saves write.
  std::string first, second;
  {
    FakeSettingsHost host;
    testing_support::FaultyFileSystem files(platform::RealFileSystem(), folder.Path());
    modQuimbel::Bind(host, files);
    WriteBytes(settings, base);
    AlternateValues(host, false);
    modQuimbel::SaveSettings();
    first = ReadBytes(settings);
    AlternateValues(host, true);
    modQuimbel::SaveSettings();
    second = ReadBytes(settings);
  }
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> delayUs(0, 40000);
  int oldNew[2] = {0, 0}, other = 0, done = 0;
  std::string last = second;
  for (; done < kills; ++done) {
    pid_t child = ::fork();
    if (child == 0) {
      ::execl(self.c_str(), self.c_str(), "save-forever", folder.Path().c_str(), nullptr);
      ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(5000 + delayUs(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string now = ReadBytes(settings);
    if (now == first || now == second) {
      oldNew[now == last ? 0 : 1]++;
      last = now;
    } else {
      ++other;
    }
  }
  std::ostringstream figures;
  figures << done << " SIGKILLs of a process saving a " << (base.size() >> 10)
          << " KiB file in a loop; unchanged since the last kill " << oldNew[0] << " / the other "
          << "complete content " << oldNew[1] << " / other " << other;
  return {"Kill during save (native)", figures.str(), other == 0 && done >= 1000};
}

namespace {

struct Outcome {
  int number = 0;
  bool same = false;
  bool temp = false;
};

Outcome TrySave(const fs::path& folder, const std::string& before, bool readOnly) {
  const fs::path settings = folder / "QuimbelAdvance.ini";
  WriteBytes(settings, before);
  if (readOnly) fs::permissions(settings, fs::perms::all, fs::perm_options::remove);
  FakeSettingsHost host;
  host.sound = 0;
  host.bios = "E:\\x.gba";
  testing_support::FaultyFileSystem files(platform::RealFileSystem(), folder);
  modQuimbel::Bind(host, files);
  Outcome outcome;
  try {
    modQuimbel::SaveSettings();
  } catch (const platform::RuntimeError& e) {
    outcome.number = e.Number();
  }
  outcome.same = ReadBytes(settings) == before;
  outcome.temp = fs::exists(folder / "temp.ini");
  fs::permissions(settings, fs::perms::owner_all, fs::perm_options::add);
  return outcome;
}

std::string Describe(const char* what, const Outcome& o) {
  std::ostringstream out;
  out << what << ": error " << o.number << ", file " << (o.same ? "unchanged" : "CHANGED")
      << (o.temp ? ", temp.ini left" : "");
  return out.str();
}

}  // namespace

Row Refusals() {
  std::ostringstream figures;
  bool ok = true;

  // A full disk: a tmpfs with room for the file but not for its copy.
  testing_support::TempFolder mountPoint("quimbel-full");
  const std::string big = SampleSettings(600 * 1024);
  if (::mount("tmpfs", mountPoint.Path().c_str(), "tmpfs", 0, "size=1m") == 0) {
    Outcome full = TrySave(mountPoint.Path(), big, false);
    ::umount(mountPoint.Path().c_str());
    figures << Describe("full disk (1 MiB tmpfs, 600 KiB file)", full) << "; ";
    ok = ok && full.number == 61 && full.same && !full.temp;
  } else {
    figures << "full disk: not tried (mounting a tmpfs needs root); ";
  }

  testing_support::TempFolder folder("quimbel-refuse");
  const std::string small = SampleSettings(4096);
  Outcome readOnly = TrySave(folder.Path(), small, true);
  figures << Describe("read-only file", readOnly) << "; ";
  ok = ok && readOnly.number == 70 && readOnly.same && !readOnly.temp;

  WriteBytes(folder / "temp.ini", "stale\r\n");
  Outcome stale = TrySave(folder.Path(), small, false);
  figures << "stale temp.ini: error " << stale.number << ", file "
          << (stale.same ? "unchanged" : "saved")
          << (stale.temp ? ", temp.ini left" : ", no temp.ini");
  ok = ok && stale.number == 0 && !stale.same && !stale.temp;
  return {"Refusals (native)", figures.str(), ok};
}

}  // namespace reliability
