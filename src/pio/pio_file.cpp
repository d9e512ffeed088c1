#include "pio/pio_file.h"

#include <unordered_set>

#include "pio/expression.h"
#include "text/case_table.h"

namespace pio {

namespace {

// Defines naming defines are followed this deep: deeper is a loop.
constexpr int kMaxDepth = 16;
constexpr int32_t kProgramLimit = 32;

constexpr std::u16string_view kBeforeInstructions[] = {u".origin", u".side_set", u".in", u".out",
                                                       u".set",    u".fifo",     u".mov_status",
                                                       u".pio_version"};

bool contains(const std::vector<Word>& words, std::u16string_view text) {
  for (const Word& word : words) {
    if (word.text == text) return true;
  }
  return false;
}

}  // namespace

// Reads the lines in order, keeping what pioasm keeps while it parses: the
// program being read, its instructions so far and what its directives said.
class PioFile::Builder {
 public:
  explicit Builder(PioFile& file) : f_(file) {}

  void line(PioFileLine& line) {
    line_ = &line;
    const PioasmLine& read = line.read;
    if (!line.error.empty()) return;
    switch (read.kind) {
      case PioasmLineKind::empty: break;
      case PioasmLineKind::program: startProgram(read.name, line); break;
      case PioasmLineKind::define: define(read.name, {false, 0, read.expression}, true); break;
      case PioasmLineKind::label:
        if (inProgram(u"a label")) define(read.name, {true, program().size, {}}, false);
        break;
      case PioasmLineKind::instruction: instruction(read); break;
      case PioasmLineKind::directive: directive(read); break;
    }
  }

  void finish() {
    closeProgram(f_.lines_.size());
    if (codeBlockLine_ != nullptr && state.inCodeBlock) {
      fail(*codeBlockLine_, u"% block not closed before the end of the file", u"%");
    }
  }

  LexState state;
  // The line that opened the last "% lang {" block.
  PioFileLine* codeBlockLine_ = nullptr;

 private:
  PioFileProgram& program() { return f_.programs_.back(); }

  void fail(PioFileLine& line, std::u16string message, std::u16string_view detail) {
    if (!line.error.empty()) return;
    line.error = std::move(message);
    line.errorDetail = std::u16string(detail);
  }
  void fail(std::u16string message, std::u16string_view detail) {
    fail(*line_, std::move(message), detail);
  }

  bool inProgram(std::u16string_view what) {
    if (!f_.programs_.empty()) return true;
    fail(std::u16string(what) + u" is invalid outside of a program", line_->read.keyword);
    return false;
  }

  void startProgram(const std::u16string& name, const PioFileLine& line) {
    closeProgram(static_cast<size_t>(line.number - 1));
    for (const PioFileProgram& other : f_.programs_) {
      if (other.name == name) return fail(u"program already exists", name);
    }
    PioFileProgram next;
    next.name = name;
    next.versionOne = globalVersionOne_;
    next.firstLine = static_cast<size_t>(line.number - 1);
    f_.programs_.push_back(std::move(next));
    program_ = {};
  }

  void closeProgram(size_t endLine) {
    if (f_.programs_.empty()) return;
    program().endLine = endLine;
    if (program_.wrapTarget != nullptr && program_.wrapTargetIndex >= program().size) {
      fail(*program_.wrapTarget, u".wrap_target cannot be placed after the last program instruction",
           u".wrap_target");
    }
  }

  // Labels and defines share one name space per program, beside the file's.
  void define(const std::u16string& name, PioFileSymbol symbol, bool mayBeGlobal) {
    const bool global = f_.programs_.empty();
    if (global && !mayBeGlobal) return;
    PioFileSymbols& scope = global ? f_.globals_ : program().symbols;
    if (f_.globals_.contains(name) || scope.contains(name)) {
      return fail(u"name already defined", name);
    }
    // The block keeps a program's labels without regard to case, as its own
    // dialect does, so two labels may not differ only in case. Defines stay
    // with the file, so one may share a label's letters (.define HSYNC 1 and
    // hsync:).
    if (symbol.label && !program_.labelsFolded.insert(text::lower(name)).second) {
      return fail(u"labels that differ only in case are not supported", name);
    }
    scope.emplace(name, std::move(symbol));
  }

  void instruction(const PioasmLine& read) {
    if (!inProgram(u"an instruction")) return;
    if (!read.labelName.empty()) define(read.labelName, {true, program().size, {}}, false);
    if (program().size >= kProgramLimit) {
      return fail(u"program instruction limit of 32 instructions exceeded", read.keyword);
    }
    ++program().size;
    line_->takesSlot = true;
    if (program_.sidesetRequired && !read.hasSide) {
      fail(u"instruction requires side: the program's .side_set is not optional", read.keyword);
    } else if (!program_.sidesetDeclared && read.hasSide) {
      fail(u"side without a .side_set is not supported", u"side");
    } else if (read.keyword == u"push" && !program_.pushAllowed) {
      fail(u"push needs the FIFO configured txrx or rx", u"push");
    }
  }

