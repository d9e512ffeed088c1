#include "pio/pioasm_lexer.h"

#include <climits>

#include "text/case_table.h"

namespace pio {

namespace {

constexpr std::u16string_view kKeywords[] = {
    u"jmp",    u"wait",    u"in",     u"out",    u"push",    u"pull",   u"mov",    u"irq",
    u"set",    u"nop",     u"public", u"pin",    u"gpio",    u"osre",   u"pins",   u"null",
    u"pindirs", u"x",      u"y",      u"pc",     u"exec",    u"isr",    u"osr",    u"status",
    u"block",  u"noblock", u"iffull", u"ifempty", u"rel",    u"clear",  u"nowait", u"jmppin",
    u"next",   u"prev",    u"txrx",   u"tx",     u"rx",      u"txput",  u"txget",  u"putget",
    u"rp2040", u"rp2350",  u"rxfifo", u"txfifo", u"left",    u"right",  u"auto",   u"manual",
    u"optional", u"side"};

struct Alias {
  std::u16string_view word;
  std::u16string_view reads;
};
constexpr Alias kAliases[] = {{u"opt", u"optional"}, {u"sideset", u"side"}, {u"side_set", u"side"}};

// Longest first, so that "::" is not read as two ":".
constexpr std::u16string_view kSymbols[] = {u"::", u"--", u"!=", u"<<", u">>", u",", u":",
                                            u"[",  u"]",  u"(",  u")",  u"+",  u"-", u"*",
                                            u"/",  u"|",  u"&",  u"^",  u"!",  u"~", u"<"};
// Two minus signs (U+2212) mean "--" too.
constexpr std::u16string_view kTypographicDecrement = u"\u2212\u2212";

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; }
bool isLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isNameChar(char16_t c) { return isLetter(c) || isDigit(c); }

int digitValue(char16_t c) {
  if (isDigit(c)) return c - u'0';
  char16_t lower = text::toLower(c);
  return lower >= u'a' && lower <= u'f' ? lower - u'a' + 10 : 99;
}

// 16 or 2 when the text starts with "0x" or "0b" and a digit of that radix.
int radixOf(std::u16string_view s) {
  if (s.size() < 3 || s[0] != u'0') return 10;
  char16_t mark = text::toLower(s[1]);
  if (mark == u'x' && digitValue(s[2]) < 16) return 16;
  if (mark == u'b' && (s[2] == u'0' || s[2] == u'1')) return 2;
  return 10;
}

// Whether the whole text is one integer literal.
bool isIntegerLiteral(std::u16string_view s) {
  const int radix = radixOf(s);
  size_t i = radix == 10 ? 0 : 2;
  if (i >= s.size()) return false;
  for (; i < s.size(); ++i) {
    if (digitValue(s[i]) >= radix) return false;
  }
  return true;
}

size_t nameEnd(std::u16string_view s, size_t from) {
  while (from < s.size() && isNameChar(s[from])) ++from;
  return from;
}

// Splits one line; the state of the caller carries between lines.
class Lexer {
 public:
  Lexer(std::u16string_view line, LexState& state, LexedLine& out)
      : s_(line), state_(state), out_(out) {}

  void run() {
    while (pos_ < s_.size() && out_.error.empty() && !out_.opensCodeBlock) {
      if (state_.inComment) {
        size_t close = s_.find(u"*/", pos_);
        state_.inComment = close == std::u16string_view::npos;
        pos_ = state_.inComment ? s_.size() : close + 2;
      } else if (isBlank(s_[pos_])) {
        ++pos_;
      } else if (!langOpt_) {
        token();
      } else {
        langOptToken();
      }
    }
  }

 private:
  void add(TokenKind kind, std::u16string text, size_t end, int32_t value = 0) {
    out_.tokens.push_back({kind, std::move(text), value, pos_});
    pos_ = end;
  }

  void fail(std::u16string message, std::u16string_view detail) {
    out_.error = std::move(message);
    out_.errorDetail = std::u16string(detail);
  }

  void token() {
    std::u16string_view rest = s_.substr(pos_);
    if (rest.starts_with(u";") || rest.starts_with(u"//")) {
      pos_ = s_.size();
    } else if (rest.starts_with(u"/*")) {
      state_.inComment = true;
      pos_ += 2;
    } else if (rest.starts_with(u'%')) {
      codeBlockStart(rest);
    } else if (isDigit(rest[0]) || (rest[0] == u'.' && rest.size() > 1 && isDigit(rest[1]))) {
      number(rest);
    } else if (rest[0] == u'.' && rest.size() > 1 && isLetter(rest[1])) {
      directive();
    } else if (isLetter(rest[0])) {
      word();
    } else {
      symbol(rest);
    }
  }

