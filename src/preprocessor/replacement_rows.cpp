#include "preprocessor/replacement_rows.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "preprocessor/replacement_chars.h"
#include "preprocessor/replacement_inserted.h"
#include "preprocessor/replacement_nodes.h"
#include "preprocessor/replacement_occurrences.h"
#include "preprocessor/replacement_words.h"
#include "preprocessor/replacement_writer.h"

namespace pre::replacing {
namespace {

constexpr uint64_t kNoDelimiter = UINT64_MAX;

// A from-word without delimiters matches exactly the whole words that spell
// it and have a delimiter on each side; which scan matches one depends only
// on those two delimiters, and they never change. So a row visits its word's
// occurrences grouped by scan, in text order within a scan.
class RowRunner {
 public:
  RowRunner(OccurrenceIndex& occurrences, InsertedWords& inserted, const std::vector<RowPlan>& plans)
      : occurrences_(occurrences), inserted_(inserted), plans_(plans), waiting_(kScanCount) {}

  void run(uint32_t row) {
    const uint32_t word = plans_[row].word;
    if (word == kNoWord) return;
    due_.fill(0);
    groupOccurrences(word);
    for (InsertedId node : inserted_.standing(word)) wait(inserted_.scanOf(node), node);
    kept_.clear();
    for (int scan = nextDue(0); scan < kScanCount; scan = nextDue(scan + 1)) runScan(row, scan);
    std::sort(kept_.begin(), kept_.end());
    occurrences_.keep(word, kept_);
  }

 private:
  // A counting sort by scan, which keeps text order within each scan.
  void groupOccurrences(uint32_t word) {
    const std::span<const OccurrenceId> standing = occurrences_.standing(word);
    const std::span<const uint16_t> scans = occurrences_.standingScans(word);
    scanStart_.fill(0);
    for (uint16_t scan : scans) {
      ++scanStart_[scan + 1];
      markDue(scan);
    }
    for (int scan = 0; scan < kScanCount; ++scan) scanStart_[scan + 1] += scanStart_[scan];
    std::array<uint32_t, kScanCount> next;
    std::copy_n(scanStart_.begin(), kScanCount, next.begin());
    byScan_.resize(standing.size());
    for (size_t k = 0; k < standing.size(); ++k) byScan_[next[scans[k]]++] = standing[k];
  }

  void markDue(int scan) { due_[scan >> 6] |= uint64_t{1} << (scan & 63); }

  void wait(int scan, InsertedId node) {
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

  // One scan: occurrences in the text and inserted words, merged in text
  // order. A word whose left delimiter closed the previous match is passed
  // over, as the scan has moved beyond that delimiter; that can only happen
  // when the scan's two delimiters are the same character.
  void runScan(uint32_t row, int scan) {
    const OccurrenceId* occurrence = byScan_.data() + scanStart_[scan];
    const OccurrenceId* occurrencesEnd = byScan_.data() + scanStart_[scan + 1];
    std::vector<InsertedId>& waiting = waiting_[scan];
    if (occurrence == occurrencesEnd && waiting.empty()) return;
    std::sort(waiting.begin(), waiting.end(),
              [&](InsertedId a, InsertedId b) { return inserted_.comesBefore(a, b); });
    const size_t length = plans_[row].row->from.size();
    const bool mayShare = scan % (kDelimiterCount + 1) == 0;
    uint64_t lastRight = kNoDelimiter;
    auto sharesDelimiter = [&](Bounds bounds) {
      if (!mayShare) return false;
      if (bounds.leftId == lastRight) return true;
      lastRight = bounds.rightId;
      return false;
    };
    size_t next = 0;
    while (occurrence != occurrencesEnd || next < waiting.size()) {
      const bool fromText = next == waiting.size() ||
                            (occurrence != occurrencesEnd && *occurrence < inserted_.rootOf(waiting[next]));
      if (fromText) {
        const OccurrenceId node = *occurrence++;
        if (sharesDelimiter(occurrences_.boundsOf(node, length))) {
          kept_.emplace_back(node, static_cast<uint16_t>(scan));
        } else {
          replace(node, row, scan);
        }
      } else {
        const InsertedId node = waiting[next++];
        if (!sharesDelimiter(inserted_.boundsOf(node))) replace(node, row, scan);
      }
    }
    waiting.clear();
  }

  void replace(OccurrenceId node, uint32_t row, int scan) {
    if (plans_[row].pieces.empty()) {
      occurrences_.settle(node, Fate::byToWord(row));
      return;
    }
    const InstanceId instance =
        inserted_.writeOver(node, occurrences_.positionOf(node), plans_[row].row->from.size(), scan, row);
    occurrences_.settle(node, Fate::byInstance(instance));
    awaitOwnWords(instance, row, scan);
  }

  void replace(InsertedId node, uint32_t row, int scan) {
    if (plans_[row].pieces.empty()) {
      inserted_.settle(node, Fate::byToWord(row));
      return;
    }
    awaitOwnWords(inserted_.writeOver(node, row), row, scan);
  }

  // What a scan writes can be matched by its row's later scans only; later
  // rows find it among the standing inserted words.
  void awaitOwnWords(InstanceId instance, uint32_t row, int scan) {
    const RowPlan& plan = plans_[row];
    for (uint32_t k = 0; k < plan.pieces.size(); ++k) {
      if (plan.pieces[k].word != plan.word) continue;
      const InsertedId word = inserted_.wordOf(instance, k);
      const int wordScan = inserted_.scanOf(word);
      if (wordScan > scan) wait(wordScan, word);
    }
  }

  OccurrenceIndex& occurrences_;
  InsertedWords& inserted_;
  const std::vector<RowPlan>& plans_;
  std::vector<OccurrenceId> byScan_;  // the row's standing occurrences, grouped by scan
  std::array<uint32_t, kScanCount + 1> scanStart_{};
  std::vector<std::vector<InsertedId>> waiting_;         // inserted words, by scan
  std::array<uint64_t, (kScanCount + 63) / 64> due_{};   // scans with something to look at
  std::vector<std::pair<OccurrenceId, uint16_t>> kept_;  // occurrences a row passed over
};

}  // namespace

void applyWordRows(std::u16string& text, const ReplaceTable& table, size_t begin, size_t end) {
  WordTable words;
  const std::vector<RowPlan> plans = planRows(table, begin, end, words);
  if (words.size() == 0) return;
  OccurrenceIndex occurrences(text, words);
  InsertedWords inserted(words.size(), plans);
  RowRunner runner(occurrences, inserted, plans);
  for (uint32_t row = 0; row < plans.size(); ++row) runner.run(row);
  writeResult(text, occurrences, inserted, plans);
}

}  // namespace pre::replacing