  void directive(const PioasmLine& read) {
    const std::u16string& name = read.keyword;
    const bool global = f_.programs_.empty();
    bool early = false;
    for (std::u16string_view directive : kBeforeInstructions) early = early || name == directive;
    if (name == u".pio_version") {
      const bool one = contains(read.source.words, u"rp2350") || contains(read.source.words, u"(1)");
      if (global) {
        globalVersionOne_ = one;
        return;
      }
      program().versionOne = one;
    }
    if (!inProgram(name)) return;
    if (early && program().size > 0) return fail(name + u" must precede any program instructions", name);
    if (name == u".origin") program().originLine = static_cast<size_t>(line_->number - 1);
    if (name == u".side_set") {
      program_.sidesetDeclared = true;
      program_.sidesetRequired = !contains(read.source.words, u"optional");
    }
    if (name == u".fifo") program_.pushAllowed = contains(read.source.words, u"txrx") || contains(read.source.words, u"rx");
    if (name == u".wrap_target") {
      if (program_.wrapTarget != nullptr) return fail(u".wrap_target was already specified", name);
      program_.wrapTarget = line_;
      program_.wrapTargetIndex = program().size;
    }
    if (name == u".wrap") {
      if (program_.wrapSeen) return fail(u".wrap was already specified", name);
      program_.wrapSeen = true;
      if (program().size == 0) fail(u".wrap cannot be placed before the first program instruction", name);
    }
  }

  // What the directives of the program being read said so far.
  struct ProgramState {
    bool sidesetDeclared = false;
    bool sidesetRequired = false;
    bool pushAllowed = true;
    bool wrapSeen = false;
    PioFileLine* wrapTarget = nullptr;
    int32_t wrapTargetIndex = 0;
    std::unordered_set<std::u16string> labelsFolded;
  };

  PioFile& f_;
  PioFileLine* line_ = nullptr;
  ProgramState program_;
  bool globalVersionOne_ = false;
};

PioFile::PioFile(std::u16string path, std::u16string_view text) : path_(std::move(path)), text_(text) {
  // The assembler ends lines at LF only; a CR is a blank to it.
  std::u16string_view all = text_;
  for (size_t start = 0; start < all.size();) {
    size_t end = all.find(u'\n', start);
    if (end == std::u16string_view::npos) end = all.size();
    std::u16string_view line = all.substr(start, end - start);
    if (line.ends_with(u'\r')) line.remove_suffix(1);
    lines_.push_back({line, static_cast<int32_t>(lines_.size() + 1), {}, {}, {}, false});
    start = end + 1;
  }
  Builder builder(*this);
  for (PioFileLine& line : lines_) {
    const bool opensBlock = !builder.state.inCodeBlock;
    line.read = readPioasmLine(line.text, builder.state);
    if (opensBlock && builder.state.inCodeBlock) builder.codeBlockLine_ = &line;
    line.error = line.read.error;
    line.errorDetail = line.read.errorDetail;
    builder.line(line);
  }
  builder.finish();
}

std::optional<size_t> PioFile::findProgram(std::u16string_view name) const {
  std::optional<size_t> folded;
  int foldedCount = 0;
  for (size_t i = 0; i < programs_.size(); ++i) {
    if (programs_[i].name == name) return i;
    if (text::equalsNoCase(programs_[i].name, name)) {
      folded = i;
      ++foldedCount;
    }
  }
  return foldedCount == 1 ? folded : std::nullopt;
}

std::optional<int32_t> PioFile::evaluate(size_t program, std::u16string_view expression,
                                         std::u16string* missing) const {
  return evaluateAt(program, expression, 0, missing);
}

std::optional<int32_t> PioFile::evaluateAt(size_t program, std::u16string_view expression, int depth,
                                           std::u16string* missing) const {
  return evaluateExpression(expression, [&](std::u16string_view name) {
    return nameValue(program, name, depth, missing);
  });
}

std::optional<int32_t> PioFile::nameValue(size_t program, std::u16string_view name, int depth,
                                          std::u16string* missing) const {
  const std::u16string key(name);
  const PioFileSymbol* symbol = nullptr;
  if (auto global = globals_.find(key); global != globals_.end()) symbol = &global->second;
  if (symbol == nullptr && program < programs_.size()) {
    const PioFileSymbols& own = programs_[program].symbols;
    if (auto found = own.find(key); found != own.end()) symbol = &found->second;
  }
  if (symbol == nullptr || depth >= kMaxDepth) {
    if (missing != nullptr && missing->empty()) *missing = key;
    return std::nullopt;
  }
  if (symbol->label) return symbol->index;
  return evaluateAt(program, symbol->expression, depth + 1, missing);
}

}  // namespace pio
