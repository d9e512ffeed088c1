#include "app/line_order.h"

#include <algorithm>
#include <array>
#include <span>

#include "app/line_stages.h"
#include "app/read_loop.h"
#include "app/run.h"
#include "preprocessor/array_blocks.h"
#include "preprocessor/block_comments.h"
#include "preprocessor/code_modules.h"
#include "preprocessor/conditionals.h"
#include "preprocessor/includes.h"
#include "preprocessor/libraries.h"
#include "preprocessor/option_directives.h"
#include "preprocessor/replacements.h"
#include "preprocessor/target_options.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/lines.h"

namespace app {
namespace {

// How a line goes on once a stage has acted on it.
enum class Flow {
  /// The later stages look at the line as this one left it.
  next,
  /// The line now holds inserted program text (Held::programText).
  programText,
  /// The reading starts again from the first line once this line, which
  /// opens the new output, has gone through the later stages.
  restartReading,
  /// The line is used up.
  done,
  /// This line and every later one are ignored.
  stopReading,
};

// Where a stage looks for its keywords.
enum class Where {
  /// The directive test: at the start of the line, after its blanks.
  lineStart,
  /// Anywhere in the line.
  anywhere,
  /// The stage takes every line that reaches it.
  everyLine,
};

// A block of the reading, inside which a stage takes every line.
enum class Block { none, array, comment, pio };

bool isOpen(Block block, const Run& run) {
  switch (block) {
    case Block::none: return false;
    case Block::array: return inArrayBlock(run);
    case Block::comment: return inBlockComment(run);
    case Block::pio: return inPioBlock(run);
  }
  return false;
}

struct Trigger {
  std::span<const std::u16string_view> keywords;
  Where where = Where::lineStart;
  /// While this block is open, the stage takes every line, keyword or not.
  Block inside = Block::none;

