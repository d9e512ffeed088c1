#include "pio/line_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

TEST(LineWords, CommentStartsAtTheFirstMark) {
  struct Row {
    std::u16string_view line;
    std::u16string_view code;
    std::u16string_view comment;
  } rows[] = {
      {u"set x, 3;c", u"set x, 3", u"c"},
      {u"irq wait 0 ; wait for release", u"irq wait 0 ", u" wait for release"},
      {u"nop // a // b", u"nop ", u" a // b"},
      {u"nop ' it's ; here", u"nop ", u" it's ; here"},
      {u"jmp x / 2", u"jmp x / 2", u"jmp x / 2"},
      {u"nop", u"nop", u"nop"},
  };
  for (const Row& row : rows) {
    pio::CommentSplit split = pio::splitComment(row.line);
    EXPECT_EQ(split.code, row.code) << narrow(row.line);
    EXPECT_EQ(split.comment, row.comment) << narrow(row.line);
  }
}

TEST(LineWords, WordsSplitAtBlanksAndCommasButNotInsideBrackets) {
  // A group is shown in parentheses, as its text already is.
  struct Row {
    std::u16string_view code;
    std::vector<std::u16string> words;
  } rows[] = {
      {u"SET X, 1", {u"set", u"x", u"1"}},
      {u"\tnop\t[ 3 ]", {u"nop", u"[3]"}},
      {u"nop [T1  -  1]", {u"nop", u"[t1 - 1]"}},
      {u"set x, (N  - 1) side 0", {u"set", u"x", u"(n - 1)", u"side", u"0"}},
      {u"jmp (x--) loop", {u"jmp", u"(x--)", u"loop"}},
      {u"mov x,(a)(b) y", {u"mov", u"x", u"(a)", u"(b)", u"y"}},
      {u"set x ((1, 2) 3)", {u"set", u"x", u"((1, 2) 3)"}},
      {u"mov rxfifo[ y ], isr", {u"mov", u"rxfifo[y]", u"isr"}},
      {u"set x (1", {u"set", u"x", u"(1"}},
      {u"nop [3", {u"nop", u"[3"}},
      {u"a ) b", {u"a", u")", u"b"}},
      {u"", {}},
  };
  for (const Row& row : rows) {
    std::vector<std::u16string> words;
    for (const pio::Word& word : pio::splitWords(row.code)) {
      words.push_back(word.text);
      EXPECT_EQ(word.group, word.text.starts_with(u'(') && word.text.ends_with(u')')) << narrow(row.code);
    }
    EXPECT_EQ(words, row.words) << narrow(row.code);
  }
}

TEST(LineWords, RunLogFormDropsParenthesisedText) {
  struct Row {
    std::u16string_view in;
    std::u16string_view out;
  } rows[] = {
      {u"set x, 1", u"set x 1"},         {u"  SET   X 1  ", u"set x 1"},
      {u"jmp (x--) loop", u"jmp loop"},  {u"mov x,(a)(b) y", u"mov x y"},
      {u"a ) b ( c", u"a ) b ( c"},      {u"\tset x 1", u"\tset x 1"},
      {u"", u""},
  };
  for (const Row& row : rows) EXPECT_EQ(pio::normalisePioLine(row.in), row.out) << narrow(row.in);
  EXPECT_EQ(pio::preparePioLine(u"\tset pins,\t1 [ 3 ]"), u" set pins, 1 [3]");
}

}  // namespace
