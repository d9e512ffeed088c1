// Applying the #REPLACE pairs without rescanning the whole text for every
// pair and every one of the 576 delimiter pairs.
//
// The text is held as a linked list of tokens: each delimiter is a token of
// its own and every run of other characters is a word. A from-word without
// delimiters can only match a whole word token whose neighbours are the two
// delimiters, so one pair's scans reduce to the occurrences of its word,
// grouped by their neighbour pair and handled in scan order. Tokens carry
// ordered labels, so inserted text keeps its place in that order. A from-word
// that is empty or holds a delimiter falls back to the literal scans.

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

#include "preprocessor/replacements.h"
#include "text/case_table.h"

namespace pre {
namespace {

constexpr int kNoNode = -1;
constexpr size_t kDelimiterCount = kDelimiters.size();

std::array<int8_t, 65536> buildDelimiterIndex() {
  std::array<int8_t, 65536> index{};
  index.fill(-1);
  for (size_t i = 0; i < kDelimiterCount; ++i) index[kDelimiters[i]] = static_cast<int8_t>(i);
  return index;
}

const std::array<int8_t, 65536>& delimiterIndex() {
  static const auto index = buildDelimiterIndex();
  return index;
}

bool isDelimiter(char16_t c) { return delimiterIndex()[c] >= 0; }

bool holdsDelimiter(std::u16string_view s) {
  return std::any_of(s.begin(), s.end(), isDelimiter);
}

// The literal scans of one pair, for from-words the token list cannot serve.
std::u16string replaceLiterally(std::u16string text, const Replacement& row) {
  if (text::findNoCase(text, row.from) == std::u16string::npos) return text;
  for (char16_t right : kDelimiters) {
    for (char16_t left : kDelimiters) {
      const std::u16string pattern = left + row.from + right;
      const std::u16string replacement = left + row.to + right;
      std::u16string out;
      size_t done = 0;
      for (size_t at; (at = text::findNoCase(text, pattern, done)) != std::u16string::npos;
           done = at + pattern.size()) {
        out.append(text, done, at - done);
        out += replacement;
      }
      if (done == 0) continue;
      out.append(text, done);
      text = std::move(out);
    }
  }
  return text;
}

struct Token {
  uint32_t start = 0;  // into the character pool
  uint32_t length = 0;
  int prev = kNoNode;
  int next = kNoNode;
  uint64_t label = 0;
  bool word = false;
  bool dead = false;
};

struct Piece {
  uint32_t start;
  uint32_t length;
  bool word;
};

// Splits pool[start, start+length) into delimiter and word pieces.
std::vector<Piece> split(std::u16string_view pool, uint32_t start, uint32_t length) {
  std::vector<Piece> pieces;
  uint32_t i = start;
  const uint32_t end = start + length;
  while (i < end) {
    if (isDelimiter(pool[i])) {
      pieces.push_back({i, 1, false});
      ++i;
      continue;
    }
    uint32_t wordStart = i;
    while (i < end && !isDelimiter(pool[i])) ++i;
    pieces.push_back({wordStart, i - wordStart, true});
  }
  return pieces;
}

class TokenText {
 public:
  TokenText(std::u16string text, const ReplaceTable& table) {
    for (const auto& row : table) {
      if (!row.from.empty() && !holdsDelimiter(row.from)) occurrences_[text::lower(row.from)];
    }
    rebuild(std::move(text));
  }

  std::u16string flatten() const {
    std::u16string out;
    for (int n = head_; n != kNoNode; n = tokens_[n].next) {
      out.append(pool_, tokens_[n].start, tokens_[n].length);
    }
    return out;
  }

  void apply(const Replacement& row) {
    if (row.from.empty() && row.to.empty()) return;  // changes nothing
    if (row.from.empty() || holdsDelimiter(row.from)) {
      rebuild(replaceLiterally(flatten(), row));
      return;
    }
    applyWord(text::lower(row.from), row.to);
  }

 private:
  void rebuild(std::u16string text) {
    pool_ = std::move(text);
    tokens_.clear();
    head_ = kNoNode;
    for (auto& entry : occurrences_) entry.second.clear();
    int last = kNoNode;
    for (const Piece& piece : split(pool_, 0, static_cast<uint32_t>(pool_.size()))) {
      int n = addToken(piece);
      tokens_[n].prev = last;
      if (last == kNoNode) {
        head_ = n;
      } else {
        tokens_[last].next = n;
      }
      last = n;
    }
    relabel();
  }

