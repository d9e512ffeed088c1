#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Lines of a .pio file split into tokens the way the reference assembler
// splits them, so that what it refuses is refused here too.

namespace pio {

enum class TokenKind {
  /// An integer: decimal, "0x" or "0b" digits, or the words "one" and "zero".
  number,
  /// Digits with a decimal point ("2.5"), which only ".clock_div" takes.
  fraction,
  /// A name as spelled: names are compared with regard to case.
  name,
  /// A word of the language, lower case, aliases folded ("opt" reads
  /// "optional", "sideset" and "side_set" read "side").
  keyword,
  /// A directive, lower case with its dot.
  directive,
  /// Punctuation or an operator as written ("," "::" "--" "!=" ...).
  symbol,
  /// A word or quoted string of a ".lang_opt" line.
  text,
};

struct Token {
  TokenKind kind = TokenKind::symbol;
  std::u16string text;
  /// The value of a number.
  int32_t value = 0;
  /// Where the token starts in the line.
  size_t column = 0;
};

/// What carries from one line of a file to the next.
struct LexState {
  bool inComment = false;    // within "/*" ... "*/"
  bool inCodeBlock = false;  // within "% lang {" ... "%}"
};

/// One line split into tokens.
struct LexedLine {
  std::vector<Token> tokens;
  /// The line opens a "% lang {" block after its tokens; the block's
  /// contents are other tools' code.
  bool opensCodeBlock = false;
  /// The line is inside such a block or closes it.
  bool inCodeBlock = false;
  /// Why the line cannot be read (empty when it can), and the text at fault.
  std::u16string error;
  std::u16string errorDetail;
};

/// Splits one line, comments left out: ";" and "//" to the end of the line,
/// "/*" ... "*/" across lines. A directive the assembler does not know is a
/// token all the same; the reader refuses it.
LexedLine lexPioasmLine(std::u16string_view line, LexState& state);

}  // namespace pio
