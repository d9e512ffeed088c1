// Runs every case under tests/golden (see the README there) against the
// built tool.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "support/prexle_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;

const fs::path kGoldenDir = PREXLE_GOLDEN_DIR;

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kGoldenDir)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string trimmed(std::string s) {
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
  return s;
}

std::string withRoot(std::string text, const std::string& root) {
  for (size_t at; (at = text.find("@ROOT@")) != std::string::npos;) text.replace(at, 6, root);
  return text;
}

std::string lineMapAsText(const std::string& bytes) {
  std::ostringstream out;
  for (int32_t entry : testing_support::lineMapEntries(bytes)) out << entry << "\n";
  return out.str();
}

class Golden : public ::testing::TestWithParam<std::string> {};

// One run of a case in one mode, compared with the files in expected.
void checkRun(const fs::path& dir, const std::string& mode, const fs::path& expected) {
  SCOPED_TRACE(mode);
  testing_support::Workspace workspace;
  fs::copy(dir / "input", workspace.root() / "src", fs::copy_options::recursive);
  const auto result = workspace.run(mode);
  const std::string target = mode == "Brisko" ? "Brisko" : "Corvane";
  const std::string root = workspace.root().path().string();

  const std::string exitCode = readFile(expected / "exitcode");
  EXPECT_EQ(result.exitCode, exitCode == "<missing>" ? 0 : std::stoi(exitCode));
  if (!fs::exists(expected / "handed")) {
    EXPECT_EQ(workspace.handedPath(target), "<missing>") << "no program may be started";
  }
  for (const auto& entry : fs::recursive_directory_iterator(expected)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = fs::relative(entry.path(), expected).generic_string();
    const std::string want = readFile(entry.path());
    if (name == "exitcode") continue;
    if (name == "stdout") {
      EXPECT_EQ(result.out, withRoot(want, root));
    } else if (name == "stderr") {
      EXPECT_EQ(result.err, withRoot(want, root));
    } else if (name == "handed") {
      EXPECT_EQ(workspace.handedPath(target), withRoot(trimmed(want), root));
    } else if (name == "lineno") {
      EXPECT_EQ(lineMapAsText(workspace.data("lineno.txt")), want);
    } else if (name == "PasmErrors.txt" || name == "Prexle.txt" || name == "MMmodule.inf") {
      EXPECT_EQ(workspace.data(name), want) << name;
    } else if (name.starts_with("DATA/")) {
      EXPECT_EQ(workspace.data(name.substr(5)), want) << name;
    } else if (name.starts_with("ROOT/")) {
      EXPECT_EQ(workspace.root().read(name.substr(5)), want) << name;
    } else {
      EXPECT_EQ(workspace.root().read("src/" + name), want) << name;
    }
  }
}

// A case lists one mode, or several (one per line) with the expected files
// of each in expected/<mode>.
TEST_P(Golden, OutputsMatch) {
  const fs::path dir = kGoldenDir / GetParam();
  std::istringstream modes(readFile(dir / "mode"));
  std::vector<std::string> names;
  for (std::string mode; modes >> mode;) names.push_back(mode);
  ASSERT_FALSE(names.empty());
  for (const std::string& mode : names) {
    checkRun(dir, mode, names.size() == 1 ? dir / "expected" : dir / "expected" / mode);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(caseNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