  /// Stages that look for keywords are the directive stages.
  constexpr bool testsDirectives() const { return !keywords.empty(); }
};

constexpr Trigger directive(std::span<const std::u16string_view> keywords) { return {keywords}; }
constexpr Trigger directiveOrInside(std::span<const std::u16string_view> keywords, Block block) {
  return {keywords, Where::lineStart, block};
}
constexpr Trigger anywhere(std::span<const std::u16string_view> keywords) {
  return {keywords, Where::anywhere};
}
constexpr Trigger inside(Block block) { return {{}, Where::lineStart, block}; }
constexpr Trigger everyLine() { return {{}, Where::everyLine}; }

struct Stage {
  /// What the stage does, in a few words.
  std::u16string_view name;
  Trigger trigger;
  /// Acts on the line; returns whether `then` follows. Otherwise the line
  /// goes on to the next stage.
  bool (*handle)(Run&, Held);
  Flow then;
};

// Every line of the main source meets these stages in this order, each one
// seeing the line as the earlier ones left it. A stage acts when its trigger
// matches, and `then` says how the line goes on when it did. A handled
// directive line is mostly a comment line afterwards, so no later stage
// matches it; whatever is left reaches the output through the last stage.
constexpr Stage kStages[] = {
    // what the stage does       trigger                                               handler            then
    {u"end of the code",         directive(pre::kEndCodeKeywords),                     stopAtEndCode,     Flow::stopReading},
    {u"code-base folder",        directive(pre::kCodeBaseKeywords),                    codeBaseFolder,    Flow::next},
    {u"code module",             directive(pre::kCodeModuleKeywords),                  codeModule,        Flow::programText},
    {u"source options",          directive(pre::kOptionKeywords),                      sourceOptions,     Flow::next},
    {u"PIO directives",          directive(kPioKeywords),                              pioDirectives,     Flow::programText},
    {u"#REPLACE pair",           anywhere(pre::kReplaceKeywords),                      replacePair,       Flow::done},
    {u"block comment start",     directive(pre::kBlockCommentKeywords),                blockCommentStart, Flow::next},
    {u"include file",            directive(pre::kIncludeKeywords),                     includeFile,       Flow::next},
    {u"array block",             directiveOrInside(pre::kArrayKeywords, Block::array), arrayBlock,        Flow::programText},
    {u"target line",             anywhere(pre::kTargetLineMarks),                      targetLine,        Flow::next},
    {u"conditional compilation", directive(pre::kConditionalKeywords),                 conditional,       Flow::next},
    {u"target options",          directive(pre::kTargetOptionKeywords),                targetOptions,     Flow::restartReading},
    {u"library directive",       directive(pre::kLibraryKeywords),                     libraryDirective,  Flow::done},
    {u"block comment line",      inside(Block::comment),                               blockCommentLine,  Flow::done},
    {u"library filter",          everyLine(),                                          libraryFilter,     Flow::done},
    {u"PIO block line",          inside(Block::pio),                                   pioBlockLine,      Flow::done},
    {u"program line",            everyLine(),                                          programLine,       Flow::done},
};

constexpr size_t kStageCount = std::size(kStages);

// The directive stages come first; the stages after them take every line
// that is left, whatever it holds.
constexpr size_t kFirstLineStage = [] {
  size_t first = 0;
  while (first < kStageCount && kStages[first].trigger.testsDirectives()) ++first;
  return first;
}();
static_assert(std::ranges::none_of(std::span(kStages).subspan(kFirstLineStage),
                                   [](const Stage& s) { return s.trigger.testsDirectives(); }));
static_assert(kStages[kStageCount - 1].trigger.where == Where::everyLine &&
                  kStages[kStageCount - 1].then == Flow::done,
              "the last stage takes every line that is left");

// A keyword tested at the start of a line, and the stage it belongs to.
struct StageKeyword {
  std::u16string_view keyword;
  size_t stage = kStageCount;
};

// Keywords begin with two ASCII characters, of which the first is a mark,
// never a letter.
constexpr bool isMark(char16_t c) {
  return c < 128 && !(c >= u'A' && c <= u'Z') && !(c >= u'a' && c <= u'z');
}
constexpr char16_t asciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; }

// Every line-start keyword of every stage in one list, in buckets by their
// first two characters (the second in lower case), longest first in each.
constexpr auto kLineStartKeywords = [] {
  constexpr size_t count = [] {
    size_t n = 0;
    for (const Stage& stage : kStages) {
      if (stage.trigger.where == Where::lineStart) n += stage.trigger.keywords.size();
    }
    return n;
  }();
  std::array<StageKeyword, count> keywords{};
  size_t i = 0;
  for (size_t stage = 0; stage < kStageCount; ++stage) {
    if (kStages[stage].trigger.where != Where::lineStart) continue;
    for (std::u16string_view keyword : kStages[stage].trigger.keywords) keywords[i++] = {keyword, stage};
  }
  std::ranges::sort(keywords, [](const StageKeyword& a, const StageKeyword& b) {
    const auto key = [](std::u16string_view k) { return k[0] * 128 + asciiLower(k[1]); };
    if (key(a.keyword) != key(b.keyword)) return key(a.keyword) < key(b.keyword);
    return a.keyword.size() > b.keyword.size();
  });
  return keywords;
}();
static_assert(std::ranges::all_of(kLineStartKeywords, [](const StageKeyword& k) {
  return k.keyword.size() >= 2 && isMark(k.keyword[0]) && k.keyword[1] < 128;
}));

// Within a stage a longer keyword comes before its prefix, and no keyword is
// a prefix of another stage's: so a line is a directive of one stage at
// most, and the longest keyword that begins it names that stage.
constexpr bool keywordsKeepApart() {
  for (const StageKeyword& a : kLineStartKeywords) {
    for (const StageKeyword& b : kLineStartKeywords) {
      if (&a != &b && a.stage != b.stage && b.keyword.starts_with(a.keyword)) return false;
    }
  }
  for (const Stage& stage : kStages) {
    const auto keywords = stage.trigger.keywords;
    for (size_t i = 0; i < keywords.size(); ++i) {
      for (size_t j = i + 1; j < keywords.size(); ++j) {
        if (keywords[j].starts_with(keywords[i])) return false;
      }
    }
  }
  return true;
}
static_assert(keywordsKeepApart());

// Where the bucket of each first character begins in the list (the list's
// size for a character no keyword begins with).
constexpr auto kBucketOfFirst = [] {
  std::array<size_t, 128> first{};
  first.fill(kLineStartKeywords.size());
  for (size_t i = kLineStartKeywords.size(); i-- > 0;) first[kLineStartKeywords[i].keyword[0]] = i;
  return first;
}();

// The keywords found anywhere in a line, and the two marks they begin with.
constexpr auto kAnywhereKeywords = [] {
  std::array<std::u16string_view, 2> keywords{};
  size_t i = 0;
  for (const Stage& stage : kStages) {
    if (stage.trigger.where != Where::anywhere) continue;
    for (std::u16string_view keyword : stage.trigger.keywords) keywords.at(i++) = keyword;
  }
  return keywords;
}();
static_assert(std::ranges::all_of(kAnywhereKeywords, [](auto k) { return !k.empty() && isMark(k[0]); }),
              "the scan for them looks for two marks at once");

// The blocks inside which a directive stage takes every line.
constexpr auto kDirectiveStageBlocks = [] {
  constexpr size_t count = std::ranges::count_if(std::span(kStages).first(kFirstLineStage),
                                                 [](const Stage& s) { return s.trigger.inside != Block::none; });
  std::array<Block, count> blocks{};
  size_t i = 0;
  for (size_t stage = 0; stage < kFirstLineStage; ++stage) {
    if (kStages[stage].trigger.inside != Block::none) blocks[i++] = kStages[stage].trigger.inside;
  }
  return blocks;
}();

// The one directive test of a line against every stage at once: the stage
// whose keyword begins it, or kStageCount when none does. Only the keywords
// that share its first two characters are tried.
size_t directiveStageOf(std::u16string_view line) {
  const std::u16string_view start = text::trimLeadingBlanks(line);
  if (start.size() < 2 || start[0] >= kBucketOfFirst.size()) return kStageCount;
  const char16_t second = text::toLower(start[1]);
  for (size_t i = kBucketOfFirst[start[0]]; i < kLineStartKeywords.size(); ++i) {
    const StageKeyword& k = kLineStartKeywords[i];
    if (k.keyword[0] != start[0]) break;
    const char16_t keywordSecond = asciiLower(k.keyword[1]);
    if (keywordSecond < second) continue;
    if (keywordSecond > second) break;
    if (text::startsWithNoCase(start, k.keyword)) return k.stage;
  }
  return kStageCount;
}

bool holdsAnywhereKeyword(std::u16string_view line) {
  const char16_t first = kAnywhereKeywords[0][0];
  const char16_t second = kAnywhereKeywords[1][0];
  for (size_t i = 0; (i = text::findEither(line, first, second, i)) < line.size(); ++i) {
    for (std::u16string_view keyword : kAnywhereKeywords) {
      if (text::startsWithNoCase(line.substr(i), keyword)) return true;
    }
  }
  return false;
}

bool directiveStageOpen(const Run& run) {
  return std::ranges::any_of(kDirectiveStageBlocks, [&run](Block block) { return isOpen(block, run); });
}

// Whether the stage takes the line, which is a directive of directiveStage
// (kStageCount: of none).
bool triggered(size_t stage, size_t directiveStage, const Run& run) {
  const Trigger& trigger = kStages[stage].trigger;
  if (isOpen(trigger.inside, run)) return true;
  switch (trigger.where) {
    case Where::lineStart: return stage == directiveStage;
    case Where::anywhere: {
      const std::u16string_view line = run.state.line.lineBuffer;
      return std::ranges::any_of(trigger.keywords, [line](auto k) { return text::containsNoCase(line, k); });
    }
    case Where::everyLine: return true;
  }
  return false;
}

}  // namespace

