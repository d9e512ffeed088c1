#include "app/shell_options.h"

#include <gtest/gtest.h>

#include "app/console_reporter.h"
#include "base/source_location.h"
#include "text/utf8.h"

namespace {

constexpr app::OptionDef kDefs[] = {
    {u"output", u'o', true}, {u"line-map", 0, true}, {u"log", 0, true}, {u"help", u'h', false}};

// "option=value ... | operand ...", or the error.
std::string parsed(std::vector<std::u16string> arguments) {
  const app::ParsedArguments result = app::parseArguments(arguments, kDefs);
  if (!result.error.empty()) return "error: " + text::encodeUtf8(result.error);
  std::u16string out;
  for (const auto& given : result.options) {
    out += std::u16string(kDefs[given.option].longName) + u"=" + given.value + u" ";
  }
  out += u"|";
  for (const auto& operand : result.operands) out += u" " + operand;
  return text::encodeUtf8(out);
}

TEST(ShellOptions, ReadTheGnuWay) {
  const std::pair<std::vector<std::u16string>, std::string> cases[] = {
      {{u"-o", u"-", u"a.bas"}, "output=- | a.bas"},
      {{u"-oX.bas", u"a.bas"}, "output=X.bas | a.bas"},
      {{u"a.bas", u"--output=o.bas", u"--log", u"--help"}, "output=o.bas log=--help | a.bas"},
      {{u"--out", u"o", u"--line", u"m", u"a"}, "output=o line-map=m | a"},
      {{u"-ho", u"x", u"--", u"-o", u"-"}, "help= output=x | -o -"},
      {{u"--output="}, "output= |"},
      {{u"--l", u"x"}, "error: option '--l' is ambiguous; possibilities: '--line-map' '--log'"},
      {{u"a", u"--bogus", u"-h"}, "error: unrecognized option '--bogus'"},
      {{u"-x"}, "error: invalid option -- 'x'"},
      {{u"--output"}, "error: option '--output' requires an argument"},
      {{u"-h", u"-o"}, "error: option requires an argument -- 'o'"},
      {{u"--help=yes"}, "error: option '--help' doesn't allow an argument"},
  };
  for (const auto& [arguments, expected] : cases) EXPECT_EQ(parsed(arguments), expected) << expected;
}

TEST(ShellOptions, DiagnosticsOneLinePerProblem) {
  const base::SourceLocation line{u"src/inc/a.inc", 12};
  EXPECT_EQ(app::diagnosticLines(u"error", line, u"Bad thing\r\nFile Not FOUND-> x \r\n\r\n"),
            u"src/inc/a.inc:12: error: Bad thing\nsrc/inc/a.inc:12: note: File Not FOUND-> x\n");
  EXPECT_EQ(app::diagnosticLines(u"note", line, u"Note: a block is still open"),
            u"src/inc/a.inc:12: note: a block is still open\n");
  EXPECT_EQ(app::diagnosticLines(u"error", {}, u" cant open /x/p_x.bas"), u"prexle: error: cant open /x/p_x.bas\n");
}

}  // namespace
