#include "preprocessor/replacements.h"

#include <gtest/gtest.h>

#include <random>

#include "text/case_table.h"
#include "text/utf8.h"

namespace {

using pre::ReplaceTable;

// The literal scan, the reference the engine must equal: for each row, for each
// right delimiter, for each left delimiter, one left-to-right scan without
// overlap, so later scans see what earlier ones wrote.
std::u16string literalScan(const ReplaceTable& table, std::u16string text) {
  for (const auto& row : table) {
    for (char16_t right : pre::kDelimiters) {
      for (char16_t left : pre::kDelimiters) {
        const std::u16string pattern = left + row.from + right;
        size_t at = text::findNoCase(text, pattern);
        if (at == std::u16string::npos) continue;
        std::u16string out;
        size_t done = 0;
        for (; at != std::u16string::npos; at = text::findNoCase(text, pattern, done)) {
          out.append(text, done, at - done);
          out += left + row.to + right;
          done = at + pattern.size();
        }
        out.append(text, done);
        text = std::move(out);
      }
    }
  }
  return text;
}

TEST(Replacements, WordsBetweenDelimitersOnly) {
  struct Case {
    ReplaceTable table;
    std::u16string input;
    std::u16string expected;
  } cases[] = {
      {{{u"Led", u"LED_PIN"}}, u"x=led+1\r\nledger=2\r\n", u"x=LED_PIN+1\r\nledger=2\r\n"},
      {{{u"led", u"P"}}, u"led=1\r\n", u"led=1\r\n"},          // at the very start
      {{{u"x", u"y"}}, u"a=x", u"a=x"},                         // at the very end
      {{{u"x", u""}}, u"a x b\r\n", u"a  b\r\n"},               // only a from-word
      {{{u"x", u"y"}}, u"print \"x \"\r\n", u"print \"y \"\r\n"},  // reaches into strings
      {{{u"x", u"y"}}, u" x x x ", u" y x y "},  // a shared blank serves one match per scan
      {{{u"x", u"x+1"}}, u"a= x \r\n", u"a= x+1+1 \r\n"},  // later scans see earlier output
      {{{u"a", u"b"}, {u"b", u"c"}}, u" a ", u" c "},      // pairs chain in order
      {{{u"", u""}}, u" a ", u" a "},
      {{{u"", u"x"}}, u"a  b((", u"a x b(x("},                 // empty: between two delimiters
      {{{u"A+b", u"c"}}, u" a+b+b a+B\r\n", u" c+b c\r\n"},  // a delimiter inside
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pre::applyReplacements(c.table, c.input), c.expected);
    EXPECT_EQ(literalScan(c.table, c.input), c.expected);
  }
}

// Random rows and texts over a small alphabet, so words, delimiters and
// from-words collide often: to-words that hold their own from-word or other
// rows' words, from-words that hold delimiters or are empty, case variants
// (Latin-1 letters included, the sign U+00D7 that has no case, and a raw
// byte kept from invalid UTF-8), and texts
// long enough for many occurrences per scan; one from-word is longer than
// the engine's quick length test covers.
TEST(Replacements, EngineMatchesTheLiteralScanOnRandomTexts) {
  std::mt19937 random(12345);
  const std::u16string alphabet = u"abAB x(+)\r\n\"'_\u00E9\u00C9\u00D7\xDCE9";
  auto pick = [&](size_t maxLength) {
    std::u16string s;
    size_t length = random() % (maxLength + 1);
    for (size_t i = 0; i < length; ++i) s += alphabet[random() % alphabet.size()];
    return s;
  };
  const std::u16string words[] = {u"a", u"b", u"ab", u"A", u"ba", u"x", u"\u00E9", u"A\u00C9",
                                  u"a+b", u"(", u"", std::u16string(64, u'a')};
  auto word = [&] { return words[random() % std::size(words)]; };
  for (int round = 0; round < 3000; ++round) {
    ReplaceTable table;
    const int rows = 1 + random() % 5;
    for (int r = 0; r < rows; ++r) {
      std::u16string from = word();
      std::u16string to;
      switch (random() % 4) {
        case 0: to = from + pick(3); break;
        case 1: to = word() + u"+" + word() + pick(1); break;
        case 2: to = pick(1) + word() + u" " + from; break;
        default: to = pick(4);
      }
      table.push_back({from, to});
    }
    const std::u16string input = pick(round % 30 == 0 ? 1000 : 40);
    ASSERT_EQ(pre::applyReplacements(table, input), literalScan(table, input))
        << "round " << round;
  }
}

// Each row nests its to-word inside the last one's, seventy deep, so the
// order kept among the words written inside one occurrence has to be
// rebuilt on the way; the final row then needs that order, as every other
// "zz" in a run of them shares a delimiter with the one before.
TEST(Replacements, DeeplyNestedToWordsKeepTheirOrder) {
  ReplaceTable table;
  for (int k = 0; k < 70; ++k) {
    table.push_back({u"w" + text::u16(std::to_string(k)), u"w" + text::u16(std::to_string(k + 1)) + u"+zz"});
  }
  table.push_back({u"ZZ", u"y"});
  const std::u16string input = u" w0 zz w0+zz ";
  EXPECT_EQ(pre::applyReplacements(table, input), literalScan(table, input));
}

}  // namespace
