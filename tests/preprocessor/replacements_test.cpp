#include "preprocessor/replacements.h"

#include <gtest/gtest.h>

#include <random>

#include "text/case_table.h"

namespace {

using pre::ReplaceTable;

// The replacement exactly as the rules state it: for each pair, for each
// right delimiter, for each left delimiter, one left-to-right scan without
// overlap. Slow, and the reference the fast engine must match.
std::u16string replaceByTheRules(const ReplaceTable& table, std::u16string text) {
  for (const auto& row : table) {
    for (char16_t right : pre::kDelimiters) {
      for (char16_t left : pre::kDelimiters) {
        const std::u16string pattern = left + row.from + right;
        std::u16string out;
        size_t i = 0;
        while (i < text.size()) {
          if (i + pattern.size() <= text.size() &&
              text::equalsNoCase(std::u16string_view(text).substr(i, pattern.size()), pattern)) {
            out += left + row.to + right;
            i += pattern.size();
          } else {
            out += text[i++];
          }
        }
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
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pre::applyReplacements(c.table, c.input), c.expected);
    EXPECT_EQ(replaceByTheRules(c.table, c.input), c.expected);
  }
}

// Random texts over a small alphabet, so words, delimiters and from-words
// collide often, including to-words that contain their own from-word and
// from-words that hold delimiters.
TEST(Replacements, FastEngineMatchesTheRulesOnRandomTexts) {
  std::mt19937 random(12345);
  const std::u16string alphabet = u"abAB x(+)\r\n\"'_";
  auto pick = [&](size_t maxLength) {
    std::u16string s;
    size_t length = random() % (maxLength + 1);
    for (size_t i = 0; i < length; ++i) s += alphabet[random() % alphabet.size()];
    return s;
  };
  const std::u16string words[] = {u"a", u"b", u"ab", u"A", u"ba", u"x", u"a+b", u""};
  for (int round = 0; round < 3000; ++round) {
    ReplaceTable table;
    int rows = 1 + random() % 3;
    for (int r = 0; r < rows; ++r) {
      std::u16string from = words[random() % std::size(words)];
      std::u16string to = random() % 3 == 0 ? from + pick(3) : pick(4);
      table.push_back({from, to});
    }
    std::u16string input = pick(40);
    ASSERT_EQ(pre::applyReplacements(table, input), replaceByTheRules(table, input))
        << "round " << round;
  }
}

}  // namespace
