#pragma once

// The from-words of a run of #REPLACE rows, and what each row needs to know
// about its to-word, for the path that replaces whole words.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "preprocessor/replacements.h"
#include "text/case_table.h"

namespace pre::replacing {

inline constexpr uint32_t kNoWord = UINT32_MAX;

/// Lowered from-words with an allocation-free lookup of a piece of text.
class WordTable {
 public:
  /// The id of word (which holds no delimiter), added when new; case
  /// variants share one id.
  uint32_t add(std::u16string_view word);

  /// The id of the word s[0, length) spells without regard to case, or
  /// kNoWord; length is not 0. Most words fail the two quick tests at once.
  uint32_t find(const char16_t* s, size_t length) const {
    const bool lengthFits = length < 64 ? (lengths_ >> length) & 1 : longWords_;
    const unsigned first = text::toLower(s[0]) & 255;
    const bool firstFits = (firstChars_[first >> 6] >> (first & 63)) & 1;
    if (!(lengthFits & firstFits)) return kNoWord;
    return lookUp(s, length);
  }

  /// The length of word id.
  size_t lengthOf(uint32_t id) const { return words_[id].size(); }

  /// Number of distinct words; ids run from 0 to size() - 1.
  size_t size() const { return words_.size(); }

 private:
  uint32_t lookUp(const char16_t* s, size_t length) const;
  void place(uint32_t id);
  void rehash();

  std::vector<std::u16string> words_;  // lowered
  std::vector<uint32_t> hashes_;
  std::vector<uint32_t> slots_;  // open addressing over ids, kNoWord when free
  uint64_t lengths_ = 0;         // bit n: some word has length n (below 64)
  bool longWords_ = false;       // some word is 64 or more long
  std::array<uint64_t, 4> firstChars_{};  // lowered first characters, modulo 256
};

/// A word inside a to-word that some row still to come looks for.
struct Piece {
  uint32_t offset;
  uint32_t length;
  uint32_t word;
};

/// One row as the word path applies it.
struct RowPlan {
  const Replacement* row = nullptr;
  uint32_t word = kNoWord;  // its from-word; kNoWord for a row that changes nothing
  std::vector<Piece> pieces;
};

/// Plans rows [begin, end) of table, whose from-words hold no delimiter or
/// are empty with an empty to-word; fills words with their from-words.
std::vector<RowPlan> planRows(const ReplaceTable& table, size_t begin, size_t end, WordTable& words);

}  // namespace pre::replacing
