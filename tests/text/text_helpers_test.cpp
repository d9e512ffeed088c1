#include <gtest/gtest.h>

#include "text/blanks.h"
#include "text/case_table.h"
#include "text/lines.h"
#include "text/numbers.h"

namespace {

using Lines = std::vector<std::u16string>;

TEST(Lines, EndAtLfCrLfOrLoneCr) {
  struct Case {
    std::u16string text;
    Lines lines;
  } cases[] = {
      {u"", {}},
      {u"a", {u"a"}},
      {u"a\r\n", {u"a"}},
      {u"a\r\nb", {u"a", u"b"}},
      {u"a\rb\nc\r\nd", {u"a", u"b", u"c", u"d"}},
      {u"\n\n", {u"", u""}},
      {u"a\r\r\n", {u"a", u""}},
  };
  // Lines of every length up to 20 with each kind of line end, so breaks (and
  // a CR LF pair) fall at every place within the blocks searched at once.
  Case generated;
  const std::u16string ends[] = {u"\n", u"\r\n", u"\r"};
  for (size_t length = 0; length <= 20; ++length) {
    generated.lines.push_back(std::u16string(length, u'a' + length % 26));
    generated.text += generated.lines.back() + ends[length % 3];
  }
  for (const auto& c : cases) EXPECT_EQ(text::splitLines(c.text), c.lines);
  EXPECT_EQ(text::splitLines(generated.text), generated.lines);
  const auto views = text::splitLineViews(generated.text);
  EXPECT_EQ(Lines(views.begin(), views.end()), generated.lines);
}

TEST(Blanks, OnlySpacesAreBlanks) {
  EXPECT_EQ(text::normaliseBlanks(u"   #replace   old    new  "), u"#replace old new");
  EXPECT_EQ(text::normaliseBlanks(u"\t a  b\t"), u"\t a b\t");
  EXPECT_EQ(text::trimLeadingBlanks(u"  \tx "), u"\tx ");
  EXPECT_EQ(text::trimBlanks(u"  x  "), u"x");
}

TEST(Blanks, FieldsSplitAtSingleBlanks) {
  EXPECT_EQ(text::field(u"#INCLUDE a.inc", 1), u"#INCLUDE");
  EXPECT_EQ(text::field(u"#INCLUDE a.inc", 2), u"a.inc");
  EXPECT_EQ(text::field(u"#INCLUDE a.inc", 3), u"");
  EXPECT_EQ(text::field(u"#CODEBASE  folder", 2), u"") << "two blanks give an empty field";
  EXPECT_EQ(text::field(u"#CODEBASE  folder", 3), u"folder");
}

TEST(Blanks, DirectiveTestIsAPrefixTestAfterBlanks) {
  EXPECT_TRUE(text::isDirective(u"   #include x", u"#INCLUDE"));
  EXPECT_TRUE(text::isDirective(u"#INCLUDEX", u"#INCLUDE"));
  EXPECT_TRUE(text::isDirective(u"#ELSEIF", u"#ELSE"));
  EXPECT_FALSE(text::isDirective(u"\t#DEFINE X", u"#DEFINE")) << "a tab makes an ordinary line";
  EXPECT_FALSE(text::isDirective(u"x #DEFINE", u"#DEFINE"));
}

TEST(CaseTable, AsciiAndLatin1LettersOnly) {
  EXPECT_EQ(text::upper(u"abz\u00E9\u00FE\u00F7\u00FF\u0101"), u"ABZ\u00C9\u00DE\u00F7\u00FF\u0101");
  EXPECT_EQ(text::lower(u"ABZ\u00C9\u00DE\u00D7\u0100"), u"abz\u00E9\u00FE\u00D7\u0100");
  EXPECT_TRUE(text::equalsNoCase(u"Caf\u00C9", u"cAF\u00E9"));
  EXPECT_FALSE(text::equalsNoCase(u"\u0100", u"\u0101"));
  EXPECT_EQ(text::findNoCase(u"x=LED+led", u"led", 3), 6u);
  EXPECT_EQ(text::findNoCase(u"abc", u"abcd"), std::u16string::npos);
  EXPECT_TRUE(text::containsNoCase(u"' program for 'TARGET WinBasic\\", u" winbasic\\"));
  // At every place within and past the blocks searched at once.
  for (size_t at = 0; at < 20; ++at) {
    const std::u16string haystack = std::u16string(at, u'd') + u"L\u00C9D" + std::u16string(9, u'l');
    EXPECT_EQ(text::findNoCase(haystack, u"l\u00E9d"), at);
    EXPECT_EQ(text::findNoCase(haystack, u"l\u00E9d", at + 1), std::u16string::npos);
    EXPECT_EQ(text::findNoCase(haystack, u"", at), at);
  }
}

TEST(Numbers, Formats) {
  EXPECT_EQ(text::decimal(0), u"0");
  EXPECT_EQ(text::decimal(-42), u"-42");
  EXPECT_EQ(text::decimal(INT64_MIN), u"-9223372036854775808");
  EXPECT_EQ(text::hex(0), u"0");
  EXPECT_EQ(text::hex(0x1F000), u"1F000");
  EXPECT_EQ(text::hex(0xE, 4), u"000E");
  EXPECT_EQ(text::binary(5, 8), u"00000101");
  EXPECT_EQ(text::leadingDecimal(u" 120"), 120);
  EXPECT_EQ(text::leadingDecimal(u"-7x"), -7);
  EXPECT_EQ(text::leadingDecimal(u"abc"), 0);
  EXPECT_EQ(text::leadingDecimal(u""), 0);
}

}  // namespace
