// How long the #REPLACE step takes on a large program: 1000 pairs over about
// 5 MB of MMBasic text, most pairs naming words that occur many times.

#include <benchmark/benchmark.h>

#include <string>

#include "preprocessor/replacements.h"
#include "text/numbers.h"

namespace {

std::u16string largeProgram(int lines) {
  std::u16string text;
  for (int i = 0; i < lines; ++i) {
    const std::u16string n = text::decimal(i % 1000);
    text += u"  value" + n + u" = (value" + n + u" + LED_PIN * 3) / count" + n +
            u" ' adjust \"value" + n + u"\"\r\n";
  }
  return text;
}

pre::ReplaceTable manyPairs(int rows) {
  pre::ReplaceTable table;
  for (int i = 0; i < rows; ++i) {
    const std::u16string n = text::decimal(i);
    table.push_back({u"value" + n, u"v" + n + u"%"});
  }
  table.push_back({u"LED_PIN", u"GP25"});
  return table;
}

void BM_ReplaceStep(benchmark::State& state) {
  const std::u16string program = largeProgram(static_cast<int>(state.range(0)));
  const pre::ReplaceTable table = manyPairs(1000);
  for (auto _ : state) {
    benchmark::DoNotOptimize(pre::applyReplacements(table, program));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(program.size() * 2));
}
BENCHMARK(BM_ReplaceStep)->Arg(10000)->Arg(80000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
