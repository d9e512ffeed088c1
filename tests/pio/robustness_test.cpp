// Lines thrown together from PIO words, extreme numbers and punctuation.

#include <gtest/gtest.h>

#include <chrono>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "pio/pio_blocks.h"
#include "pio_test_support.h"

namespace {

constexpr std::u16string_view kWords[] = {
    u"set", u"jmp", u"wait", u"in", u"out", u"push", u"pull", u"mov", u"irq", u"nop", u".word",
    u".side_set", u".wrap", u".wrap_target", u".pio", u".sm", u".origin", u".decode", u".define",
    u".set_count", u".out_count", u".in_base", u".sideset_base", u".status_n", u".push_threshold",
    u"side", u"[7]", u"[", u"]", u"x", u"y", u"pins", u"pindirs", u"gpio", u"pin", u"isr", u"osr",
    u"opt", u"rel", u"block", u"iffull", u"loop:", u"loop", u"public", u"'", u";", u"(", u")",
    u",", u"\t", u"::", u"!", u"0", u"7", u"32", u"-1", u"1e40", u"$FFFFFFFF", u"2147483647",
    u"-2147483648", u"99999999999", u"&H", u"%", u"0x", u".fifo", u".in", u".out", u".set",
    u".mov_status", u".pio_version", u".clock_div", u"optional", u"sideset", u"*", u"//", u"<",
    u"txfifo", u"left", u"auto", u"<<", u"|", u"/", u"-", u"::1", u"rxfifo[y]", u"jmppin", u"prev",
    u"[t - 1]", u"(n * 2)", u"n", u"*start:", u"~x"};

std::u16string randomLine(std::mt19937& rng) {
  std::u16string line;
  for (int n = static_cast<int>(rng() % 6); n > 0; --n) {
    line += kWords[rng() % std::size(kWords)];
    if (rng() % 4 != 0) line += u' ';
  }
  return line;
}

// Random lines in blocks must never crash or overflow (the sanitizers tell);
// each alone takes the same slots in both readings, and gives its word or an
// error when it takes one.
TEST(Robustness, RandomLinesTakeTheSameSlotsInBothReadings) {
  std::mt19937 rng(20261208);
  for (int round = 0; round < 300; ++round) {
    pio_test::Reader reader;
    reader.pioCheck = true;
    if (round % 3 == 0) reader.blocks.readOptions(u"#PASMCFG showregs nohints");
    std::vector<std::u16string> lines;
    for (int i = 0; i < 40; ++i) lines.push_back(randomLine(rng));
    reader.read({lines});
    for (const std::u16string& line : lines) {
      pio_test::Assembler a;
      a.options.showRegs = round % 3 == 0;
      a.first(line);
      const auto firstCounts = std::exchange(a.pio.placement, {}).programCounter;
      const pio::LineResult result = a.second(line);
      const std::string name(line.begin(), line.end());
      EXPECT_EQ(a.pio.placement.programCounter, firstCounts) << name;
      EXPECT_TRUE(!a.pio.use().slotTaken || result.outcome == pio::Outcome::word ||
                  a.pio.symbols.errorCount > 0) << name;
    }
  }
}

TEST(Robustness, LongLinesTakeLinearTime) {
  // Each of these took minutes or more when a line was scanned once per word
  // or once per character.
  constexpr size_t kSize = 300000;
  std::u16string words;
  for (size_t i = 0; i < kSize / 2; ++i) words += u"n ";
  std::vector<std::u16string> lines = {
      u".define n 1",
      u"nop [" + std::u16string(kSize, u' ') + u"3" + std::u16string(kSize, u' ') + u"]",
      u"set x " + words,
      u"set x " + std::u16string(kSize, u'(') + std::u16string(kSize, u')'),
      u"set x ()" + std::u16string(kSize, u'(') + u"()",
      u"nop [" + std::u16string(kSize, u'-') + u"1]",
      u".mov_status " + std::u16string(kSize, u'<'),
  };
  auto start = std::chrono::steady_clock::now();
  pio_test::Reader reader;
  reader.blocks.readOptions(u"#PASMCFG" + words);
  reader.read({lines});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(reader.blocks.errorCount(), 5);  // all but the define and the delay
}

}  // namespace
