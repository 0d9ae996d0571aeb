// Runs the reliability checks and prints one row of figures per check:
// "ROW|check|figures|ok". Exits non-zero if any row breaks its rule.
#include <cstdio>
#include <cstring>
#include <string>

#include "reliability/checks.h"

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "save-forever") == 0) reliability::SaveForever(argv[2]);
  int kills = argc > 1 ? std::atoi(argv[1]) : 1000;
  bool ok = true;
  auto print = [&](const reliability::Row& row) {
    std::printf("ROW|%s|%s|%s\n", row.check.c_str(), row.figures.c_str(), row.ok ? "ok" : "FAIL");
    std::fflush(stdout);
    ok = ok && row.ok;
  };
  print(reliability::FaultAtEveryStep());
  print(reliability::PowerLoss());
  print(reliability::Refusals());
  print(reliability::KillDuringSave("/proc/self/exe", kills));
  return ok ? 0 : 1;
}
