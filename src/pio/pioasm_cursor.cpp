#include "pio/pioasm_cursor.h"

#include "text/numbers.h"

namespace pio {

namespace {

constexpr std::u16string_view kBinaryOperators[] = {u"+", u"-", u"*", u"/", u"|",
                                                    u"&", u"^", u"<<", u">>"};

}  // namespace

bool PioasmCursor::at(TokenKind kind, std::u16string_view text, size_t ahead) const {
  const Token* token = peek(ahead);
  return token != nullptr && token->kind == kind && (text.empty() || token->text == text);
}

bool PioasmCursor::atKeyword(std::initializer_list<std::u16string_view> words) const {
  for (std::u16string_view word : words) {
    if (at(TokenKind::keyword, word)) return true;
  }
  return false;
}

bool PioasmCursor::take(TokenKind kind, std::u16string_view text) {
  if (!at(kind, text)) return false;
  ++pos_;
  return true;
}

bool PioasmCursor::word(std::initializer_list<std::u16string_view> words) {
  if (!atKeyword(words)) return false;
  emit(next());
  return true;
}

void PioasmCursor::emit(std::u16string text, bool group) {
  out_.source.words.push_back({std::move(text), group});
}

void PioasmCursor::expected(std::u16string_view what) {
  if (!ok()) return;
  out_.error = u"syntax error: expected " + std::u16string(what);
  out_.errorDetail = peek() == nullptr ? u"end of line" : peek()->text;
}

void PioasmCursor::refuse(std::u16string message, std::u16string_view detail) {
  if (!ok()) return;
  out_.error = std::move(message);
  out_.errorDetail = std::u16string(detail);
}

void PioasmCursor::end() {
  if (ok() && peek() != nullptr) expected(u"the end of the line");
}

bool PioasmCursor::primary(std::u16string& text) {
  const Token* token = peek();
  if (token == nullptr) return false;
  if (token->kind == TokenKind::number) {
    text += text::decimal(token->value);
  } else if (token->kind == TokenKind::name) {
    text += token->text;
  } else if (at(TokenKind::symbol, u"(")) {
    ++pos_;
    std::optional<std::u16string> inner = expression();
    if (!inner || !take(TokenKind::symbol, u")")) return false;
    text += u"(" + *inner + u")";
    return true;
  } else {
    return false;
  }
  ++pos_;
  return true;
}

std::optional<std::u16string> PioasmCursor::expression() {
  std::u16string text;
  for (;;) {
    while (at(TokenKind::symbol, u"-") || at(TokenKind::symbol, u"::")) text += next() + u" ";
    if (!primary(text)) return std::nullopt;
    bool more = false;
    for (std::u16string_view op : kBinaryOperators) more = more || at(TokenKind::symbol, op);
    if (!more) return text;
    text += u" " + next() + u" ";
  }
}

std::optional<std::u16string> PioasmCursor::value() {
  std::u16string text;
  if (at(TokenKind::symbol, u"(")) {
    if (!primary(text)) return std::nullopt;
    return text;
  }
  if (!at(TokenKind::number) && !at(TokenKind::name)) return std::nullopt;
  primary(text);
  return u"(" + text + u")";
}

bool PioasmCursor::emitValue(std::u16string_view what) {
  std::optional<std::u16string> text = value();
  if (!text) {
    expected(what);
    return false;
  }
  emit(*text, true);
  return true;
}

bool PioasmCursor::emitExpression(std::u16string_view what) {
  std::optional<std::u16string> text = expression();
  if (!text) {
    expected(what);
    return false;
  }
  emit(u"(" + *text + u")", true);
  return true;
}

}  // namespace pio
