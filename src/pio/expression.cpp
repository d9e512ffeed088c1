#include "pio/expression.h"

#include <limits>

#include "pio/pio_text.h"

namespace pio {

namespace {

// Parentheses and unary operators nested deeper than this are refused, so a
// hostile line cannot exhaust the stack.
constexpr int kMaxDepth = 64;

enum class Op { none, add, subtract, multiply, divide, bitOr, bitAnd, bitXor, shiftLeft, shiftRight };

// Binding levels, loosest first; unary "-" takes its operand at the level
// above "+ -", unary "::" at the loosest.
constexpr int kShiftLevel = 1;
constexpr int kAddLevel = 2;
constexpr int kMultiplyLevel = 3;
constexpr int kBitwiseLevel = 4;

int levelOf(Op op) {
  switch (op) {
    case Op::shiftLeft:
    case Op::shiftRight: return kShiftLevel;
    case Op::add:
    case Op::subtract: return kAddLevel;
    case Op::multiply:
    case Op::divide: return kMultiplyLevel;
    default: return kBitwiseLevel;
  }
}

bool isLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_'; }
bool isNameChar(char16_t c) { return isLetter(c) || (c >= u'0' && c <= u'9'); }

uint32_t bits(int32_t v) { return static_cast<uint32_t>(v); }
int32_t fromBits(uint32_t v) { return static_cast<int32_t>(v); }

int32_t reversed(int32_t value) {
  uint32_t in = bits(value);
  uint32_t out = 0;
  for (int i = 0; i < 32; ++i, in >>= 1) out = (out << 1) | (in & 1);
  return fromBits(out);
}

std::optional<int32_t> apply(Op op, int32_t a, int32_t b) {
  switch (op) {
    case Op::add: return fromBits(bits(a) + bits(b));
    case Op::subtract: return fromBits(bits(a) - bits(b));
    case Op::multiply: return fromBits(bits(a) * bits(b));
    case Op::divide:
      if (b == 0) return std::nullopt;
      if (a == std::numeric_limits<int32_t>::min() && b == -1) return a;
      return a / b;
    case Op::bitOr: return a | b;
    case Op::bitAnd: return a & b;
    case Op::bitXor: return a ^ b;
    case Op::shiftLeft: return fromBits(bits(a) << (bits(b) & 31));
    case Op::shiftRight: return a >> (bits(b) & 31);
    default: return std::nullopt;
  }
}

class Parser {
 public:
  Parser(std::u16string_view text, const NameValue& nameValue) : s_(text), nameValue_(nameValue) {}

  std::optional<int32_t> whole() {
    std::optional<int32_t> value = binary(kShiftLevel);
    skipBlanks();
    return pos_ == s_.size() ? value : std::nullopt;
  }

 private:
  std::optional<int32_t> binary(int minLevel) {
    std::optional<int32_t> left = unary();
    while (left) {
      size_t before = pos_;
      Op op = readOperator();
      if (op == Op::none || levelOf(op) < minLevel) {
        pos_ = before;
        break;
      }
      std::optional<int32_t> right = binary(levelOf(op) + 1);
      left = right ? apply(op, *left, *right) : std::nullopt;
    }
    return left;
  }

  std::optional<int32_t> unary() {
    struct Nesting {
      int& depth;
      explicit Nesting(int& d) : depth(++d) {}
      ~Nesting() { --depth; }
    } nesting(depth_);
    if (depth_ > kMaxDepth) return std::nullopt;
    skipBlanks();
    if (s_.substr(pos_).starts_with(u"::")) {
      pos_ += 2;
      std::optional<int32_t> value = binary(kShiftLevel);
      return value ? std::optional<int32_t>(reversed(*value)) : std::nullopt;
    }
    if (at(u'-')) {
      ++pos_;
      std::optional<int32_t> value = binary(kMultiplyLevel);
      return value ? std::optional<int32_t>(fromBits(0u - bits(*value))) : std::nullopt;
    }
    if (at(u'(')) {
      ++pos_;
      std::optional<int32_t> value = binary(kShiftLevel);
      skipBlanks();
      if (!value || !at(u')')) return std::nullopt;
      ++pos_;
      return value;
    }
    return operand();
  }

  std::optional<int32_t> operand() {
    size_t start = pos_;
    if (pos_ < s_.size() && isLetter(s_[pos_])) {
      while (pos_ < s_.size() && isNameChar(s_[pos_])) ++pos_;
      return nameValue_(s_.substr(start, pos_ - start));
    }
    NumberLiteral number = readNumberLiteral(s_.substr(pos_));
    pos_ += number.length();
    if (number.digitCount == 0 || (pos_ < s_.size() && isNameChar(s_[pos_]))) return std::nullopt;
    return fromBits(number.value);
  }

  Op readOperator() {
    skipBlanks();
    std::u16string_view rest = s_.substr(pos_);
    if (rest.starts_with(u"<<") || rest.starts_with(u">>")) {
      pos_ += 2;
      return rest[0] == u'<' ? Op::shiftLeft : Op::shiftRight;
    }
    if (rest.empty()) return Op::none;
    Op op = Op::none;
    switch (rest[0]) {
      case u'+': op = Op::add; break;
      case u'-': op = Op::subtract; break;
      case u'*': op = Op::multiply; break;
      case u'/': op = Op::divide; break;
      case u'|': op = Op::bitOr; break;
      case u'&': op = Op::bitAnd; break;
      case u'^': op = Op::bitXor; break;
      default: break;
    }
    if (op != Op::none) ++pos_;
    return op;
  }

  bool at(char16_t c) const { return pos_ < s_.size() && s_[pos_] == c; }

  void skipBlanks() {
    while (pos_ < s_.size() && s_[pos_] == u' ') ++pos_;
  }

  std::u16string_view s_;
  const NameValue& nameValue_;
  size_t pos_ = 0;
  int depth_ = 0;
};

}  // namespace

std::optional<int32_t> evaluateExpression(std::u16string_view text, const NameValue& nameValue) {
  return Parser(text, nameValue).whole();
}

}  // namespace pio
