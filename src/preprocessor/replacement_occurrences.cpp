#include "preprocessor/replacement_occurrences.h"

#include "preprocessor/replacement_chars.h"
#include "preprocessor/replacement_scanner.h"

namespace pre::replacing {

// One pass over the text: each word between two delimiters is looked up
// without copying or lowering it.
OccurrenceIndex::OccurrenceIndex(std::u16string_view text, const WordTable& words) {
  const size_t n = text.size();
  // Room for a looked-for word every 32 characters, so the list is seldom
  // moved as it grows; untouched room costs no memory.
  all_.reserve(n / 32);
  forEachWord(text, [&](size_t start, size_t end) {
    if (start == 0 || end == n) return;
    const uint32_t word = words.find(text.data() + start, end - start);
    if (word != kNoWord) all_.push_back({static_cast<uint32_t>(start), Fate::standing(word)});
  });
  // Group the occurrences by word, keeping text order within each group.
  wordStart_.assign(words.size() + 1, 0);
  for (const Occurrence& o : all_) ++wordStart_[o.fate.word() + 1];
  for (size_t w = 0; w < words.size(); ++w) wordStart_[w + 1] += wordStart_[w];
  wordStanding_.resize(words.size());
  for (size_t w = 0; w < words.size(); ++w) wordStanding_[w] = wordStart_[w + 1] - wordStart_[w];
  byWord_.resize(all_.size());
  byWordScan_.resize(all_.size());
  std::vector<uint32_t> next(wordStart_.begin(), wordStart_.end() - 1);
  for (uint32_t k = 0; k < all_.size(); ++k) {
    const Occurrence& o = all_[k];
    const uint32_t slot = next[o.fate.word()]++;
    byWord_[slot] = OccurrenceId{k};
    // Read in text order here, the delimiters need not be fetched again.
    const size_t end = o.position + words.lengthOf(o.fate.word());
    byWordScan_[slot] = static_cast<uint16_t>(scanOf(text[o.position - 1], text[end]));
  }
}

void OccurrenceIndex::keep(uint32_t word, std::span<const std::pair<OccurrenceId, uint16_t>> kept) {
  const uint32_t start = wordStart_[word];
  for (size_t k = 0; k < kept.size(); ++k) {
    byWord_[start + k] = kept[k].first;
    byWordScan_[start + k] = kept[k].second;
  }
  wordStanding_[word] = static_cast<uint32_t>(kept.size());
}

}  // namespace pre::replacing
