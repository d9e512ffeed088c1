#include "pio/pio_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

std::string narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

TEST(PioText, WholeNumbersInEveryNotation) {
  struct Row {
    std::u16string_view in;
    std::optional<int32_t> value;
  } rows[] = {
      {u"&H1F", 31},       {u"&h1f", 31},         {u"&B101", 5},      {u"GP7", 7},
      {u"gp15", 15},       {u"$10", 16},          {u"%11", 3},        {u"2E1", 20},
      {u"1e3", 1000},      {u"2.5E0", 2},         {u"3.5e0", 4},      {u"-3", -3},
      {u"+4", 4},          {u"$1E", 30},          {u"$E081", 0xE081}, {u"0x1f", 31},
      {u"0X1E", 30},       {u"0b101", 5},         {u"0B11", 3},       {u"-$10", -16},
      {u"07", 7},          {u"4294967297", 1},    {u"1E400", 0},      {u"-1e1", -10},
      {u"12]", std::nullopt}, {u"0x", std::nullopt}, {u"abc", std::nullopt},
      {u"exec", std::nullopt}, {u"", std::nullopt},  {u"1E3]", std::nullopt},
      {u"2.5", std::nullopt},  {u"%102", std::nullopt}, {u"$", std::nullopt},
      {u"1+1", std::nullopt},  {u"e5", std::nullopt},   {u"inf", std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(pio::wholeNumber(row.in), row.value) << narrow(row.in);
}

TEST(PioText, JumpTargetNumbersAreToldFromNames) {
  struct Row {
    std::u16string_view word;
    bool number;
  } rows[] = {
      {u"7", true},      {u"07", true},    {u"-3", true},    {u"$1f", true},
      {u"&H1F", true},   {u"0x1F", true},  {u"%101", true},  {u"&b11", true},
      {u"0b11", true},   {u"a", false},    {u"loop", false}, {u"12x", false},
      {u"$", false},     {u"0x", false},   {u"gp3", false},  {u"1e3", false},
      {u"", false},      {u"%102", false}, {u"-&H10", false},
  };
  for (const Row& row : rows) EXPECT_EQ(pio::isWholeNumber(row.word), row.number) << narrow(row.word);
}

}  // namespace
