#include "pio/expression.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

std::string narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

// n is 3, t1 is 10; every other name is unknown.
std::optional<int32_t> names(std::u16string_view name) {
  if (name == u"n") return 3;
  if (name == u"t1") return 10;
  return std::nullopt;
}

TEST(Expression, PrecedenceArithmeticAndErrors) {
  // Results checked against the reference assembler where it takes the form.
  struct Row {
    std::u16string_view text;
    std::optional<int32_t> value;
  } rows[] = {
      {u"1 | 2 * 3", 9},          // | & ^ bind tightest
      {u"2 * 3 + 1", 7},          {u"1 + 2 << 3", 24},   // << >> loosest of the binary ones
      {u"-1 + 2", 1},             {u"2 * -3 + 7", 1},    {u"-2 * 3", -6},
      {u"::1 >> 27", 0},          // :: takes everything after it
      {u"::1", INT32_MIN},        {u"(::1) >> 31", -1},  // >> keeps the sign
      {u"t1 - 1", 9},             {u"(n - 1) * 2", 4},   {u"n-n-n", -3},
      {u"7 / 2", 3},              {u"-7 / 2", -3},       {u"1 / 0", std::nullopt},
      {u"1 << 33", 2},            {u"2147483647 + 1", INT32_MIN},
      {u"0x10 + $10 + &h10", 48}, {u"0b11 + %11 + &b11", 9}, {u"3 & 6 ^ 1", 3},
      {u"4294967297", 1},         {u"(((n)))", 3},       {u"  n  ", 3},
      {u"1 2", std::nullopt},     {u"1 +", std::nullopt}, {u"(1", std::nullopt},
      {u"1)", std::nullopt},      {u"x", std::nullopt},  {u"12ab", std::nullopt},
      {u"0x", std::nullopt},      {u"", std::nullopt},   {u"1e3", std::nullopt},
      {u"&5", std::nullopt},      {u"n--", std::nullopt},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(pio::evaluateExpression(row.text, names), row.value) << narrow(row.text);
  }
}

TEST(Expression, DeepNestingIsRefusedNotFollowed) {
  std::u16string deep = std::u16string(100000, u'(') + u"1" + std::u16string(100000, u')');
  EXPECT_EQ(pio::evaluateExpression(deep, names), std::nullopt);
  EXPECT_EQ(pio::evaluateExpression(std::u16string(100000, u'-') + u"1", names), std::nullopt);
  EXPECT_EQ(pio::evaluateExpression(u"((((1))))", names), 1);
}

}  // namespace
