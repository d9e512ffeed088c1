#include "pio/pio_text.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "text/case_table.h"

namespace pio {

namespace {

// The value of c as a digit of radix, or -1.
int digitOf(char16_t c, int radix) {
  int digit = -1;
  if (c >= u'0' && c <= u'9') digit = c - u'0';
  if (c >= u'a' && c <= u'f') digit = c - u'a' + 10;
  if (c >= u'A' && c <= u'F') digit = c - u'A' + 10;
  return digit < radix ? digit : -1;
}

// Length and radix of the prefix at the start of s; 0 and radix 10 for none.
size_t radixPrefix(std::u16string_view s, int& radix) {
  radix = 10;
  if (s.starts_with(u'$')) return radix = 16, 1;
  if (s.starts_with(u'%')) return radix = 2, 1;
  if (s.size() <= 2 || (s[0] != u'&' && s[0] != u'0')) return 0;
  char16_t kind = text::toLower(s[1]);
  int wanted = kind == (s[0] == u'&' ? u'h' : u'x') ? 16 : kind == u'b' ? 2 : 0;
  if (wanted == 0 || digitOf(s[2], wanted) < 0) return 0;
  radix = wanted;
  return 2;
}

// The digits of a number after its sign; the "&H" and "&B" forms take none.
std::optional<std::u16string_view> unsignedPart(std::u16string_view s, bool& negative) {
  negative = s.starts_with(u'-');
  if (!s.starts_with(u'+') && !s.starts_with(u'-')) return s;
  s.remove_prefix(1);
  if (s.starts_with(u'&')) return std::nullopt;
  return s;
}

// True when the literal is the whole of s.
bool wholly(const NumberLiteral& number, std::u16string_view s) {
  return number.digitCount > 0 && number.length() == s.size();
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

NumberLiteral readNumberLiteral(std::u16string_view text) {
  NumberLiteral number;
  int radix = 10;
  number.prefixLength = radixPrefix(text, radix);
  for (size_t i = number.prefixLength; i < text.size(); ++i) {
    int digit = digitOf(text[i], radix);
    if (digit < 0) break;
    number.value = number.value * static_cast<uint32_t>(radix) + static_cast<uint32_t>(digit);
    ++number.digitCount;
  }
  return number;
}

std::optional<int32_t> wholeNumber(std::u16string_view word) {
  std::u16string upper = text::upper(word);
  std::u16string_view s = upper;
  if (s.starts_with(u"GP")) s.remove_prefix(2);
  bool negative = false;
  std::optional<std::u16string_view> body = unsignedPart(s, negative);
  if (!body) return std::nullopt;
  NumberLiteral number = readNumberLiteral(*body);
  if (wholly(number, *body)) return negatedIf(negative, static_cast<int32_t>(number.value));
  // Hexadecimal digits include E, so hex forms are read before the exponent.
  if (number.prefixLength == 0 && s.find(u'E') != std::u16string_view::npos)
    return exponentNumber(s);
  return std::nullopt;
}

bool isWholeNumber(std::u16string_view word) {
  std::u16string upper = text::upper(word);
  bool negative = false;
  std::optional<std::u16string_view> body = unsignedPart(upper, negative);
  return body && wholly(readNumberLiteral(*body), *body);
}

}  // namespace pio
