#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pio/pioasm_lexer.h"
#include "pio/pioasm_reader.h"

namespace pio {

/// Walks the tokens of one .pio file line for the grammar and writes the
/// shared parser's words into the line read. The first error it notes
/// stands; later ones are dropped.
class PioasmCursor {
 public:
  PioasmCursor(const std::vector<Token>& tokens, PioasmLine& out) : t_(tokens), out_(out) {}

  PioasmLine& out() { return out_; }
  /// The token ahead by the given count, or nullptr past the end.
  const Token* peek(size_t ahead = 0) const {
    return pos_ + ahead < t_.size() ? &t_[pos_ + ahead] : nullptr;
  }
  /// Whether that token is of the kind (and, when given, has the text).
  bool at(TokenKind kind, std::u16string_view text = {}, size_t ahead = 0) const;
  bool atKeyword(std::initializer_list<std::u16string_view> words) const;
  /// Moves past the next token and returns its text.
  std::u16string next() { return t_[pos_++].text; }
  void skip(size_t count) { pos_ += count; }
  /// Moves past the next token when it is the one given.
  bool take(TokenKind kind, std::u16string_view text);
  /// Takes the next token when it is one of the keywords, writing it as a word.
  bool word(std::initializer_list<std::u16string_view> words);
  void emit(std::u16string text, bool group = false);
  void optionalComma() { take(TokenKind::symbol, u","); }

  bool ok() const { return out_.error.empty(); }
  /// Notes a syntax error: what was expected, and what stands instead.
  void expected(std::u16string_view what);
  void refuse(std::u16string message, std::u16string_view detail);
  /// Notes an error when anything is left.
  void end();

  /// A number, a name or a parenthesised expression, as a group's text
  /// "(...)"; nullopt when none stands here.
  std::optional<std::u16string> value();
  /// prefix* primary (operator prefix* primary)*, "-" and "::" the prefixes;
  /// its text without parentheses, or nullopt.
  std::optional<std::u16string> expression();
  /// Writes a value, or an expression, as a group; notes what was expected
  /// when none stands here.
  bool emitValue(std::u16string_view what);
  bool emitExpression(std::u16string_view what);

 private:
  bool primary(std::u16string& text);

  const std::vector<Token>& t_;
  PioasmLine& out_;
  size_t pos_ = 0;
};

/// The directive whose token stands first: its grammar, and its words.
void readPioasmDirective(PioasmCursor& cursor);

}  // namespace pio
