#include "platform/command_line.h"

#include <gtest/gtest.h>

#include "text/utf8.h"

namespace {

TEST(CommandLine, SplitsTheWayTheEditorQuotes) {
  struct Case {
    std::u16string line;
    std::vector<std::u16string> words;
  } cases[] = {
      {u"prexle.exe \"C:\\My Files\\a.bas\" \"C:\\Corvane\\\" Brisko",
       {u"prexle.exe", u"C:\\My Files\\a.bas", u"C:\\Corvane\\", u"Brisko"}},
      {u"  prexle\ta.bas\t\tC:\\h\\   PIOCHECK  ", {u"prexle", u"a.bas", u"C:\\h\\", u"PIOCHECK"}},
      {u"prexle \"\" x", {u"prexle", u"", u"x"}},
      {u"prexle a\"b c\"d", {u"prexle", u"ab cd"}},
      {u"", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::splitCommandLine(c.line), c.words) << text::encodeUtf8(c.line);
  }
}

}  // namespace
