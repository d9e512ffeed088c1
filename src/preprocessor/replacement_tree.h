#pragma once

// The text as the word path edits it: the unchanged text, plus a record of
// which of its looked-for words have been replaced, by which row, and the
// looked-for words inside the to-words written so far. Nothing is written
// into the text until materialise().

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
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

class EditTree {
 public:
  /// Finds the words of text (which must outlive the tree and stay
  /// unchanged until materialise) that plans look for, bar the first and
  /// last word of the text, which never have a delimiter on both sides.
  EditTree(std::u16string_view text, const WordTable& words, const std::vector<RowPlan>& plans);

  /// The text's occurrences of word not yet replaced, in text order.
  std::span<const uint32_t> liveOccurrences(uint32_t word);

  /// The words of written to-words that spell word and are not yet replaced.
  std::span<const NodeRef> liveInserted(uint32_t word);

  /// The scan that would match occurrence i / the node.
  int occurrenceScan(uint32_t i) const;
  int scan(NodeRef node) const;
  NodeView view(NodeRef node) const;

  /// Marks node replaced by row (an index into plans); for each looked-for
  /// word of the to-word calls added(ref, scan, word).
  template <class Added>
  void replace(NodeRef node, uint32_t row, Added&& added) {
    const size_t first = inserted_.size();
    replaceNode(node, row);
    for (size_t i = first; i < inserted_.size(); ++i) {
      const Inserted& w = inserted_[i];
      added(static_cast<NodeRef>(i) | kInsertedBit, scanOf(w.left, w.right), stateWord(w.state));
    }
  }

  /// Writes every replacement into text, the text the tree was built on.
  void materialise(std::u16string& text);

 private:
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

  static uint32_t stateWord(uint32_t state);
  void index(const WordTable& words);
  void replaceNode(NodeRef node, uint32_t row);
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
  std::vector<uint32_t> wordStart_;      // word w's group starts at byWord_[wordStart_[w]]
  std::vector<uint32_t> wordLive_;       // length of the group's live prefix
  std::vector<Inserted> inserted_;
  std::vector<std::vector<NodeRef>> insertedByWord_;
  std::vector<Instance> instances_;
  uint64_t nextId_ = uint64_t{1} << 32;  // above every position in the text
};

}  // namespace pre::replacing
