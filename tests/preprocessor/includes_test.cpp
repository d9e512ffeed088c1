#include "preprocessor/includes.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/fatal_error.h"
#include "base/source_location.h"
#include "preprocessor/libraries.h"
#include "preprocessor/preprocessor_parts.h"
#include "support/temp_folder.h"
#include "text/utf8.h"

namespace {

struct IncludeFixture : pre_test::PreprocessorParts {
  testing_support::TempFolder folder;
  pre::LibraryState library;
  pre::SourceFolders folders{text::u16((folder / "src").string()) + u"/", u"PROG"};
  base::SourceLocation where;
  pre::IncludeContext context{line, emitter, symbols, reading, library, options, target, folders, logs, where};

  bool handle(std::u16string text) {
    line.lineBuffer = std::move(text);
    return pre::handleIncludeLine(context);
  }
};

TEST(Includes, RelativeNamesResolveInTheSourceFolderWhichIsLeftAfterwards) {
  IncludeFixture f;
  f.folder.write("src/lib/util.inc", "Sub Util\r\n");
  f.folder.write("src/near.inc", "near=1\r\n");
  const auto before = std::filesystem::current_path();
  EXPECT_TRUE(f.handle(u"#INCLUDE \"lib/util.inc\""));
  EXPECT_TRUE(f.handle(u"#include .\\near.inc"));
  EXPECT_EQ(std::filesystem::current_path(), before);
  EXPECT_EQ(text::encodeUtf8(f.reading.output.text),
            "'-------------*** Included \"lib/util.inc\" ***-----------\r\n\r\nSub Util\r\n"
            "'-------------*** Included .\\near.inc ***-----------\r\n\r\nnear=1\r\n");
}

TEST(Includes, AMissingFileOrFolderStopsTheRunAndTheFolderIsLeft) {
  IncludeFixture f;
  const auto before = std::filesystem::current_path();
  EXPECT_THROW(f.handle(u"#INCLUDE nothing.inc"), base::FatalError) << "the source folder is missing";
  f.folder.write("src/other.inc", "x\r\n");
  EXPECT_THROW(f.handle(u"#INCLUDE nothing.inc"), base::FatalError);
  EXPECT_EQ(std::filesystem::current_path(), before);
}

}  // namespace
