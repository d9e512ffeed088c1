#include "preprocessor/replacement_inserted.h"

#include <algorithm>
#include <utility>

namespace pre::replacing {

InstanceId InsertedWords::writeOver(OccurrenceId root, uint32_t position, size_t length, int scan,
                                    uint32_t row) {
  Word over{};
  over.span = UINT64_MAX;  // the occurrence's words may take the whole room of labels
  over.leftId = position - uint64_t{1};
  over.rightId = position + uint64_t{length};
  over.root = root;
  over.top = InstanceId{static_cast<uint32_t>(instances_.size())};  // the one written now
  over.left = kDelimiters[scan % kDelimiterCount];
  over.right = kDelimiters[scan / kDelimiterCount];
  return write(row, over);
}

InstanceId InsertedWords::writeOver(InsertedId node, uint32_t row) {
  Word& replaced = words_[indexOf(node)];
  // Settled first, so that relabelling finds the new words below it.
  replaced.fate = Fate::byInstance(InstanceId{static_cast<uint32_t>(instances_.size())});
  const Word over = replaced;  // a copy: writing moves the words
  return write(row, over);
}

std::span<const InsertedId> InsertedWords::standing(uint32_t word) {
  std::vector<InsertedId>& group = byWord_[word];
  std::erase_if(group, [&](InsertedId n) { return at(n).fate.kind() != Fate::Kind::standing; });
  return group;
}

// The words of row's to-word, each taking its neighbours from the to-word or,
// at its ends, from the node it is written over; they share that node's room
// of labels.
InstanceId InsertedWords::write(uint32_t row, const Word& over) {
  const RowPlan& plan = plans_[row];
  const std::u16string& to = plan.row->to;
  const InstanceId instance{static_cast<uint32_t>(instances_.size())};
  const Instance in{row, InsertedId{static_cast<uint32_t>(words_.size())}, nextId_};
  instances_.push_back(in);
  nextId_ += to.size();
  const uint64_t step = over.span / plan.pieces.size();
  for (uint32_t k = 0; k < plan.pieces.size(); ++k) {
    const Piece& piece = plan.pieces[k];
    const size_t end = piece.offset + piece.length;
    Word word{};
    word.label = over.label + k * step;
    word.span = step;
    word.left = piece.offset == 0 ? over.left : to[piece.offset - 1];
    word.leftId = piece.offset == 0 ? over.leftId : in.firstId + piece.offset - 1;
    word.right = end == to.size() ? over.right : to[end];
    word.rightId = end == to.size() ? over.rightId : in.firstId + end;
    word.root = over.root;
    word.top = over.top;
    word.fate = Fate::standing(piece.word);
    byWord_[piece.word].push_back(InsertedId{static_cast<uint32_t>(words_.size())});
    words_.push_back(word);
  }
  if (step == 0) relabel(over.top);
  return instance;
}

template <class Visit>
void InsertedWords::forEachStanding(InstanceId top, Visit&& visit) {
  std::vector<std::pair<InstanceId, uint32_t>> stack;  // instance, next word
  stack.emplace_back(top, 0);
  while (!stack.empty()) {
    const auto [instance, k] = stack.back();
    const Instance& in = instances_[indexOf(instance)];
    if (k == plans_[in.row].pieces.size()) {
      stack.pop_back();
      continue;
    }
    ++stack.back().second;
    Word& word = words_[indexOf(in.firstWord) + k];
    if (word.fate.kind() == Fate::Kind::standing) visit(word);
    if (word.fate.kind() == Fate::Kind::instance) stack.emplace_back(word.fate.instance(), 0);
  }
}

// Nesting has used up the room between labels under one occurrence: spread
// its standing words evenly again, in text order.
void InsertedWords::relabel(InstanceId top) {
  uint64_t count = 0;
  forEachStanding(top, [&](Word&) { ++count; });
  const uint64_t step = UINT64_MAX / count;
  uint64_t label = 0;
  forEachStanding(top, [&](Word& w) {
    w.label = label;
    w.span = step;
    label += step;
  });
}

}  // namespace pre::replacing
