#include "pio/pio_text.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "text/case_table.h"

namespace pio {

namespace {

int digitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Length of the radix prefix at the start of s ("$", "0x", "%", "0b") and its
// radix; 0 when none. A "0x" with no digit after it is just the number 0.
size_t radixPrefix(std::u16string_view s, int& radix) {
  radix = 10;
  if (s.empty()) return 0;
  if (s[0] == u'$') return radix = 16, 1;
  if (s[0] == u'%') return radix = 2, 1;
  if (s[0] == u'0' && s.size() > 2) {
    char16_t x = text::toLower(s[1]);
    int next = digitValue(s[2]);
    if (x == u'x' && next >= 0) return radix = 16, 2;
    if (x == u'b' && (next == 0 || next == 1)) return radix = 2, 2;
  }
  return 0;
}

// All of s as digits of the radix, wrapped to 32 bits; nullopt when s is
// empty or holds anything else.
std::optional<int32_t> digitsValue(std::u16string_view s, int radix) {
  if (s.empty()) return std::nullopt;
  uint32_t value = 0;
  for (char16_t c : s) {
    int digit = digitValue(c);
    if (digit < 0 || digit >= radix) return std::nullopt;
    value = value * static_cast<uint32_t>(radix) + static_cast<uint32_t>(digit);
  }
  return static_cast<int32_t>(value);
}

// Decimal notation with an exponent, the whole text being the number. A value
// too large for a double reads 0; others are rounded half to even and wrapped.
std::optional<int32_t> exponentNumber(std::u16string_view s) {
  std::string ascii;
  for (char16_t c : s) {
    // strtod also takes hex floats, "inf" and "nan"; those are no PIO numbers.
    bool allowed = (c >= u'0' && c <= u'9') || c == u'.' || c == u'E' || c == u'+' || c == u'-';
    if (!allowed) return std::nullopt;
    ascii += static_cast<char>(c);
  }
  const char* start = ascii.c_str();
  char* end = nullptr;
  double value = std::strtod(start, &end);
  if (end == start || *end != '\0') return std::nullopt;
  if (!std::isfinite(value)) return 0;
  double wrapped = std::fmod(std::nearbyint(value), 4294967296.0);
  if (wrapped < 0) wrapped += 4294967296.0;
  return static_cast<int32_t>(static_cast<uint32_t>(wrapped));
}

std::optional<int32_t> negatedIf(bool negative, std::optional<int32_t> value) {
  if (!value || !negative) return value;
  return static_cast<int32_t>(0u - static_cast<uint32_t>(*value));
}

}  // namespace

std::optional<int32_t> wholeNumber(std::u16string_view word) {
  std::u16string upper = text::upper(word);
  std::u16string_view s = upper;
  if (s.starts_with(u"GP")) s.remove_prefix(2);
  if (s.starts_with(u"&H")) return digitsValue(s.substr(2), 16);
  if (s.starts_with(u"&B")) return digitsValue(s.substr(2), 2);
  std::u16string_view body = s;
  bool negative = !body.empty() && body[0] == u'-';
  if (!body.empty() && (body[0] == u'+' || body[0] == u'-')) body.remove_prefix(1);
  int radix = 10;
  size_t prefix = radixPrefix(body, radix);
  // Hexadecimal digits include E, so hex forms are read before the exponent.
  if (auto value = digitsValue(body.substr(prefix), radix)) return negatedIf(negative, value);
  if (prefix == 0 && s.find(u'E') != std::u16string_view::npos) return exponentNumber(s);
  return std::nullopt;
}

bool isWholeNumber(std::u16string_view word) {
  std::u16string upper = text::upper(word);
  std::u16string_view s = upper;
  if (s.starts_with(u"&H")) return digitsValue(s.substr(2), 16).has_value();
  if (s.starts_with(u"&B")) return digitsValue(s.substr(2), 2).has_value();
  if (!s.empty() && (s[0] == u'+' || s[0] == u'-')) s.remove_prefix(1);
  int radix = 10;
  size_t prefix = radixPrefix(s, radix);
  return digitsValue(s.substr(prefix), radix).has_value();
}

}  // namespace pio
