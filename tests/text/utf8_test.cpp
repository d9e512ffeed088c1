#include "text/utf8.h"

#include <gtest/gtest.h>

namespace {

const std::string kValid[] = {"", "plain ASCII", "Gr\xC3\xBC\xC3\x9F" "e", "\xE2\x82\xAC 5",
                              "\xF0\x9F\x98\x80 smile", "tab\tand\r\nline ends"};

// Latin-1 bytes, a truncated sequence, an overlong form, an encoded
// surrogate, a stray continuation byte and a code point past U+10FFFF.
const std::string kInvalid[] = {"caf\xE9", "cut \xE2\x82", "overlong \xC0\xAF", "\xED\xA0\x80",
                                "\x80 lead", "end \xF4\x90\x80\x80"};

TEST(Utf8, ValidTextRoundTrips) {
  for (const auto& sample : kValid) {
    EXPECT_EQ(text::encodeUtf8(text::decodeUtf8(sample)), sample) << sample;
  }
  EXPECT_EQ(text::decodeUtf8("\xC3\xA9"), u"\u00E9");
  EXPECT_EQ(text::decodeUtf8("\xF0\x9F\x98\x80"), u"\U0001F600");
}

TEST(Utf8, InvalidBytesAreKeptAndWrittenBackUnchanged) {
  for (const auto& sample : kInvalid) {
    EXPECT_EQ(text::encodeUtf8(text::decodeUtf8(sample)), sample) << sample;
  }
  EXPECT_EQ(text::decodeUtf8("caf\xE9"), u"caf\xDCE9");
}

// Long enough to be converted in several pieces: wherever the piece
// boundaries fall, the whole decodes as its parts do and comes back whole.
TEST(Utf8, LongMixedTextConvertsAsItsPartsDo) {
  std::string mixed;
  std::u16string decodedParts;
  for (int i = 0; mixed.size() < 20000; ++i) {
    const std::string& part = i % 2 ? kValid[i / 2 % std::size(kValid)] : kInvalid[i / 2 % std::size(kInvalid)];
    mixed += part + "0123456789"[i % 10];
    decodedParts += text::decodeUtf8(part) + char16_t(u'0' + i % 10);
  }
  EXPECT_EQ(text::decodeUtf8(mixed), decodedParts);
  EXPECT_EQ(text::encodeUtf8(decodedParts), mixed);
}

TEST(Utf8, ByteOrderMarkIsSkippedOnlyAtTheStart) {
  EXPECT_EQ(text::decodeUtf8("\xEF\xBB\xBFx=1"), u"x=1");
  EXPECT_EQ(text::decodeUtf8("x\xEF\xBB\xBF"), u"x\uFEFF");
}

}  // namespace
