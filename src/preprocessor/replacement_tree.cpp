#include "preprocessor/replacement_tree.h"

#include <algorithm>
#include <utility>

#include "preprocessor/replacement_chars.h"
#include "preprocessor/replacement_scanner.h"
#include "preprocessor/replacement_splice.h"

namespace pre::replacing {

EditTree::EditTree(std::u16string_view text, const WordTable& words, const std::vector<RowPlan>& plans)
    : text_(text), plans_(plans), insertedByWord_(words.size()) {
  wordLength_.assign(words.size(), 0);
  for (const RowPlan& plan : plans) {
    if (plan.word != kNoWord) wordLength_[plan.word] = static_cast<uint32_t>(plan.row->from.size());
  }
  index(words);
}

// One pass over the text: each word between two delimiters is looked up
// without copying or lowering it.
void EditTree::index(const WordTable& words) {
  const size_t n = text_.size();
  // Room for a looked-for word every 32 characters, so the list is seldom
  // moved as it grows; untouched room costs no memory.
  occurrences_.reserve(n / 32);
  forEachWord(text_, [&](size_t start, size_t end) {
    if (start == 0 || end == n) return;
    const uint32_t word = words.find(text_.data() + start, end - start);
    if (word != kNoWord) occurrences_.push_back({static_cast<uint32_t>(start), kLive | word});
  });
  // Group the occurrences by word, keeping text order within each group.
  wordStart_.assign(words.size() + 1, 0);
  for (const Occurrence& o : occurrences_) ++wordStart_[(o.state & kValueMask) + 1];
  for (size_t w = 0; w < words.size(); ++w) wordStart_[w + 1] += wordStart_[w];
  wordLive_.resize(words.size());
  for (size_t w = 0; w < words.size(); ++w) wordLive_[w] = wordStart_[w + 1] - wordStart_[w];
  byWord_.resize(occurrences_.size());
  byWordScan_.resize(occurrences_.size());
  std::vector<uint32_t> next(wordStart_.begin(), wordStart_.end() - 1);
  for (uint32_t k = 0; k < occurrences_.size(); ++k) {
    const Occurrence& o = occurrences_[k];
    const uint32_t slot = next[o.state & kValueMask]++;
    byWord_[slot] = k;
    // Read in text order here, the delimiters need not be fetched again.
    byWordScan_[slot] = static_cast<uint16_t>(
        scanOf(text_[o.position - 1], text_[o.position + wordLength_[o.state & kValueMask]]));
  }
}

void EditTree::keepOccurrences(uint32_t word, std::span<const std::pair<uint32_t, uint16_t>> kept) {
  const uint32_t start = wordStart_[word];
  for (size_t k = 0; k < kept.size(); ++k) {
    byWord_[start + k] = kept[k].first;
    byWordScan_[start + k] = kept[k].second;
  }
  wordLive_[word] = static_cast<uint32_t>(kept.size());
}

std::span<const NodeRef> EditTree::liveInserted(uint32_t word) {
  std::vector<NodeRef>& group = insertedByWord_[word];
  std::erase_if(group, [&](NodeRef n) { return kindOf(inserted_[n & ~kInsertedBit].state) != kLive; });
  return group;
}

void EditTree::replaceNode(NodeRef node, uint32_t row, int scan) {
  const RowPlan& plan = plans_[row];
  const bool inText = !(node & kInsertedBit);
  uint32_t& state = inText ? occurrences_[node].state : inserted_[node & ~kInsertedBit].state;
  if (plan.pieces.empty()) {
    state = kByRow | row;
    return;
  }
  Inserted parent{};  // the node, seen as the place its to-word goes
  if (inText) {
    const uint64_t position = occurrences_[node].position;
    parent = {0, UINT64_MAX, position - 1, position + plan.row->from.size(), node, 0, 0, 0,
              kDelimiters[scan % kDelimiterCount], kDelimiters[scan / kDelimiterCount]};
  } else {
    parent = inserted_[node & ~kInsertedBit];
  }
  const auto instance = static_cast<uint32_t>(instances_.size());
  state = kByInstance | instance;  // before adding children moves inserted_
  instances_.push_back({row, static_cast<uint32_t>(inserted_.size()), nextId_, 0});
  nextId_ += plan.row->to.size();
  addChildren(parent, instance);
}

// The looked-for words of the instance's to-word, each taking its neighbours
// from the to-word or, at its ends, from the replaced word's delimiters.
void EditTree::addChildren(const Inserted& parent, uint32_t instance) {
  const Instance in = instances_[instance];
  const RowPlan& plan = plans_[in.row];
  const std::u16string& to = plan.row->to;
  const uint64_t step = parent.span / plan.pieces.size();
  for (uint32_t k = 0; k < plan.pieces.size(); ++k) {
    const Piece& piece = plan.pieces[k];
    const size_t end = piece.offset + piece.length;
    Inserted child{};
    child.label = parent.label + k * step;
    child.span = step;
    child.left = piece.offset == 0 ? parent.left : to[piece.offset - 1];
    child.leftId = piece.offset == 0 ? parent.leftId : in.firstId + piece.offset - 1;
    child.right = end == to.size() ? parent.right : to[end];
    child.rightId = end == to.size() ? parent.rightId : in.firstId + end;
    child.root = parent.root;
    child.instance = instance;
    child.piece = k;
    child.state = kLive | piece.word;
    insertedByWord_[piece.word].push_back(static_cast<NodeRef>(inserted_.size()) | kInsertedBit);
    inserted_.push_back(child);
  }
  if (step == 0) relabel(parent.root);
}

template <class Visit>
void EditTree::forEachLiveLeaf(uint32_t root, Visit&& visit) {
  std::vector<std::pair<uint32_t, uint32_t>> stack;  // instance, next piece
  stack.emplace_back(occurrences_[root].state & kValueMask, 0);
  while (!stack.empty()) {
    const auto [instance, piece] = stack.back();
    const Instance& in = instances_[instance];
    if (piece == plans_[in.row].pieces.size()) {
      stack.pop_back();
      continue;
    }
    ++stack.back().second;
    Inserted& child = inserted_[in.firstChild + piece];
    if (kindOf(child.state) == kLive) visit(child);
    if (kindOf(child.state) == kByInstance) stack.emplace_back(child.state & kValueMask, 0);
  }
}

// Nesting has used up the room between labels under one occurrence: spread
// its live words evenly again, in text order.
void EditTree::relabel(uint32_t root) {
  uint64_t count = 0;
  forEachLiveLeaf(root, [&](Inserted&) { ++count; });
  const uint64_t step = UINT64_MAX / count;
  uint64_t label = 0;
  forEachLiveLeaf(root, [&](Inserted& w) {
    w.label = label;
    w.span = step;
    label += step;
  });
}

uint32_t EditTree::rowOf(uint32_t state) const {
  return kindOf(state) == kByRow ? state & kValueMask : instances_[state & kValueMask].row;
}

// Length of what a replaced word became.
uint64_t EditTree::lengthOf(uint32_t state) const {
  if (kindOf(state) == kByRow) return plans_[state & kValueMask].row->to.size();
  return instances_[state & kValueMask].length;
}

// An instance's words can only be replaced by later instances, so measuring
// from the last one back finds every nested length ready.
void EditTree::measureInstances() {
  for (size_t k = instances_.size(); k-- > 0;) {
    Instance& in = instances_[k];
    const RowPlan& plan = plans_[in.row];
    in.length = plan.row->to.size();
    for (uint32_t p = 0; p < plan.pieces.size(); ++p) {
      const uint32_t state = inserted_[in.firstChild + p].state;
      if (kindOf(state) != kLive) in.length += lengthOf(state) - plan.pieces[p].length;
    }
  }
}

// Writes what a replaced word became, nested to-words included, without
// recursion: nesting can be as deep as there are rows and scans.
void EditTree::write(uint32_t state, char16_t* out) const {
  struct Frame {
    uint32_t instance;
    uint32_t piece;  // next looked-for word of its to-word
    size_t done;     // characters of its to-word already written
  };
  if (kindOf(state) == kByRow) {
    const std::u16string& to = plans_[state & kValueMask].row->to;
    std::copy(to.begin(), to.end(), out);
    return;
  }
  std::vector<Frame> stack{{state & kValueMask, 0, 0}};
  while (!stack.empty()) {
    const Frame f = stack.back();
    stack.pop_back();
    const Instance& in = instances_[f.instance];
    const RowPlan& plan = plans_[in.row];
    const std::u16string& to = plan.row->to;
    if (f.piece == plan.pieces.size()) {
      out = std::copy(to.begin() + f.done, to.end(), out);
      continue;
    }
    const Piece& piece = plan.pieces[f.piece];
    out = std::copy(to.begin() + f.done, to.begin() + piece.offset, out);
    stack.push_back({f.instance, f.piece + 1, piece.offset + size_t{piece.length}});
    const uint32_t child = inserted_[in.firstChild + f.piece].state;
    if (kindOf(child) == kLive) {
      out = std::copy_n(to.begin() + piece.offset, piece.length, out);
    } else if (kindOf(child) == kByRow) {
      const std::u16string& inner = plans_[child & kValueMask].row->to;
      out = std::copy(inner.begin(), inner.end(), out);
    } else {
      stack.push_back({child & kValueMask, 0, 0});
    }
  }
}

void EditTree::materialise(std::u16string& text) {
  measureInstances();
  spliceInPlace(
      text, occurrences_.size(),
      [&](size_t i) {
        const Occurrence& o = occurrences_[i];
        if (kindOf(o.state) == kLive) return Edit{};
        return Edit{o.position, plans_[rowOf(o.state)].row->from.size(), lengthOf(o.state), true};
      },
      [&](size_t i, char16_t* out) { write(occurrences_[i].state, out); });
}

}  // namespace pre::replacing
