#include "preprocessor/conditionals.h"

#include <gtest/gtest.h>

#include "text/case_table.h"
#include "text/utf8.h"

namespace {

using pre::ConditionalRules;

// The run's symbols and a reading's levels, as the read loop holds them.
struct Conditionals {
  pre::DefinedSymbols symbols;
  pre::ConditionalLevels levels;
};

bool handle(Conditionals& c, std::u16string& line, ConditionalRules rules = ConditionalRules::mainSource) {
  return pre::handleConditionalLine(c.symbols, c.levels, line, rules);
}

// Feeds directive lines and reports whether lines are kept after each.
std::string run(Conditionals& c, const std::vector<std::u16string>& lines,
                ConditionalRules rules = ConditionalRules::mainSource) {
  std::string kept;
  for (auto line : lines) {
    handle(c, line, rules);
    kept += c.levels.currentActive() ? '1' : '0';
  }
  return kept;
}

TEST(Conditionals, MainSourceLevelsFollowTheEnclosingLevel) {
  Conditionals c;
  EXPECT_EQ(run(c, {u"#DEFINE Debug", u"#IFDEF DEBUG", u"#ELSE", u"#ENDIF"}), "1101");
  EXPECT_EQ(run(c, {u"#IFNDEF X", u"#ELSE", u"#ENDIF"}), "101");
  EXPECT_EQ(run(c, {u"#IFDEF NOPE", u"#IFDEF DEBUG", u"#ELSE", u"#ENDIF", u"#ENDIF"}), "00001")
      << "a level inside an off level stays off, #ELSE included";
  EXPECT_EQ(run(c, {u"#IFNDEF NOPE", u"#IFNDEF DEBUG", u"#ENDIF", u"#ENDIF"}), "1011");
}

TEST(Conditionals, HeaderFileLevelsStandAlone) {
  Conditionals c;
  c.symbols.define(u"A");
  EXPECT_EQ(run(c, {u"#IFDEF NOPE", u"#IFDEF A", u"#ENDIF", u"#ELSE", u"#ENDIF"},
                ConditionalRules::headerFile),
            "01011")
      << "the inner level ignores the outer one; #ENDIF leaves the flag it finds";
}

TEST(Conditionals, DefineOnlyAtAnActiveLevelAndNamesIgnoreCase) {
  Conditionals c;
  std::u16string line = u"#IFDEF NOPE";
  handle(c, line);
  line = u"  #define Late value";
  EXPECT_TRUE(handle(c, line));
  EXPECT_EQ(line, u"  #define Late value") << "left as it is, dropped later";
  EXPECT_FALSE(c.symbols.isDefined(u"late"));
  line = u"#ENDIF";
  handle(c, line);
  line = u"  #define Late value";
  handle(c, line);
  EXPECT_EQ(line, u"'#define Late value\r\n");
  EXPECT_TRUE(c.symbols.isDefined(u"LATE"));
  EXPECT_FALSE(c.symbols.isDefined(u"")) << "one symbol gives no **";
  c.symbols.define(u"B");
  EXPECT_TRUE(c.symbols.isDefined(u""));
  line = u"\t#DEFINE X";
  EXPECT_FALSE(handle(c, line)) << "a tab makes the line an ordinary one";
  EXPECT_EQ(line, u"\t#DEFINE X");
  EXPECT_FALSE(c.symbols.isDefined(u"X"));
}

// Whether "*name*" occurs, any case, in the list of "*symbol*" entries.
TEST(Conditionals, DefinedMeansFoundInTheStarList) {
  const std::vector<std::u16string> symbols = {u"Motor", u"a*b", u"", u"x**y"};
  const std::vector<std::u16string> queries = {u"motor", u"MOT",  u"a",   u"b",  u"a*b", u"*",
                                               u"",      u"x",    u"y",   u"x*", u"**", u"b**x",
                                               u"Motor*a"};
  Conditionals c;
  std::u16string list;
  for (const auto& symbol : symbols) {
    c.symbols.define(symbol);
    list += u"*" + symbol + u"*";
    for (const auto& query : queries) {
      EXPECT_EQ(c.symbols.isDefined(query), text::containsNoCase(list, u"*" + query + u"*"))
          << text::encodeUtf8(list) << " ? " << text::encodeUtf8(query);
    }
  }
}

TEST(Conditionals, UnbalancedAndDeepNestingStayInBounds) {
  Conditionals c;
  EXPECT_EQ(run(c, {u"#ENDIF", u"#ELSE", u"#ENDIF"}), "111") << "level 0 never closes or flips";
  EXPECT_EQ(c.levels.level(), 0);
  std::vector<std::u16string> deep(40, u"#IFNDEF X");
  EXPECT_EQ(run(c, deep), std::string(40, '1'));
  EXPECT_EQ(c.levels.level(), 40);
  EXPECT_EQ(run(c, std::vector<std::u16string>(45, u"#ENDIF")).back(), '1');
  EXPECT_EQ(c.levels.level(), 0);
  Conditionals header;
  EXPECT_EQ(run(header, {u"#ELSE", u"#ENDIF"}, ConditionalRules::headerFile), "11");
}

}  // namespace
