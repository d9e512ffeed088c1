#include "preprocessor/replacement_words.h"

#include "preprocessor/replacement_chars.h"
#include "preprocessor/replacement_scanner.h"

namespace pre::replacing {

uint32_t WordTable::add(std::u16string_view word) {
  const uint32_t known = find(word.data(), word.size());
  if (known != kNoWord) return known;
  const auto id = static_cast<uint32_t>(words_.size());
  words_.push_back(text::lower(word));
  hashes_.push_back(foldedHash(word.data(), word.size()));
  if (word.size() < 64) {
    lengths_ |= uint64_t{1} << word.size();
  } else {
    longWords_ = true;
  }
  const unsigned first = text::toLower(word[0]) & 255;
  firstChars_[first >> 6] |= uint64_t{1} << (first & 63);
  if (slots_.size() < 2 * words_.size()) {
    rehash();
  } else {
    place(id);
  }
  return id;
}

void WordTable::place(uint32_t id) {
  const size_t mask = slots_.size() - 1;
  size_t slot = hashes_[id] & mask;
  while (slots_[slot] != kNoWord) slot = (slot + 1) & mask;
  slots_[slot] = id;
}

// Keeps the table at most half full so that probes stay short.
void WordTable::rehash() {
  slots_.assign(std::max<size_t>(16, slots_.size() * 4), kNoWord);
  for (uint32_t id = 0; id < words_.size(); ++id) place(id);
}

namespace {

// Whether s, lowered, is the lowered word (of the same length).
bool spells(const char16_t* s, const std::u16string& lowered) {
  for (size_t i = 0; i < lowered.size(); ++i) {
    if (text::toLower(s[i]) != lowered[i]) return false;
  }
  return true;
}

}  // namespace

uint32_t WordTable::lookUp(const char16_t* s, size_t length) const {
  if (slots_.empty()) return kNoWord;
  const uint32_t hash = foldedHash(s, length);
  const size_t mask = slots_.size() - 1;
  for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const uint32_t id = slots_[slot];
    if (id == kNoWord) return kNoWord;
    if (hashes_[id] == hash && words_[id].size() == length && spells(s, words_[id])) return id;
  }
}

namespace {

// The words of a to-word that a row from `from` on looks for; lastRow tells,
// per word id, the last row of the run that looks for it.
std::vector<Piece> piecesOf(std::u16string_view to, const WordTable& words,
                            const std::vector<size_t>& lastRow, size_t from) {
  std::vector<Piece> pieces;
  forEachWord(to, [&](size_t start, size_t end) {
    const uint32_t word = words.find(to.data() + start, end - start);
    if (word != kNoWord && lastRow[word] >= from) {
      pieces.push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(end - start), word});
    }
  });
  return pieces;
}

}  // namespace

std::vector<RowPlan> planRows(const ReplaceTable& table, size_t begin, size_t end, WordTable& words) {
  std::vector<RowPlan> plans(end - begin);
  std::vector<size_t> lastRow;
  for (size_t r = begin; r < end; ++r) {
    plans[r - begin].row = &table[r];
    if (table[r].from.empty()) continue;  // changes nothing: its to-word is empty too
    const uint32_t word = words.add(table[r].from);
    plans[r - begin].word = word;
    lastRow.resize(words.size(), 0);
    lastRow[word] = r - begin;
  }
  for (size_t r = begin; r < end; ++r) {
    if (plans[r - begin].word != kNoWord) {
      plans[r - begin].pieces = piecesOf(table[r].to, words, lastRow, r - begin);
    }
  }
  return plans;
}

}  // namespace pre::replacing
