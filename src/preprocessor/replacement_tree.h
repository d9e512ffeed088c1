#pragma once

// The text as the word path edits it: the unchanged text, plus a record of
// which of its looked-for words have been replaced, by which row, and the
// looked-for words inside the to-words written so far. Nothing is written
// into the text until materialise().

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "preprocessor/replacement_chars.h"
#include "preprocessor/replacement_words.h"

namespace pre::replacing {

/// A word that some row looks for: an index into the text's occurrences, or
/// with kInsertedBit an index into the words inside written to-words.
using NodeRef = uint32_t;
inline constexpr NodeRef kInsertedBit = 1u << 31;

/// What a row needs of a word to order, match and replace it.
struct NodeView {
  uint32_t root;      // the occurrence in the text it is, or lies within
  uint64_t label;     // order among the words within that same occurrence
  uint64_t leftId;    // identity of the delimiter before it
  uint64_t rightId;   // identity of the delimiter after it
};

/// The word path's record of a text being edited by a run of rows.
class EditTree {
 public:
  /// Finds the words of text (which must outlive the tree and stay
  /// unchanged until materialise) that plans look for, bar the first and
  /// last word of the text, which never have a delimiter on both sides.
  EditTree(std::u16string_view text, const WordTable& words, const std::vector<RowPlan>& plans);

  /// The text's occurrences of word not yet replaced, in text order, and the
  /// scan that matches each.
  std::span<const uint32_t> liveOccurrences(uint32_t word) const {
    return {byWord_.data() + wordStart_[word], wordLive_[word]};
  }
  std::span<const uint16_t> liveOccurrenceScans(uint32_t word) const {
    return {byWordScan_.data() + wordStart_[word], wordLive_[word]};
  }

  /// After a row for word: the occurrences (with their scans) it left
  /// standing, in text order. Only rows for word replace its occurrences.
  void keepOccurrences(uint32_t word, std::span<const std::pair<uint32_t, uint16_t>> kept);

  /// The words of written to-words that spell word and are not yet replaced.
  std::span<const NodeRef> liveInserted(uint32_t word);

  /// The scan that would match a word inside a written to-word.
  int insertedScan(NodeRef node) const {
    const Inserted& w = inserted_[node & ~kInsertedBit];
    return scanOf(w.left, w.right);
  }

  /// Where a live node stands, for ordering and matching.
  NodeView view(NodeRef node) const {
    if (node & kInsertedBit) {
      const Inserted& w = inserted_[node & ~kInsertedBit];
      return {w.root, w.label, w.leftId, w.rightId};
    }
    const Occurrence& o = occurrences_[node];
    return {node, 0, o.position - uint64_t{1}, o.position + uint64_t{wordLength_[o.state & kValueMask]}};
  }

  /// The occurrence a live word of a written to-word lies within.
  uint32_t rootOf(NodeRef node) const { return inserted_[node & ~kInsertedBit].root; }

  /// Marks node, which scan matched, replaced by row (an index into plans);
  /// for each looked-for word of the to-word calls added(ref, scan, word).
  template <class Added>
  void replace(NodeRef node, uint32_t row, int scan, Added&& added) {
    const size_t first = inserted_.size();
    replaceNode(node, row, scan);
    for (size_t i = first; i < inserted_.size(); ++i) {
      const Inserted& w = inserted_[i];
      added(static_cast<NodeRef>(i) | kInsertedBit, scanOf(w.left, w.right), w.state & kValueMask);
    }
  }

  /// Writes every replacement into text, the text the tree was built on.
  void materialise(std::u16string& text);

 private:
  // A state is the word's id while it stands, else who replaced it: a row
  // whose to-word has no looked-for words, or an entry of instances_.
  static constexpr uint32_t kKindMask = 3u << 30;
  static constexpr uint32_t kValueMask = ~kKindMask;
  static constexpr uint32_t kLive = 0;
  static constexpr uint32_t kByRow = 1u << 30;
  static constexpr uint32_t kByInstance = 2u << 30;

  struct Occurrence {
    uint32_t position;
    uint32_t state;
  };
  struct Inserted {
    uint64_t label;
    uint64_t span;  // room below label for the words of a to-word written here
    uint64_t leftId;
    uint64_t rightId;
    uint32_t root;
    uint32_t instance;
    uint32_t piece;
    uint32_t state;
    char16_t left;
    char16_t right;
  };
  // One written to-word, whose looked-for words are inserted_[firstChild...].
  struct Instance {
    uint32_t row;
    uint32_t firstChild;
    uint64_t firstId;  // identity of its first character; the others follow
    uint64_t length;   // of what it finally becomes, known in materialise
  };

  static uint32_t kindOf(uint32_t state) { return state & kKindMask; }
  void index(const WordTable& words);
  void replaceNode(NodeRef node, uint32_t row, int scan);
  void addChildren(const Inserted& parent, uint32_t instance);
  void relabel(uint32_t root);
  template <class Visit>
  void forEachLiveLeaf(uint32_t root, Visit&& visit);
  uint32_t rowOf(uint32_t state) const;
  uint64_t lengthOf(uint32_t state) const;
  void measureInstances();
  void write(uint32_t state, char16_t* out) const;

  std::u16string_view text_;
  const std::vector<RowPlan>& plans_;
  std::vector<uint32_t> wordLength_;
  std::vector<Occurrence> occurrences_;  // in text order
  std::vector<uint32_t> byWord_;         // occurrence indices grouped by word
  std::vector<uint16_t> byWordScan_;     // and the scan that matches each
  std::vector<uint32_t> wordStart_;      // word w's group starts at byWord_[wordStart_[w]]
  std::vector<uint32_t> wordLive_;       // length of the group's live prefix
  std::vector<Inserted> inserted_;
  std::vector<std::vector<NodeRef>> insertedByWord_;
  std::vector<Instance> instances_;
  uint64_t nextId_ = uint64_t{1} << 32;  // above every position in the text
};

}  // namespace pre::replacing
