// From the click to the opener's call: the download command the button runs,
// against the fake update service that script/bench starts on loopback
// (its address in QUILLORY_BENCH_SERVICE).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "app/download_command.h"

namespace {

void BM_ClickToOpen(benchmark::State& state) {
  const char* service = std::getenv("QUILLORY_BENCH_SERVICE");
  if (service == nullptr) {
    state.SkipWithError("QUILLORY_BENCH_SERVICE is not set");
    return;
  }
  std::string address = service;
  std::size_t opened = 0;
  quillory::DownloadCollaborators collaborators{
      .requestAddress = [&](std::string_view) { return quillory::Text(address); },
      .open = [&](const quillory::Text& link) { opened += link.size(); }};
  for (auto _ : state) quillory::RunDownloadCommand("hgopjbnkmdaecfilpoknjmhgbadcefil", collaborators);
  if (opened == 0) state.SkipWithError("no link was opened");
}

BENCHMARK(BM_ClickToOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
