// Save and load of settings files of several sizes, beside the floor for a
// safe replace: a plain copy of the same file with fsync and rename.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "reliability/checks.h"
#include "settings/modQuimbel.h"
#include "support/fake_host.h"
#include "support/settings_fixture.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

struct Fixture {
  explicit Fixture(std::size_t bytes) : folder("quimbel-bench"), files(folder.Path()) {
    testing_support::WriteBytes(folder / "QuimbelAdvance.ini", reliability::SampleSettings(bytes));
    host.bios = "C:\\bios\\bench.gba";
    modQuimbel::Bind(host, files);
  }
  testing_support::TempFolder folder;
  testing_support::PlainFileSystem files;
  testing_support::FakeSettingsHost host;
};

void Save(benchmark::State& state) {
  Fixture f(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    f.host.sound ^= 1;
    modQuimbel::SaveSettings();
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void Load(benchmark::State& state) {
  Fixture f(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    modQuimbel::LoadSettings();
    benchmark::DoNotOptimize(modQuimbel::gBiosPath);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// The floor: copy the file in 64 KiB blocks, fsync, rename over it, fsync
// the folder. No safe replace can do less.
void CopyFloor(benchmark::State& state) {
  Fixture f(static_cast<std::size_t>(state.range(0)));
  const std::string from = (f.folder / "QuimbelAdvance.ini").string();
  const std::string to = (f.folder / "temp.ini").string();
  std::string buffer(64 * 1024, '\0');
  for (auto _ : state) {
    int in = ::open(from.c_str(), O_RDONLY);
    int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    for (ssize_t got; (got = ::read(in, buffer.data(), buffer.size())) > 0;) {
      if (::write(out, buffer.data(), static_cast<std::size_t>(got)) != got)
        state.SkipWithError("write");
    }
    ::fsync(out);
    ::close(out);
    ::close(in);
    ::rename(to.c_str(), from.c_str());
    int dir = ::open(f.folder.Path().c_str(), O_RDONLY | O_DIRECTORY);
    ::fsync(dir);
    ::close(dir);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

constexpr int64_t kSizes[] = {4 << 10, 1 << 20, 32 << 20};

void Sizes(benchmark::internal::Benchmark* b) {
  for (int64_t size : kSizes) b->Arg(size);
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK(Save)->Apply(Sizes);
BENCHMARK(CopyFloor)->Apply(Sizes);
BENCHMARK(Load)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
