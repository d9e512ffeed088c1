#pragma once

// The words inside to-words written so far that a row still to come looks
// for, and the written to-words (instances) that hold them. Each occurrence
// replaced by such a to-word roots a tree: an instance's words may be
// replaced by instances in their turn.

#include <cstdint>
#include <span>
#include <vector>

#include "preprocessor/replacement_chars.h"
#include "preprocessor/replacement_nodes.h"
#include "preprocessor/replacement_words.h"

namespace pre::replacing {

/// One written to-word.
struct Instance {
  uint32_t row;          // an index into the plans
  InsertedId firstWord;  // its words are firstWord, firstWord + 1, ... in order
  uint64_t firstId;      // identity of its first character; the others follow
};

/// The inserted words of one run of rows.
class InsertedWords {
 public:
  /// For words looked up in a table of wordCount words, written by rows of
  /// plans (which must outlive this).
  InsertedWords(size_t wordCount, const std::vector<RowPlan>& plans) : plans_(plans), byWord_(wordCount) {}

  /// Writes row's to-word, which holds words, over the occurrence root at
  /// position, of length characters, that scan matched; returns the instance.
  InstanceId writeOver(OccurrenceId root, uint32_t position, size_t length, int scan, uint32_t row);

  /// Writes row's to-word, which holds words, over node and records node's
  /// fate; returns the instance.
  InstanceId writeOver(InsertedId node, uint32_t row);

  /// Records what became of node.
  void settle(InsertedId node, Fate fate) { words_[indexOf(node)].fate = fate; }

  /// The inserted words that spell word and still stand, in no set order.
  std::span<const InsertedId> standing(uint32_t word);

  /// Word k of instance's to-word.
  InsertedId wordOf(InstanceId instance, uint32_t k) const {
    return InsertedId{indexOf(instances_[indexOf(instance)].firstWord) + k};
  }

  /// The scan that matches node, from the delimiters around it.
  int scanOf(InsertedId node) const { return replacing::scanOf(at(node).left, at(node).right); }

  /// The occurrence node lies within.
  OccurrenceId rootOf(InsertedId node) const { return at(node).root; }

  /// Whether a comes before b in the text.
  bool comesBefore(InsertedId a, InsertedId b) const {
    const Word& x = at(a);
    const Word& y = at(b);
    return x.root != y.root ? x.root < y.root : x.label < y.label;
  }

  /// The identities of the delimiters around node.
  Bounds boundsOf(InsertedId node) const { return {at(node).leftId, at(node).rightId}; }

  /// What became of node.
  Fate fateOf(InsertedId node) const { return at(node).fate; }

  /// Every instance written, in the order they were written.
  std::span<const Instance> instances() const { return instances_; }

 private:
  // An inserted word, or the node a to-word is written over, as that
  // to-word's words see it.
  struct Word {
    uint64_t label;    // order among the words within the same occurrence
    uint64_t span;     // room below label for the words of a to-word written here
    uint64_t leftId;   // identity of the delimiter before it
    uint64_t rightId;  // identity of the delimiter after it
    OccurrenceId root;
    InstanceId top;  // the instance written over root
    Fate fate;
    char16_t left;
    char16_t right;
  };

  const Word& at(InsertedId node) const { return words_[indexOf(node)]; }
  InstanceId write(uint32_t row, const Word& over);
  void relabel(InstanceId top);
  template <class Visit>
  void forEachStanding(InstanceId top, Visit&& visit);

  const std::vector<RowPlan>& plans_;
  std::vector<Word> words_;
  std::vector<std::vector<InsertedId>> byWord_;
  std::vector<Instance> instances_;
  uint64_t nextId_ = uint64_t{1} << 32;  // above every position in the text
};

}  // namespace pre::replacing
