#include <gtest/gtest.h>

#include "preprocessor/preprocessor_parts.h"
#include "preprocessor/replacements.h"

namespace {

struct ReplaceLineFixture : pre_test::PreprocessorParts {
  pre::ReplaceTable table;

  bool handle(std::u16string text, pre::LibraryKind libraryLoad = pre::LibraryKind::none) {
    line.lineBuffer = std::move(text);
    return pre::handleReplaceLine(table, line.lineBuffer, target, libraryLoad, emitter);
  }
};

TEST(ReplaceLine, StoresPairsAndKeepsTheLineAsAComment) {
  ReplaceLineFixture f;
  EXPECT_TRUE(f.handle(u"  #replace   old   new  "));
  EXPECT_TRUE(f.handle(u"#REPLACE lonely"));
  EXPECT_FALSE(f.handle(u"x = 1 ' nothing to see"));
  ASSERT_EQ(f.table.size(), 2u);
  EXPECT_EQ(f.table[0].from, u"old");
  EXPECT_EQ(f.table[0].to, u"new");
  EXPECT_EQ(f.table[1].from, u"lonely");
  EXPECT_EQ(f.table[1].to, u"");
  EXPECT_EQ(f.reading.output.text, u"'  #replace   old   new  \r\n'#REPLACE lonely\r\n")
      << "kept whatever the comment rules say";
}

TEST(ReplaceLine, KeywordBehindAnApostropheDropsTheLine) {
  ReplaceLineFixture f;
  EXPECT_TRUE(f.handle(u"x=1 ' see #REPLACE a b"));
  EXPECT_TRUE(f.handle(u"   x=1 '#REPLACE a b")) << "indented, the apostrophe still comes first";
  EXPECT_TRUE(f.table.empty());
  EXPECT_EQ(f.reading.output.text, u"");
  EXPECT_EQ(f.line.lineBuffer, u"");
}

TEST(ReplaceLine, UnderALibraryLoadOrTheEspOptionTheLineIsNotKept) {
  ReplaceLineFixture f;
  EXPECT_TRUE(f.handle(u"#REPLACE a b", pre::LibraryKind::plain));
  f.target.espOption = true;
  EXPECT_TRUE(f.handle(u"#REPLACE c d"));
  EXPECT_EQ(f.table.size(), 2u);
  EXPECT_EQ(f.reading.output.text, u"");
}

TEST(ReplaceLine, StoredEvenWhereLinesAreDropped) {
  ReplaceLineFixture f;
  std::u16string off = u"#IFDEF NOPE";
  pre::handleConditionalLine(f.symbols, f.reading.levels, off, pre::ConditionalRules::mainSource);
  EXPECT_TRUE(f.handle(u"#REPLACE a b"));
  EXPECT_EQ(f.table.size(), 1u);
  EXPECT_EQ(f.reading.output.text, u"'#REPLACE a b\r\n");
}

}  // namespace
