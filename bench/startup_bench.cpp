// Start-up time under Wine: from CreateProcessW to the main window being
// visible and idle, for quimbel.exe, the bare window program, the bare
// program with as many controls as the starter, and the bare program with
// the starter's manifest, alternated A B C D A B C D. Prints "name median
// min max peak-working-set" rows, then the paired ratios.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
  double ms;
  SIZE_T peak;
};

bool HasVisibleWindow(DWORD pid) {
  struct Search {
    DWORD pid;
    bool found;
  } search{pid, false};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lp) WINAPI -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->pid && ::IsWindowVisible(hwnd)) s->found = true;
        return !s->found;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

Sample Run(const std::wstring& exe, const std::wstring& folder, const wchar_t* args = L"") {
  std::wstring commandLine = L"\"" + exe + L"\" " + args;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  auto start = std::chrono::steady_clock::now();
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info))
    return {-1, 0};
  ::WaitForInputIdle(info.hProcess, 10000);
  while (!HasVisibleWindow(info.dwProcessId)) ::Sleep(1);
  double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  ::Sleep(200);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  ::GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory);
  ::TerminateProcess(info.hProcess, 0);
  ::WaitForSingleObject(info.hProcess, 5000);
  ::CloseHandle(info.hProcess);
  ::CloseHandle(info.hThread);
  return {ms, memory.PeakWorkingSetSize};
}

void Report(const char* name, std::vector<Sample> samples) {
  std::sort(samples.begin(), samples.end(), [](auto& a, auto& b) { return a.ms < b.ms; });
  SIZE_T peak = 0;
  for (auto& s : samples) peak = std::max(peak, s.peak);
  std::printf("%s %.1f %.1f %.1f %zu\n", name, samples[samples.size() / 2].ms, samples.front().ms,
              samples.back().ms, static_cast<size_t>(peak));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 5) return 2;
  const std::wstring quimbel = argv[1], bare = argv[2], styled = argv[3], folder = argv[4];
  const int runs = argc > 5 ? _wtoi(argv[5]) : 20;
  for (const auto* exe : {&quimbel, &bare, &styled}) Run(*exe, folder);  // warm the caches
  std::vector<Sample> a, b, c, d;
  for (int i = 0; i < runs; ++i) {
    a.push_back(Run(quimbel, folder));
    b.push_back(Run(bare, folder));
    c.push_back(Run(bare, folder, L"controls"));
    d.push_back(Run(styled, folder));
  }
  Report("quimbel", a);
  Report("bare", b);
  Report("bare18", c);
  Report("styled", d);
  // Each A with the B (or D) run of the same round: the ratio of start-up
  // times and the working set over B's, with their spread over the rounds.
  std::vector<double> ratios, styledRatios, extra;
  for (std::size_t i = 0; i < a.size(); ++i) {
    ratios.push_back(a[i].ms / b[i].ms);
    styledRatios.push_back(a[i].ms / d[i].ms);
    extra.push_back((static_cast<double>(a[i].peak) - static_cast<double>(b[i].peak)) / 1024.0);
  }
  for (auto* values : {&ratios, &styledRatios, &extra}) std::sort(values->begin(), values->end());
  auto print = [](const char* name, const std::vector<double>& v, const char* format) {
    std::printf(format, name, v[v.size() / 2], v.front(), v.back());
  };
  print("ratio", ratios, "%s %.3f %.3f %.3f\n");
  print("ratio_styled", styledRatios, "%s %.3f %.3f %.3f\n");
  print("extra", extra, "%s %.0f %.0f %.0f\n");
  return 0;
}
