// How long the #REPLACE step and the text layer take on a large program
// shaped like the whole-run workload: comment and code lines whose PIN_n
// words the rows replace, about 56 characters a line.

#include <benchmark/benchmark.h>

#include <string>

#include "preprocessor/replacements.h"
#include "text/lines.h"
#include "text/numbers.h"
#include "text/utf8.h"

namespace {

std::u16string largeProgram(int lines, int rows) {
  std::u16string text;
  uint32_t seed = 1;
  for (int i = 0; i < lines; ++i) {
    seed = seed * 1103515245u + 12345u;
    const std::u16string n = text::decimal(i % 50);
    const std::u16string pin = u"PIN_" + text::decimal((seed >> 8) % rows);
    if (i % 4 == 0) {
      text += u"' Section " + text::decimal(i) + u": read the sensor on " + pin + u" and scale it\r\n";
    } else {
      text += u"  value" + n + u"% = Pin(" + pin + u") * " + text::decimal(i % 7) +
              u" + offset% ' scaled reading from " + pin + u"\r\n";
    }
  }
  return text;
}

pre::ReplaceTable pinRows(int rows) {
  pre::ReplaceTable table;
  for (int i = 0; i < rows; ++i) table.push_back({u"PIN_" + text::decimal(i), u"GP" + text::decimal(i % 29)});
  return table;
}

// Arguments: lines, rows.
void BM_ReplaceStep(benchmark::State& state) {
  const auto rows = static_cast<int>(state.range(1));
  const std::u16string program = largeProgram(static_cast<int>(state.range(0)), rows);
  const pre::ReplaceTable table = pinRows(rows);
  for (auto _ : state) {
    state.PauseTiming();
    std::u16string text = program;
    state.ResumeTiming();
    text = pre::applyReplacements(table, std::move(text));
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(program.size() * 2));
}
BENCHMARK(BM_ReplaceStep)->Args({100000, 100})->Args({100000, 1000})->Unit(benchmark::kMillisecond);

void BM_DecodeUtf8(benchmark::State& state) {
  const std::string bytes = text::encodeUtf8(largeProgram(100000, 100));
  for (auto _ : state) benchmark::DoNotOptimize(text::decodeUtf8(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeUtf8)->Unit(benchmark::kMillisecond);

void BM_EncodeUtf8(benchmark::State& state) {
  const std::u16string program = largeProgram(100000, 100);
  for (auto _ : state) benchmark::DoNotOptimize(text::encodeUtf8(program));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(program.size()));
}
BENCHMARK(BM_EncodeUtf8)->Unit(benchmark::kMillisecond);

void BM_SplitLines(benchmark::State& state) {
  const std::u16string program = largeProgram(100000, 100);
  for (auto _ : state) benchmark::DoNotOptimize(text::splitLines(program));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(program.size()));
}
BENCHMARK(BM_SplitLines)->Unit(benchmark::kMillisecond);

void BM_SplitLineViews(benchmark::State& state) {
  const std::u16string program = largeProgram(100000, 100);
  for (auto _ : state) benchmark::DoNotOptimize(text::splitLineViews(program));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(program.size()));
}
BENCHMARK(BM_SplitLineViews)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
