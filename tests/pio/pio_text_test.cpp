#include "pio/pio_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using pio::normalisePioLine;
using pio::parsePioNumber;
using pio::readPlainNumber;

TEST(PioText, NormalisedLinesCompareWordByWord) {
  struct Row {
    std::u16string_view in;
    std::u16string_view out;
  } rows[] = {
      {u"set x, 1", u"set x 1"},
      {u"  SET   X 1  ", u"set x 1"},
      {u"jmp (x--) loop", u"jmp loop"},
      {u"mov x,(a)(b) y", u"mov x y"},
      {u"a ) b ( c", u"a ) b ( c"},
      {u"\tset x 1", u"\tset x 1"},
      {u"", u""},
  };
  for (const Row& row : rows) EXPECT_EQ(normalisePioLine(row.in), row.out) << std::string(row.in.begin(), row.in.end());
}

TEST(PioText, PreparedLinesTreatTabsAsBlanksAndTightenBrackets) {
  EXPECT_EQ(pio::preparePioLine(u"\tset pins,\t1 [ 3 ]"), u" set pins, 1 [3]");
  EXPECT_EQ(pio::preparePioLine(u"nop [  7   ]"), u"nop [7]");
}

TEST(PioText, NextWordWalksTheWords) {
  int cursor = 0;
  EXPECT_EQ(pio::nextWord(u"set x 1", true, cursor), u"set");
  EXPECT_EQ(pio::nextWord(u"set x 1", false, cursor), u"x");
  EXPECT_EQ(pio::nextWord(u"set x 1", false, cursor), u"1");
  EXPECT_EQ(pio::nextWord(u"set x 1", false, cursor), u"");
  EXPECT_EQ(pio::nextWord(u"set x 1", true, cursor), u"set");
}

TEST(PioText, NumbersInEveryNotation) {
  struct Row {
    std::u16string_view in;
    int32_t parsed;  // parsePioNumber
    int32_t plain;   // readPlainNumber
  } rows[] = {
      {u"&H1F", 31, 0},       {u"&h1f", 31, 0},       {u"&B101", 5, 0},
      {u"GP7", 7, 0},         {u"gp15", 15, 0},       {u"$10", 16, 16},
      {u"%11", 3, 3},         {u"2E1", 20, 2},        {u"1e3", 1000, 1},
      {u"2.5E0", 2, 2},       {u"3.5e0", 4, 3},       {u"-3", -3, -3},
      {u"+4", 4, 4},          {u"12]", 12, 12},       {u"7]", 7, 7},
      {u"$1E", 30, 30},       {u"$E081", 0xE081, 0xE081}, {u"0x1f", 31, 31},
      {u"0X1E", 30, 30},      {u"0b101", 5, 5},       {u"0B11", 3, 3},
      {u"-$10", -16, -16},    {u"0x", 0, 0},          {u"abc", 0, 0},
      {u"exec", 0, 0},        {u"", 0, 0},            {u" \t9", 9, 9},
      {u"4294967297", 1, 1},  {u"1E3]", 0, 1},        {u"07", 7, 7},
  };
  for (const Row& row : rows) {
    std::string name(row.in.begin(), row.in.end());
    EXPECT_EQ(parsePioNumber(row.in), row.parsed) << name;
    EXPECT_EQ(readPlainNumber(row.in), row.plain) << name;
  }
}

TEST(PioText, WholeNumbersAreToldFromNames) {
  struct Row {
    std::u16string_view word;
    bool number;
  } rows[] = {
      {u"7", true},      {u"07", true},    {u"-3", true},    {u"$1f", true},
      {u"&H1F", true},   {u"0x1F", true},  {u"%101", true},  {u"&b11", true},
      {u"0b11", true},   {u"a", false},    {u"loop", false}, {u"12x", false},
      {u"$", false},     {u"0x", false},   {u"gp3", false},  {u"1e3", false},
      {u"", false},      {u"%102", false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(pio::isWholeNumber(row.word), row.number) << std::string(row.word.begin(), row.word.end());
  }
}

}  // namespace
