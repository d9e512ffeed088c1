#pragma once

// The nodes of the word path, which applies a run of rows whose from-words
// hold no delimiter without rewriting the text row by row.
//
// A node is one word that some row of the run looks for, with a delimiter on
// each side: either an occurrence in the text (never its first or last word)
// or an inserted word, one that lies inside a to-word written over a node. A
// node is replaced at most once, by one row, and its delimiters are kept, so
// the scan that matches it is fixed when it is found.
//
// A replacement matches inside written text only at an inserted word: a
// whole word of a to-word, bounded by the to-word's own delimiters or, at its
// ends, by those of the node it replaced. Only later rows look at it, and the
// row that wrote it in its later scans. No word forms across a to-word's
// edge, since the delimiters there are kept.
//
// Results come in the order of the literal scans: row by row, scan by scan
// (the right delimiter varying slowest), and within a scan in text order:
// occurrences by position, inserted words by the occurrence they lie in and
// then by label, which orders the words within one occurrence. The text is
// written once, after the last row.

#include <cstdint>

namespace pre::replacing {

/// An occurrence: an index into the text's occurrences, in text order.
enum class OccurrenceId : uint32_t {};

/// An inserted word: an index into the words inside written to-words.
enum class InsertedId : uint32_t {};

/// A written to-word that holds inserted words: an index into the instances.
enum class InstanceId : uint32_t {};

/// The index of a typed reference.
template <class Id>
constexpr uint32_t indexOf(Id id) {
  return static_cast<uint32_t>(id);
}

/// What became of a node: it still stands, or a row replaced it by a to-word
/// that holds no node, or by an instance (a to-word with nodes of its own).
class Fate {
 public:
  enum class Kind : uint8_t { standing, toWord, instance };

  Fate() = default;
  static Fate standing(uint32_t word) { return {Kind::standing, word}; }
  static Fate byToWord(uint32_t row) { return {Kind::toWord, row}; }
  static Fate byInstance(InstanceId instance) { return {Kind::instance, indexOf(instance)}; }

  Kind kind() const { return kind_; }
  /// The word a standing node spells.
  uint32_t word() const { return index_; }
  /// The row whose to-word replaced a node of kind toWord.
  uint32_t row() const { return index_; }
  /// The instance that replaced a node of kind instance.
  InstanceId instance() const { return InstanceId{index_}; }

 private:
  Fate(Kind kind, uint32_t index) : kind_(kind), index_(index) {}

  // One field for all three kinds keeps an occurrence in 12 bytes: the
  // index is read only through the accessor of its kind.
  Kind kind_ = Kind::standing;
  uint32_t index_ = 0;
};

/// The identities of the delimiters on each side of a node: positions in the
/// text, or above them for characters of written to-words.
struct Bounds {
  uint64_t leftId;
  uint64_t rightId;
};

}  // namespace pre::replacing