  int addToken(const Piece& piece) {
    int n = static_cast<int>(tokens_.size());
    tokens_.push_back({piece.start, piece.length, kNoNode, kNoNode, 0, piece.word, false});
    if (piece.word) noteWord(n);
    return n;
  }

  // Remembers a word token when some pair may look for it.
  void noteWord(int n) {
    lowered_ = text::lower(std::u16string_view(pool_).substr(tokens_[n].start, tokens_[n].length));
    auto found = occurrences_.find(lowered_);
    if (found != occurrences_.end()) found->second.push_back(n);
  }

  void relabel() {
    // Wide gaps leave room for many insertions before the next relabel.
    constexpr uint64_t kGap = uint64_t{1} << 32;
    uint64_t label = kGap;
    for (int n = head_; n != kNoNode; n = tokens_[n].next, label += kGap) tokens_[n].label = label;
  }

  // The scan a word occurrence belongs to: right delimiter slowest.
  int scanOf(int n) const {
    const Token& t = tokens_[n];
    if (t.prev == kNoNode || t.next == kNoNode) return -1;  // at an end of the text
    const auto& index = delimiterIndex();
    return index[pool_[tokens_[t.next].start]] * static_cast<int>(kDelimiterCount) +
           index[pool_[tokens_[t.prev].start]];
  }

  void applyWord(const std::u16string& from, const std::u16string& to) {
    std::map<int, std::vector<int>> scans;
    for (int n : occurrences_[from]) {
      if (tokens_[n].dead) continue;
      int scan = scanOf(n);
      if (scan >= 0) scans[scan].push_back(n);
    }
    if (scans.empty()) return;
    const uint32_t toStart = static_cast<uint32_t>(pool_.size());
    pool_ += to;
    const std::vector<Piece> toPieces = split(pool_, toStart, static_cast<uint32_t>(to.size()));
    while (!scans.empty()) {
      auto [scan, nodes] = *scans.begin();
      scans.erase(scans.begin());
      std::sort(nodes.begin(), nodes.end(),
                [&](int a, int b) { return tokens_[a].label < tokens_[b].label; });
      int lastRight = kNoNode;
      for (int n : nodes) {
        if (tokens_[n].prev == lastRight) continue;  // its left delimiter was used
        lastRight = tokens_[n].next;
        for (int added : replaceToken(n, toPieces)) {
          // Only later scans can see what this one wrote.
          if (!equalsLowered(added, from)) continue;
          int later = scanOf(added);
          if (later > scan) scans[later].push_back(added);
        }
      }
    }
  }

  bool equalsLowered(int n, const std::u16string& lowered) const {
    return tokens_[n].length == lowered.size() &&
           text::equalsNoCase(std::u16string_view(pool_).substr(tokens_[n].start, tokens_[n].length),
                              lowered);
  }

  // Puts the pieces in place of token n; returns the word tokens added.
  std::vector<int> replaceToken(int n, const std::vector<Piece>& pieces) {
    const int left = tokens_[n].prev;
    const int right = tokens_[n].next;
    tokens_[n].dead = true;
    if (tokens_[right].label - tokens_[left].label <= pieces.size() + 1) relabel();
    const uint64_t step = (tokens_[right].label - tokens_[left].label) / (pieces.size() + 1);
    std::vector<int> words;
    int last = left;
    for (const Piece& piece : pieces) {
      int added = addToken(piece);
      tokens_[added].prev = last;
      tokens_[added].label = tokens_[last].label + step;
      tokens_[last].next = added;
      if (piece.word) words.push_back(added);
      last = added;
    }
    tokens_[last].next = right;
    tokens_[right].prev = last;
    return words;
  }

  std::u16string pool_;
  std::vector<Token> tokens_;
  int head_ = kNoNode;
  std::unordered_map<std::u16string, std::vector<int>> occurrences_;
  std::u16string lowered_;
};

}  // namespace

std::u16string applyReplacements(const ReplaceTable& table, std::u16string text) {
  if (table.empty()) return text;
  TokenText tokens(std::move(text), table);
  for (const auto& row : table) tokens.apply(row);
  return tokens.flatten();
}

}  // namespace pre
