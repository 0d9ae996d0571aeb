// The reliability checks that need Windows: TerminateProcess during a save,
// and a settings file held open by another process. Built for Windows and
// run under Wine; prints rows like the native runner.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>

#include "platform/path.h"
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

namespace {

HANDLE StartSelf(const std::wstring& args) {
  wchar_t self[MAX_PATH * 4];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  std::wstring commandLine = L"\"" + std::wstring(self) + L"\" " + args;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
    return nullptr;
  ::CloseHandle(info.hThread);
  return info.hProcess;
}

}  // namespace

Row KillDuringSave(const std::string&, int kills) {
  testing_support::TempFolder folder("quimbel-kill");
  const fs::path settings = folder / "QuimbelAdvance.ini";
  std::string first, second;
  {
    FakeSettingsHost host;
    testing_support::FaultyFileSystem files(platform::RealFileSystem(), folder.Path());
    modQuimbel::Bind(host, files);
    WriteBytes(settings, SampleSettings(1 << 20));
    AlternateValues(host, false);
    modQuimbel::SaveSettings();
    first = ReadBytes(settings);
    AlternateValues(host, true);
    modQuimbel::SaveSettings();
    second = ReadBytes(settings);
  }
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> delayMs(150, 600);
  int same = 0, flipped = 0, other = 0, done = 0;
  std::string last = second;
  for (; done < kills; ++done) {
    HANDLE child = StartSelf(L"save-forever \"" + folder.Path().native() + L"\"");
    if (!child) break;
    ::Sleep(static_cast<DWORD>(delayMs(random)));
    ::TerminateProcess(child, 9);
    ::WaitForSingleObject(child, 10000);
    ::CloseHandle(child);
    const std::string now = ReadBytes(settings);
    if (now == first || now == second) {
      (now == last ? same : flipped)++;
      last = now;
    } else {
      ++other;
    }
  }
  std::ostringstream figures;
  figures << done << " TerminateProcess calls on a process saving a 1024 KiB file in a loop; "
          << "unchanged since the last kill " << same << " / the other complete content " << flipped
          << " / other " << other;
  return {"Kill during save (Wine)", figures.str(), other == 0 && done >= 100};
}

Row Refusals() {
  testing_support::TempFolder folder("quimbel-held");
  const fs::path settings = folder / "QuimbelAdvance.ini";
  const std::string before = SampleSettings(4096);
  std::ostringstream figures;
  bool ok = true;
  const struct {
    const char* name;
    const wchar_t* share;
  } holders[] = {{"held without sharing", L"0"}, {"held sharing read, write and delete", L"7"}};
  for (const auto& holder : holders) {
    WriteBytes(settings, before);
    HANDLE child = StartSelf(L"hold \"" + settings.native() + L"\" " + holder.share);
    ::Sleep(1500);  // the holder has the file open by now
    FakeSettingsHost host;
    AlternateValues(host, true);
    testing_support::FaultyFileSystem files(platform::RealFileSystem(), folder.Path());
    modQuimbel::Bind(host, files);
    int number = 0;
    auto start = std::chrono::steady_clock::now();
    try {
      modQuimbel::SaveSettings();
    } catch (const platform::RuntimeError& e) {
      number = e.Number();
    }
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now() - start)
                  .count();
    ::TerminateProcess(child, 0);
    ::WaitForSingleObject(child, 5000);
    ::CloseHandle(child);
    const bool same = ReadBytes(settings) == before;
    const bool temp = fs::exists(folder / "temp.ini");
    figures << holder.name << ": error " << number;
    if (ms < 50) {
      figures << " at once (opening it is refused)";
    } else {
      figures << " after " << ms << " ms of retried replaces";
    }
    figures << ", file " << (same ? "unchanged" : "CHANGED") << (temp ? ", temp.ini left" : "")
            << "; ";
    // Either the save was refused and changed nothing, or it went through.
    ok = ok && !temp && (number == 70 ? same : number == 0);
  }
  ::SetFileAttributesW(settings.c_str(), FILE_ATTRIBUTE_READONLY);
  FakeSettingsHost host;
  AlternateValues(host, false);
  testing_support::FaultyFileSystem files(platform::RealFileSystem(), folder.Path());
  modQuimbel::Bind(host, files);
  int number = 0;
  try {
    modQuimbel::SaveSettings();
  } catch (const platform::RuntimeError& e) {
    number = e.Number();
  }
  ::SetFileAttributesW(settings.c_str(), FILE_ATTRIBUTE_NORMAL);
  figures << "read-only file: error " << number;
  ok = ok && number == 70;
  return {"Refusals (Wine)", figures.str(), ok};
}

}  // namespace reliability

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"save-forever") {
    reliability::SaveForever(platform::Path(std::filesystem::path(argv[2])).Utf8());
  }
  if (argc == 4 && std::wstring(argv[1]) == L"hold") {
    DWORD share = static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10));
    HANDLE held = ::CreateFileW(argv[2], GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ::Sleep(60000);
    ::CloseHandle(held);
    return 0;
  }
  int kills = argc > 1 ? _wtoi(argv[1]) : 100;
  bool ok = true;
  for (const auto& row : {reliability::Refusals(), reliability::KillDuringSave("", kills)}) {
    std::printf("ROW|%s|%s|%s\n", row.check.c_str(), row.figures.c_str(), row.ok ? "ok" : "FAIL");
    ok = ok && row.ok;
  }
  return ok ? 0 : 1;
}
