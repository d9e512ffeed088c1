#include "preprocessor/replacement_writer.h"

#include <algorithm>

#include "preprocessor/replacement_splice.h"

namespace pre::replacing {
namespace {

class Writer {
 public:
  Writer(const InsertedWords& inserted, const std::vector<RowPlan>& plans)
      : inserted_(inserted), plans_(plans) {
    measureInstances();
  }

  // The row that replaced a node.
  uint32_t rowOf(Fate fate) const {
    return fate.kind() == Fate::Kind::toWord ? fate.row()
                                             : inserted_.instances()[indexOf(fate.instance())].row;
  }

  // Length of what a replaced node became.
  size_t lengthOf(Fate fate) const {
    if (fate.kind() == Fate::Kind::toWord) return plans_[fate.row()].row->to.size();
    return lengths_[indexOf(fate.instance())];
  }

  void write(Fate fate, char16_t* out) const;

 private:
  void measureInstances();

  const InsertedWords& inserted_;
  const std::vector<RowPlan>& plans_;
  std::vector<size_t> lengths_;  // of what each instance finally becomes
};

// An instance's words can only be replaced by later instances, so measuring
// from the last one back finds every nested length ready.
void Writer::measureInstances() {
  const std::span<const Instance> instances = inserted_.instances();
  lengths_.resize(instances.size());
  for (size_t k = instances.size(); k-- > 0;) {
    const RowPlan& plan = plans_[instances[k].row];
    size_t length = plan.row->to.size();
    for (uint32_t p = 0; p < plan.pieces.size(); ++p) {
      const Fate fate = inserted_.fateOf(inserted_.wordOf(InstanceId{static_cast<uint32_t>(k)}, p));
      if (fate.kind() != Fate::Kind::standing) length += lengthOf(fate) - plan.pieces[p].length;
    }
    lengths_[k] = length;
  }
}

// Writes what a replaced node became, nested to-words included, without
// recursion: nesting can be as deep as there are rows and scans.
void Writer::write(Fate fate, char16_t* out) const {
  struct Frame {
    InstanceId instance;
    uint32_t piece;  // next word of its to-word
    size_t done;     // characters of its to-word already written
  };
  if (fate.kind() == Fate::Kind::toWord) {
    const std::u16string& to = plans_[fate.row()].row->to;
    std::copy(to.begin(), to.end(), out);
    return;
  }
  std::vector<Frame> stack{{fate.instance(), 0, 0}};
  while (!stack.empty()) {
    const Frame f = stack.back();
    stack.pop_back();
    const RowPlan& plan = plans_[inserted_.instances()[indexOf(f.instance)].row];
    const std::u16string& to = plan.row->to;
    if (f.piece == plan.pieces.size()) {
      out = std::copy(to.begin() + f.done, to.end(), out);
      continue;
    }
    const Piece& piece = plan.pieces[f.piece];
    out = std::copy(to.begin() + f.done, to.begin() + piece.offset, out);
    stack.push_back({f.instance, f.piece + 1, piece.offset + size_t{piece.length}});
    const Fate inner = inserted_.fateOf(inserted_.wordOf(f.instance, f.piece));
    if (inner.kind() == Fate::Kind::standing) {
      out = std::copy_n(to.begin() + piece.offset, piece.length, out);
    } else if (inner.kind() == Fate::Kind::toWord) {
      const std::u16string& innerTo = plans_[inner.row()].row->to;
      out = std::copy(innerTo.begin(), innerTo.end(), out);
    } else {
      stack.push_back({inner.instance(), 0, 0});
    }
  }
}

}  // namespace

void writeResult(std::u16string& text, const OccurrenceIndex& occurrences, const InsertedWords& inserted,
                 const std::vector<RowPlan>& plans) {
  const Writer writer(inserted, plans);
  const std::span<const Occurrence> all = occurrences.all();
  spliceInPlace(
      text, all.size(),
      [&](size_t i) {
        const Occurrence& o = all[i];
        if (o.fate.kind() == Fate::Kind::standing) return Edit{};
        return Edit{o.position, plans[writer.rowOf(o.fate)].row->from.size(), writer.lengthOf(o.fate), true};
      },
      [&](size_t i, char16_t* out) { writer.write(all[i].fate, out); });
}

}  // namespace pre::replacing
