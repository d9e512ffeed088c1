#include "app/line_order.h"

#include <algorithm>
#include <array>
#include <span>

#include "app/read_loop.h"
#include "app/run.h"
#include "preprocessor/block_comments.h"
#include "preprocessor/code_modules.h"
#include "preprocessor/includes.h"
#include "preprocessor/option_directives.h"
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
  /// The line now holds inserted program text (a code module, a generated
  /// file, a PIO block's generated commands): the later directive stages
  /// leave it alone.
  programText,
  /// The reading starts again from the first line once this line, which
  /// opens the new output, has gone through the later stages.
  restartReading,
  /// The line is used up.
  done,
  /// This line and every later one are ignored.
  stopReading,
};

// What the line holds on its way through the stages.
enum class Held {
  sourceLine,
  /// A source line that no directive stage can act on; it has no line end of
  /// its own, so it is emitted at once.
  plainLine,
  /// See Flow::programText.
  programText,
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

struct Trigger {
  std::span<const std::u16string_view> keywords;
  Where where = Where::lineStart;
  /// While this holds, the stage takes every line, keyword or not.
  bool (*whileOpen)(const Run&) = nullptr;

  /// Stages that look for keywords are the directive stages.
  constexpr bool testsDirectives() const { return !keywords.empty(); }
};

constexpr Trigger directive(std::span<const std::u16string_view> keywords) { return {keywords}; }
constexpr Trigger directiveOrOpen(std::span<const std::u16string_view> keywords, bool (*open)(const Run&)) {
  return {keywords, Where::lineStart, open};
}
constexpr Trigger anywhere(std::span<const std::u16string_view> keywords) { return {keywords, Where::anywhere}; }
constexpr Trigger whileOpen(bool (*open)(const Run&)) { return {{}, Where::lineStart, open}; }
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

// The handlers, in the order of the table below.

bool stopAtEndCode(Run&, Held) { return true; }

bool codeBaseFolder(Run& run, Held) {
  return pre::handleCodeBaseLine(run.state.line.lineBuffer, run.state.codeBase);
}

bool codeModule(Run& run, Held) {
  return pre::handleCodeModuleLine(run.state.line.lineBuffer, run.state.codeBase, run.codeBaseFiles);
}

bool sourceOptions(Run& run, Held) {
  pre::handleOptionDirectives(run.state.line.lineBuffer, run.state.options, run.files);
  return true;
}

constexpr std::u16string_view kPasmCfgKeyword = u"#PASMCFG";
constexpr std::u16string_view kPioStartKeyword = u"#PIOSTART";
constexpr std::u16string_view kPioEndKeyword = u"#PIOEND";
constexpr std::u16string_view kPioKeywords[] = {kPasmCfgKeyword, kPioStartKeyword, kPioEndKeyword};

// The assembler's options and the two block directives. True when the line
// now holds a block's generated text, which only the second reading makes.
bool pioDirectives(Run& run, Held) {
  RunState& state = run.state;
  std::u16string& buffer = state.line.lineBuffer;
  const std::u16string_view keyword = text::directiveKeyword(buffer, kPioKeywords);
  if (keyword == kPioEndKeyword) {
    buffer = run.pio.endBlock(state.secondReading, state.settings.mode == base::RunMode::pioCheck);
    return state.secondReading;
  }
  if (keyword == kPasmCfgKeyword) run.pio.readOptions(buffer);
  if (keyword == kPioStartKeyword) run.pio.startBlock(state.secondReading);
  if (!keyword.empty()) buffer.clear();
  return false;
}

bool replacePair(Run& run, Held) {
  return pre::handleReplaceLine(run.reading.replacements, run.state.line.lineBuffer, run.state.target,
                                run.library, run.emitter);
}

// Inside a PIO block "/*" ... "*/" is the assembler's own comment.
bool blockCommentStart(Run& run, Held) {
  if (!run.pio.inBlock()) pre::noteBlockCommentStart(run.state.line.lineBuffer, run.reading.inBlockComment);
  return true;
}

bool includeFile(Run& run, Held) {
  RunState& state = run.state;
  pre::IncludeContext context{state.line,    run.emitter,  run.symbols,
                              run.reading,   run.library,  state.options,
                              state.target,  state.settings.folders, run.files};
  return pre::handleIncludeLine(context);
}

bool inArrayBlock(const Run& run) { return run.reading.inArrayBlock; }

bool arrayBlock(Run& run, Held) {
  return run.arrays.handleLine(run.state.line.lineBuffer, run.reading.inArrayBlock, run.host);
}

// A target line counts only where the program is kept.
bool targetLine(Run& run, Held) {
  return run.reading.levels.currentActive() &&
         pre::handleTargetLine(run.state.line, run.reading.sourceLineNumber, run.state.target);
}

bool conditional(Run& run, Held) {
  return pre::handleConditionalLine(run.symbols, run.reading.levels, run.state.line.lineBuffer,
                                    pre::ConditionalRules::mainSource);
}

// True for the first #ESP_CLIPBOARD, which empties the output at once, so the
// line itself opens the new output.
bool targetOptions(Run& run, Held) { return pre::handleTargetOptions(run.state.line.lineBuffer, run.state.target); }

bool libraryDirective(Run& run, Held) {
  return pre::handleLibraryDirective(run.library, run.reading, run.state.line.lineBuffer, run.emitter,
                                     run.files, run.sourceGuard);
}

bool inBlockComment(const Run& run) { return run.reading.inBlockComment; }

bool blockCommentLine(Run& run, Held held) {
  if (held == Held::programText) {
    pre::commentInsertedText(run.state.line, run.emitter);
  } else {
    pre::commentBlockLine(run.state.line, run.reading.inBlockComment, run.emitter);
  }
  return true;
}

// True when the filter takes the line: it collects it or drops it.
bool libraryFilter(Run& run, Held) {
  return !pre::passesLibraryFilter(run.library, run.reading.librarySection, run.state.line.lineBuffer,
                                   run.state.options.libraryIgnore, run.emitter);
}

bool inPioBlock(const Run& run) { return run.pio.inBlock(); }

// Inside a PIO block the line feeds the assembler instead of the output (the
// second reading keeps it as a comment line).
bool pioBlockLine(Run& run, Held) {
  RunState& state = run.state;
  const std::u16string line = std::move(state.line.lineBuffer);
  state.line.lineBuffer.clear();
  if (!run.reading.levels.currentActive()) return true;
  if (!state.secondReading) {
    state.pioBlockSeen = true;
    run.pio.firstPassLine(line);
    return true;
  }
  run.pio.secondPassLine(line, state.settings.mode == base::RunMode::pioCheck);
  state.line.lineBuffer = u"'" + line + text::kCrLf;
  run.emitter.flushLineBuffer();
  return true;
}

bool programLine(Run& run, Held held) {
  std::u16string& buffer = run.state.line.lineBuffer;
  buffer += text::kCrLf;
  if (held != Held::plainLine) {
    run.emitter.flushLineBuffer();
    return true;
  }
  run.emitter.emitLine(buffer);
  buffer.clear();
  return true;
}

// Every line of the main source meets these stages in this order, each one
// seeing the line as the earlier ones left it. A stage acts when its trigger
// matches, and `then` says how the line goes on when it did. A handled
// directive line is mostly a comment line afterwards, so no later stage
// matches it; whatever is left reaches the output through the last stage.
constexpr Stage kStages[] = {
    // what the stage does       trigger                                             handler            then
    {u"end of the code",         directive(pre::kEndCodeKeywords),                   stopAtEndCode,     Flow::stopReading},
    {u"code-base folder",        directive(pre::kCodeBaseKeywords),                  codeBaseFolder,    Flow::next},
    {u"code module",             directive(pre::kCodeModuleKeywords),                codeModule,        Flow::programText},
    {u"source options",          directive(pre::kOptionKeywords),                    sourceOptions,     Flow::next},
    {u"PIO directives",          directive(kPioKeywords),                            pioDirectives,     Flow::programText},
    {u"#REPLACE pair",           anywhere(pre::kReplaceKeywords),                    replacePair,       Flow::done},
    {u"block comment start",     directive(pre::kBlockCommentKeywords),              blockCommentStart, Flow::next},
    {u"include file",            directive(pre::kIncludeKeywords),                   includeFile,       Flow::next},
    {u"array block",             directiveOrOpen(pre::kArrayKeywords, inArrayBlock), arrayBlock,        Flow::programText},
    {u"target line",             anywhere(pre::kTargetLineMarks),                    targetLine,        Flow::next},
    {u"conditional compilation", directive(pre::kConditionalKeywords),               conditional,       Flow::next},
    {u"target options",          directive(pre::kTargetOptionKeywords),              targetOptions,     Flow::restartReading},
    {u"library directive",       directive(pre::kLibraryKeywords),                   libraryDirective,  Flow::done},
    {u"block comment line",      whileOpen(inBlockComment),                          blockCommentLine,  Flow::done},
    {u"library filter",          everyLine(),                                        libraryFilter,     Flow::done},
    {u"PIO block line",          whileOpen(inPioBlock),                              pioBlockLine,      Flow::done},
    {u"program line",            everyLine(),                                        programLine,       Flow::done},
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
constexpr bool isMark(char16_t c) { return c < 128 && !(c >= u'A' && c <= u'Z') && !(c >= u'a' && c <= u'z'); }
constexpr char16_t asciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; }

// Every line-start keyword of every stage in one list, in buckets by their
// first two characters (the second in lower case), longest first in each.
constexpr auto kLineStartKeywords = [] {
  constexpr size_t count = [] {
    size_t n = 0;
    for (const Stage& stage : kStages) n += stage.trigger.where == Where::lineStart ? stage.trigger.keywords.size() : 0;
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
              "the scan below looks for the first marks of exactly two anywhere-keywords");

// The states in which a directive stage takes every line.
constexpr auto kOpenDirectiveStates = [] {
  constexpr size_t count = std::ranges::count_if(std::span(kStages).first(kFirstLineStage),
                                                 [](const Stage& s) { return s.trigger.whileOpen != nullptr; });
  std::array<bool (*)(const Run&), count> states{};
  size_t i = 0;
  for (size_t stage = 0; stage < kFirstLineStage; ++stage) {
    if (kStages[stage].trigger.whileOpen) states[i++] = kStages[stage].trigger.whileOpen;
  }
  return states;
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
  return std::ranges::any_of(kOpenDirectiveStates, [&run](auto open) { return open(run); });
}

// Where a stage stands with the line: its directive stage is known.
bool triggered(size_t stage, size_t directiveStage, const Run& run) {
  const Trigger& trigger = kStages[stage].trigger;
  if (trigger.whileOpen && trigger.whileOpen(run)) return true;
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