  // "%" [blanks] language [blanks] "{": the rest of the line and the lines
  // up to a "%}" line are the block's contents.
  void codeBlockStart(std::u16string_view rest) {
    size_t nextPercent = rest.find(u'%', 1);
    std::u16string_view head = rest.substr(0, nextPercent);
    size_t brace = head.rfind(u'{');
    if (brace == std::u16string_view::npos || brace < 2) {
      fail(u"invalid character", u"%");
      return;
    }
    out_.opensCodeBlock = true;
    state_.inCodeBlock = true;
  }

  void number(std::u16string_view rest) {
    size_t end = 0;
    while (end < rest.size() && isDigit(rest[end])) ++end;
    if (end < rest.size() && rest[end] == u'.' && end + 1 < rest.size() && isDigit(rest[end + 1])) {
      end += 2;
      while (end < rest.size() && isDigit(rest[end])) ++end;
      add(TokenKind::fraction, std::u16string(rest.substr(0, end)), pos_ + end);
      return;
    }
    const int radix = radixOf(rest);
    end = radix == 10 ? 0 : 2;
    int64_t value = 0;
    for (; end < rest.size() && digitValue(rest[end]) < radix; ++end) {
      if (value <= INT_MAX) value = value * radix + digitValue(rest[end]);
    }
    std::u16string written(rest.substr(0, end));
    if (value > INT_MAX) {
      fail(radix == 10 ? u"integer is out of range" : u"number is out of range", written);
      return;
    }
    add(TokenKind::number, written, pos_ + end, static_cast<int32_t>(value));
  }

  void directive() {
    size_t end = nameEnd(s_, pos_ + 1);
    std::u16string name = text::lower(s_.substr(pos_, end - pos_));
    if (name == u".lang_opt") langOpt_ = true;
    add(TokenKind::directive, std::move(name), end);
  }

  void word() {
    size_t end = nameEnd(s_, pos_);
    std::u16string_view spelled = s_.substr(pos_, end - pos_);
    std::u16string lower = text::lower(spelled);
    if (lower == u"one" || lower == u"zero") {
      add(TokenKind::number, lower == u"one" ? u"1" : u"0", end, lower == u"one" ? 1 : 0);
      return;
    }
    for (const Alias& alias : kAliases) {
      if (lower == alias.word) lower = alias.reads;
    }
    for (std::u16string_view keyword : kKeywords) {
      if (lower == keyword) {
        add(TokenKind::keyword, std::move(lower), end);
        return;
      }
    }
    add(TokenKind::name, std::u16string(spelled), end);
  }

  void symbol(std::u16string_view rest) {
    if (rest.starts_with(kTypographicDecrement)) {
      add(TokenKind::symbol, u"--", pos_ + kTypographicDecrement.size());
      return;
    }
    for (std::u16string_view symbol : kSymbols) {
      if (rest.starts_with(symbol)) {
        add(TokenKind::symbol, std::u16string(symbol), pos_ + symbol.size());
        return;
      }
    }
    fail(u"invalid character", rest.substr(0, 1));
  }

  // After ".lang_opt" the line holds words, "=" and quoted strings, and no
  // comments.
  void langOptToken() {
    std::u16string_view rest = s_.substr(pos_);
    if (rest[0] == u'"') {
      size_t close = rest.rfind(u'"');
      if (close == 0) {
        fail(u"invalid character", u"\"");
        return;
      }
      add(TokenKind::text, std::u16string(rest.substr(0, close + 1)), pos_ + close + 1);
      return;
    }
    if (rest[0] == u'=') {
      add(TokenKind::symbol, u"=", pos_ + 1);
      return;
    }
    size_t end = 0;
    while (end < rest.size() && !isBlank(rest[end]) && rest[end] != u'"' && rest[end] != u'=') ++end;
    std::u16string_view word = rest.substr(0, end);
    add(isIntegerLiteral(word) ? TokenKind::number : TokenKind::text, std::u16string(word), pos_ + end);
  }

  std::u16string_view s_;
  LexState& state_;
  LexedLine& out_;
  size_t pos_ = 0;
  bool langOpt_ = false;
};

bool closesCodeBlock(std::u16string_view line) {
  size_t from = 0;
  while (from < line.size() && isBlank(line[from])) ++from;
  if (line.substr(from, 2) != u"%}") return false;
  for (size_t i = from + 2; i < line.size(); ++i) {
    if (!isBlank(line[i])) return false;
  }
  return true;
}

}  // namespace

LexedLine lexPioasmLine(std::u16string_view line, LexState& state) {
  LexedLine out;
  if (state.inCodeBlock) {
    out.inCodeBlock = true;
    state.inCodeBlock = !closesCodeBlock(line);
    return out;
  }
  Lexer(line, state, out).run();
  return out;
}

}  // namespace pio