std::vector<std::u16string_view> stageNames() {
  std::vector<std::u16string_view> names;
  for (const Stage& stage : kStages) names.push_back(stage.name);
  return names;
}

// Most lines hold no directive: they begin with no keyword and hold no
// anywhere-keyword, and outside the states in which a directive stage takes
// every line they skip those stages.
LineOutcome processMainLine(Run& run) {
  const std::u16string& line = run.state.line.lineBuffer;
  size_t directiveStage = directiveStageOf(line);
  const bool plain = directiveStage == kStageCount && !holdsAnywhereKeyword(line) && !directiveStageOpen(run);
  Held held = plain ? Held::plainLine : Held::sourceLine;
  LineOutcome outcome = LineOutcome::goOn;
  for (size_t stage = plain ? kFirstLineStage : 0; stage < kStageCount; ++stage) {
    if (held == Held::programText && stage < kFirstLineStage) continue;
    if (!triggered(stage, directiveStage, run)) continue;
    const bool acted = kStages[stage].handle(run, held);
    // A directive stage may change the line whether or not it acted.
    if (stage < kFirstLineStage) directiveStage = directiveStageOf(line);
    if (!acted) continue;
    switch (kStages[stage].then) {
      case Flow::next: break;
      case Flow::programText: held = Held::programText; break;
      case Flow::restartReading:
        startReadingAgain(run);
        outcome = LineOutcome::restartReading;
        break;
      case Flow::done: return outcome;
      case Flow::stopReading: return LineOutcome::stopReading;
    }
  }
  return outcome;
}

}  // namespace app
