#include "preprocessor/replacement_rows.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "preprocessor/replacement_chars.h"
#include "preprocessor/replacement_tree.h"
#include "preprocessor/replacement_words.h"

namespace pre::replacing {
namespace {

constexpr uint64_t kNoDelimiter = UINT64_MAX;

// A from-word without delimiters matches exactly the whole words that spell
// it and have a delimiter on each side; which scan matches one depends only
// on those two delimiters, and they never change. So a row visits its word's
// occurrences grouped by scan, in text order within a scan.
class RowRunner {
 public:
  RowRunner(EditTree& tree, const std::vector<RowPlan>& plans)
      : tree_(tree), plans_(plans), waiting_(kScanCount) {}

  void run(uint32_t row) {
    const uint32_t word = plans_[row].word;
    if (word == kNoWord) return;
    due_.fill(0);
    groupOccurrences(word);
    for (NodeRef node : tree_.liveInserted(word)) wait(tree_.insertedScan(node), node);
    kept_.clear();
    for (int scan = nextDue(0); scan < kScanCount; scan = nextDue(scan + 1)) runScan(row, scan);
    std::sort(kept_.begin(), kept_.end());
    tree_.keepOccurrences(word, kept_);
  }

 private:
  // A counting sort by scan, which keeps text order within each scan.
  void groupOccurrences(uint32_t word) {
    const std::span<const uint32_t> live = tree_.liveOccurrences(word);
    const std::span<const uint16_t> scans = tree_.liveOccurrenceScans(word);
    scanStart_.fill(0);
    for (uint16_t scan : scans) {
      ++scanStart_[scan + 1];
      markDue(scan);
    }
    for (int scan = 0; scan < kScanCount; ++scan) scanStart_[scan + 1] += scanStart_[scan];
    std::array<uint32_t, kScanCount> next;
    std::copy_n(scanStart_.begin(), kScanCount, next.begin());
    byScan_.resize(live.size());
    for (size_t k = 0; k < live.size(); ++k) byScan_[next[scans[k]]++] = live[k];
  }

  void markDue(int scan) { due_[scan >> 6] |= uint64_t{1} << (scan & 63); }

  void wait(int scan, NodeRef node) {
    waiting_[scan].push_back(node);
    markDue(scan);
  }

  // The first scan from `from` on that has something to look at; kScanCount
  // when none has. Most rows have a few of the 576.
  int nextDue(int from) const {
    for (int block = from >> 6; block < static_cast<int>(due_.size()); ++block) {
      const uint64_t bits = block == from >> 6 ? due_[block] & (~uint64_t{0} << (from & 63)) : due_[block];
      if (bits != 0) return block * 64 + std::countr_zero(bits);
    }
    return kScanCount;
  }

  // One scan: occurrences in the text and words of written to-words, merged
  // in text order. A word whose left delimiter closed the previous match is
  // passed over, as the scan has moved beyond that delimiter; that can only
  // happen when the scan's two delimiters are the same character.
  void runScan(uint32_t row, int scan) {
    const uint32_t* occurrence = byScan_.data() + scanStart_[scan];
    const uint32_t* occurrencesEnd = byScan_.data() + scanStart_[scan + 1];
    std::vector<NodeRef>& inserted = waiting_[scan];
    if (occurrence == occurrencesEnd && inserted.empty()) return;
    std::sort(inserted.begin(), inserted.end(), [&](NodeRef a, NodeRef b) {
      const NodeView x = tree_.view(a), y = tree_.view(b);
      return x.root != y.root ? x.root < y.root : x.label < y.label;
    });
    const uint32_t word = plans_[row].word;
    // What this scan writes can only be matched by the row's later scans.
    auto added = [&](NodeRef child, int childScan, uint32_t childWord) {
      if (childWord == word && childScan > scan) wait(childScan, child);
    };
    const bool mayShare = scan % (kDelimiterCount + 1) == 0;
    uint64_t lastRight = kNoDelimiter;
    size_t next = 0;
    while (occurrence != occurrencesEnd || next < inserted.size()) {
      const bool fromText = next == inserted.size() ||
                            (occurrence != occurrencesEnd && *occurrence < tree_.rootOf(inserted[next]));
      const NodeRef node = fromText ? *occurrence++ : inserted[next++];
      if (mayShare) {
        const NodeView at = tree_.view(node);
        if (at.leftId == lastRight) {
          if (fromText) kept_.emplace_back(node, static_cast<uint16_t>(scan));
          continue;
        }
        lastRight = at.rightId;
      }
      tree_.replace(node, row, scan, added);
    }
    inserted.clear();
  }

  EditTree& tree_;
  const std::vector<RowPlan>& plans_;
  std::vector<uint32_t> byScan_;  // the row's live occurrences, grouped by scan
  std::array<uint32_t, kScanCount + 1> scanStart_{};
  std::vector<std::vector<NodeRef>> waiting_;  // words of to-words, by scan
  std::array<uint64_t, (kScanCount + 63) / 64> due_{};  // scans with something to look at
  std::vector<std::pair<uint32_t, uint16_t>> kept_;  // occurrences a row passed over
};

}  // namespace

void applyWordRows(std::u16string& text, const ReplaceTable& table, size_t begin, size_t end) {
  WordTable words;
  const std::vector<RowPlan> plans = planRows(table, begin, end, words);
  if (words.size() == 0) return;
  EditTree tree(text, words, plans);
  RowRunner runner(tree, plans);
  for (uint32_t row = 0; row < plans.size(); ++row) runner.run(row);
  tree.materialise(text);
}

}  // namespace pre::replacing
