#include "pio/pio_text.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "text/blanks.h"
#include "text/case_table.h"

namespace pio {

namespace {

int digitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Length of the radix prefix at s[i] ("$", "0x", "%", "0b") and its radix; 0
// when none. A "0x" with no digit after it is just the number 0.
size_t radixPrefix(std::u16string_view s, size_t i, int& radix) {
  radix = 10;
  if (i >= s.size()) return 0;
  if (s[i] == u'$') return radix = 16, 1;
  if (s[i] == u'%') return radix = 2, 1;
  if (s[i] == u'0' && i + 1 < s.size()) {
    char16_t x = text::toLower(s[i + 1]);
    int next = i + 2 < s.size() ? digitValue(s[i + 2]) : -1;
    if (x == u'x' && next >= 0) return radix = 16, 2;
    if (x == u'b' && (next == 0 || next == 1)) return radix = 2, 2;
  }
  return 0;
}

std::u16string replaceAll(std::u16string s, std::u16string_view from, std::u16string_view to) {
  for (size_t at = s.find(from); at != std::u16string::npos; at = s.find(from, at + to.size())) {
    s.replace(at, from.size(), to);
  }
  return s;
}

// Decimal notation with an exponent; the whole text must be the number.
int32_t readExponentNumber(const std::u16string& s) {
  std::string ascii;
  for (char16_t c : s) {
    if (c > 0x7F) return 0;
    ascii += static_cast<char>(c);
  }
  const char* start = ascii.c_str();
  char* end = nullptr;
  double value = std::strtod(start, &end);
  while (*end == ' ') ++end;
  if (end == start || *end != '\0' || !std::isfinite(value)) return 0;
  for (char c : ascii) {
    // strtod also takes hex floats, "inf" and "nan"; those are no PIO numbers.
    if (c == 'X' || c == 'N' || c == 'I') return 0;
  }
  double wrapped = std::fmod(std::nearbyint(value), 4294967296.0);
  if (wrapped < 0) wrapped += 4294967296.0;
  return static_cast<int32_t>(static_cast<uint32_t>(wrapped));
}

}  // namespace

std::u16string normalisePioLine(std::u16string_view text) {
  std::u16string s(text);
  for (;;) {
    size_t open = s.find(u'(');
    size_t close = s.find(u')');
    if (open == std::u16string::npos || close == std::u16string::npos || close < open) break;
    s.replace(open, close - open + 1, u" ");
  }
  s = std::u16string(text::trimBlanks(s));
  for (char16_t& c : s) {
    if (c == u',') c = u' ';
  }
  return text::lower(text::normaliseBlanks(s));
}

std::u16string preparePioLine(std::u16string_view line) {
  std::u16string s(line);
  for (char16_t& c : s) {
    if (c == u'\t') c = u' ';
  }
  size_t before = 0;
  while (before != s.size()) {
    before = s.size();
    s = replaceAll(std::move(s), u"[ ", u"[");
    s = replaceAll(std::move(s), u" ]", u"]");
  }
  return s;
}

std::u16string nextWord(std::u16string_view text, bool restart, int& wordCursor) {
  if (restart) wordCursor = 1;
  std::u16string word(text::field(text, wordCursor));
  ++wordCursor;
  return word;
}

int32_t readPlainNumber(std::u16string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  int radix = 10;
  i += radixPrefix(s, i, radix);
  uint32_t value = 0;  // wraps, which is the cut to 32 bits
  for (; i < s.size(); ++i) {
    int digit = digitValue(s[i]);
    if (digit < 0 || digit >= radix) break;
    value = value * static_cast<uint32_t>(radix) + static_cast<uint32_t>(digit);
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

int32_t parsePioNumber(std::u16string_view text) {
  std::u16string s = text::upper(text);
  if (s.starts_with(u"GP")) s.erase(0, 2);
  if (s.starts_with(u"&H")) return readPlainNumber(replaceAll(s, u"&H", u"$"));
  if (s.starts_with(u"&B")) return readPlainNumber(replaceAll(s, u"&B", u"%"));
  std::u16string_view rest = text::trimLeadingBlanks(s);
  if (!rest.empty() && (rest[0] == u'+' || rest[0] == u'-')) rest.remove_prefix(1);
  int radix = 10;
  // Hexadecimal digits include E, so hex forms must be read before the
  // exponent test.
  if (radixPrefix(rest, 0, radix) > 0 && radix == 16) return readPlainNumber(s);
  if (s.find(u'E') != std::u16string::npos) return readExponentNumber(s);
  return readPlainNumber(s);
}

bool isWholeNumber(std::u16string_view word) {
  std::u16string s = text::upper(word);
  size_t i = 0;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ++i;
  int radix = 10;
  if (s.compare(i, 2, u"&H") == 0) {
    radix = 16, i += 2;
  } else if (s.compare(i, 2, u"&B") == 0) {
    radix = 2, i += 2;
  } else {
    i += radixPrefix(s, i, radix);
  }
  if (i >= s.size()) return false;
  for (; i < s.size(); ++i) {
    int digit = digitValue(s[i]);
    if (digit < 0 || digit >= radix) return false;
  }
  return true;
}

}  // namespace pio
