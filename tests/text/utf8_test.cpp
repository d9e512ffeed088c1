#include "text/utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, ValidTextRoundTrips) {
  const std::string samples[] = {"", "plain ASCII", "Gr\xC3\xBC\xC3\x9F" "e", "\xE2\x82\xAC 5",
                                 "\xF0\x9F\x98\x80 smile", "tab\tand\r\nline ends"};
  for (const auto& sample : samples) {
    EXPECT_EQ(text::encodeUtf8(text::decodeUtf8(sample)), sample) << sample;
  }
  EXPECT_EQ(text::decodeUtf8("\xC3\xA9"), u"\u00E9");
  EXPECT_EQ(text::decodeUtf8("\xF0\x9F\x98\x80"), u"\U0001F600");
}

TEST(Utf8, InvalidBytesAreKeptAndWrittenBackUnchanged) {
  // Latin-1 bytes, a truncated sequence, an overlong form, an encoded
  // surrogate and a stray continuation byte.
  const std::string samples[] = {"caf\xE9", "cut \xE2\x82", "overlong \xC0\xAF", "\xED\xA0\x80",
                                 "\x80 lead", "end \xF4\x90\x80\x80"};
  for (const auto& sample : samples) {
    EXPECT_EQ(text::encodeUtf8(text::decodeUtf8(sample)), sample) << sample;
  }
  EXPECT_EQ(text::decodeUtf8("caf\xE9"), u"caf\xDCE9");
}

TEST(Utf8, ByteOrderMarkIsSkippedOnlyAtTheStart) {
  EXPECT_EQ(text::decodeUtf8("\xEF\xBB\xBFx=1"), u"x=1");
  EXPECT_EQ(text::decodeUtf8("x\xEF\xBB\xBF"), u"x\uFEFF");
}

}  // namespace
