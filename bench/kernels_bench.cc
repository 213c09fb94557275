// The text and resolver kernels on a 4 MB and a 64 MB page, with
// std::string_view::find on the same page as the baseline.

#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "page.h"
#include "resolver/download_link.h"
#include "resolver/percent_decode.h"
#include "text/find.h"
#include "text/split.h"
#include "text/transform.h"

namespace quillory::bench {
namespace {

const Text& PageText(std::size_t size) {
  static std::map<std::size_t, Text> pages;
  auto [at, fresh] = pages.try_emplace(size);
  if (fresh) at->second = Text(MakePage(size));
  return at->second;
}

template <class Kernel>
void Measure(benchmark::State& state, Kernel kernel) {
  const Text& page = PageText(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(kernel(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}

void BM_StringViewFind(benchmark::State& state) {
  Measure(state, [](const Text& page) { return page.view().find(kMarker); });
}
void BM_FindText(benchmark::State& state) {
  Measure(state, [](const Text& page) { return FindText(page, kMarker); });
}
void BM_FindTextReverse(benchmark::State& state) {
  Measure(state, [](const Text& page) { return FindTextReverse(page, kMarker); });
}
void BM_ReplaceText(benchmark::State& state) {
  Measure(state, [](const Text& page) { return ReplaceText(page, "%41", "A"); });
}
void BM_SplitText(benchmark::State& state) {
  Measure(state, [](const Text& page) { return SplitText(page, "\r\n"); });
}
void BM_TrimBoth(benchmark::State& state) {
  Measure(state, [](const Text& page) { return TrimBoth(page); });
}
void BM_PercentDecode(benchmark::State& state) {
  Measure(state, [](const Text& page) { return PercentDecode(page); });
}
void BM_PercentDecodeFromUtf8(benchmark::State& state) {
  Measure(state, [](const Text& page) { return PercentDecode(page, true); });
}
void BM_ExtractDownloadLink(benchmark::State& state) {
  const Text& text = PageText(static_cast<std::size_t>(state.range(0)));
  ByteSet body(text.view());
  for (auto _ : state) benchmark::DoNotOptimize(ExtractDownloadLink(body));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(body.size()));
}

#define QUILLORY_PAGE_BENCHMARK(name) \
  BENCHMARK(name)->Arg(4 << 20)->Arg(64 << 20)->Unit(benchmark::kMillisecond)->UseRealTime()

QUILLORY_PAGE_BENCHMARK(BM_StringViewFind);
QUILLORY_PAGE_BENCHMARK(BM_FindText);
QUILLORY_PAGE_BENCHMARK(BM_FindTextReverse);
QUILLORY_PAGE_BENCHMARK(BM_ReplaceText);
QUILLORY_PAGE_BENCHMARK(BM_SplitText);
QUILLORY_PAGE_BENCHMARK(BM_TrimBoth);
QUILLORY_PAGE_BENCHMARK(BM_PercentDecode);
QUILLORY_PAGE_BENCHMARK(BM_PercentDecodeFromUtf8);
QUILLORY_PAGE_BENCHMARK(BM_ExtractDownloadLink);

}  // namespace
}  // namespace quillory::bench

BENCHMARK_MAIN();
