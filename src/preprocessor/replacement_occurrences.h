#pragma once

// The index of occurrences: where in the unchanged text the words that a run
// of rows looks for stand, grouped by word, and what became of each.

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "preprocessor/replacement_nodes.h"
#include "preprocessor/replacement_words.h"

namespace pre::replacing {

/// One word of the text that some row looks for: where it starts, and what
/// became of it (while it stands, the word it spells).
struct Occurrence {
  uint32_t position;
  Fate fate;
};

/// The occurrences of the looked-for words in one text.
class OccurrenceIndex {
 public:
  /// Finds the words of text that words holds, bar the first and last word
  /// of the text, which never have a delimiter on both sides.
  OccurrenceIndex(std::u16string_view text, const WordTable& words);

  /// The occurrences of word that still stand, in text order, and the scan
  /// that matches each.
  std::span<const OccurrenceId> standing(uint32_t word) const {
    return {byWord_.data() + wordStart_[word], wordStanding_[word]};
  }
  std::span<const uint16_t> standingScans(uint32_t word) const {
    return {byWordScan_.data() + wordStart_[word], wordStanding_[word]};
  }

  /// After a row for word: the occurrences (with their scans) it left
  /// standing, in text order. Only rows for word replace its occurrences.
  void keep(uint32_t word, std::span<const std::pair<OccurrenceId, uint16_t>> kept);

  /// Where occurrence stands in the text.
  uint32_t positionOf(OccurrenceId occurrence) const { return all_[indexOf(occurrence)].position; }

  /// The identities of the delimiters around occurrence, of length characters.
  Bounds boundsOf(OccurrenceId occurrence, size_t length) const {
    const uint64_t position = positionOf(occurrence);
    return {position - 1, position + length};
  }

  /// Records what became of occurrence.
  void settle(OccurrenceId occurrence, Fate fate) { all_[indexOf(occurrence)].fate = fate; }

  /// Every occurrence, in text order.
  std::span<const Occurrence> all() const { return all_; }

 private:
  std::vector<Occurrence> all_;
  std::vector<OccurrenceId> byWord_;    // grouped by word, in text order within each group
  std::vector<uint16_t> byWordScan_;    // the scan that matches each
  std::vector<uint32_t> wordStart_;     // word w's group starts at byWord_[wordStart_[w]]
  std::vector<uint32_t> wordStanding_;  // length of the group's standing prefix
};

}  // namespace pre::replacing
