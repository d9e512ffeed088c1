#pragma once

#include <cstdint>

namespace pio {

/// What a line of the second reading gave.
enum class Outcome {
  /// An instruction word, whose address is the program counter of currentPio
  /// less 1 after the call.
  word,
  /// A directive or other line that gives no word and no listing entry.
  directive,
  /// Nothing to do: no code before the comment, or a ".decode" line.
  nothing,
  /// No word: an error was reported, decode mode is on, a register picture
  /// was written, or ".nostart". The report already shows the line then.
  noWord,
  /// ".wrap_target", a valid ".wrap" or a label line: kept as a listing
  /// comment.
  listingComment,
};

/// A line's outcome, with the word when it gave one.
struct LineResult {
  Outcome outcome = Outcome::nothing;
  uint16_t word = 0;

  /// Every outcome but a word stands alone, so it converts.
  constexpr LineResult(Outcome what) : outcome(what) {}
  static constexpr LineResult ofWord(uint16_t word) {
    LineResult result(Outcome::word);
    result.word = word;
    return result;
  }
  friend bool operator==(const LineResult&, const LineResult&) = default;
};

}  // namespace pio
