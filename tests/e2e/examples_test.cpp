// The bundled examples give exactly the results kept beside them.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/prexle_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::Workspace;

const fs::path kExamples = PREXLE_EXAMPLES_DIR;

TEST(Examples, ResultsMatchTheKeptCopies) {
  struct Case {
    std::string source;
    std::string mode;
    std::string result;
    std::string expected;
  } cases[] = {
      {"blink.bas", "Corvane", "blink_x.bas", "blink_x.bas"},
      {"ws2812.bas", "Corvane", "ws2812_x.bas", "ws2812_x.bas"},
      {"ws2812.bas", "Brisko", "X/ws2812.bas", "ws2812_brisko.bas"},
  };
  for (const auto& c : cases) {
    Workspace ws;
    fs::copy(kExamples / c.source, ws.root() / "src" / c.source);
    fs::copy(kExamples / "lib", ws.root() / "src/lib", fs::copy_options::recursive);
    auto result = ws.run(c.mode, c.source);
    EXPECT_EQ(result.exitCode, 0) << c.source;
    EXPECT_EQ(result.err, "") << c.source;
    EXPECT_EQ(ws.root().read("src/" + c.result), readFile(kExamples / "expected" / c.expected))
        << c.source << " in " << c.mode << " mode";
  }
}

}  // namespace
