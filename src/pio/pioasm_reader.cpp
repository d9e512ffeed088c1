#include "pio/pioasm_reader.h"

#include <initializer_list>
#include <optional>
#include <vector>

#include "text/case_table.h"
#include "text/numbers.h"

namespace pio {

namespace {

using Kind = TokenKind;

constexpr std::u16string_view kBinaryOperators[] = {u"+", u"-", u"*", u"/", u"|",
                                                    u"&", u"^", u"<<", u">>"};

// Reads the tokens of one line by the grammar, writing the shared parser's
// words as it goes. The first error stops it.
class Reader {
 public:
  Reader(const std::vector<Token>& tokens, PioasmLine& out) : t_(tokens), out_(out) {}

  void line();
  /// Where the colon of the line's label stands, when it has one.
  size_t labelColon() const { return labelColon_; }

 private:
  // --- tokens
  const Token* peek(size_t ahead = 0) const {
    return pos_ + ahead < t_.size() ? &t_[pos_ + ahead] : nullptr;
  }
  bool at(Kind kind, std::u16string_view text = {}, size_t ahead = 0) const {
    const Token* token = peek(ahead);
    return token != nullptr && token->kind == kind && (text.empty() || token->text == text);
  }
  bool atKeyword(std::initializer_list<std::u16string_view> words) const {
    for (std::u16string_view word : words) {
      if (at(Kind::keyword, word)) return true;
    }
    return false;
  }
  bool take(Kind kind, std::u16string_view text) {
    if (!at(kind, text)) return false;
    ++pos_;
    return true;
  }
  // Takes the keyword and writes it as a word.
  bool word(std::initializer_list<std::u16string_view> words) {
    if (!atKeyword(words)) return false;
    emit(t_[pos_++].text);
    return true;
  }
  void emit(std::u16string text, bool group = false) { out_.source.words.push_back({std::move(text), group}); }
  bool ok() const { return out_.error.empty(); }

  void expected(std::u16string_view what) {
    if (!ok()) return;
    out_.error = u"syntax error: expected " + std::u16string(what);
    out_.errorDetail = peek() == nullptr ? u"end of line" : peek()->text;
  }
  void refuse(std::u16string message, std::u16string_view detail) {
    if (!ok()) return;
    out_.error = std::move(message);
    out_.errorDetail = std::u16string(detail);
  }
  void end() {
    if (ok() && peek() != nullptr) expected(u"the end of the line");
  }

  // --- values and expressions
  std::optional<std::u16string> value();
  std::optional<std::u16string> expression();
  bool primary(std::u16string& text);
  bool emitValue(std::u16string_view what);
  bool emitExpression(std::u16string_view what);
  void optionalComma() { take(Kind::symbol, u","); }

  // --- lines
  void directive();
  bool labelDeclaration();
  void instruction();
  void tail();
  void jmp();
  void wait();
  void mov();
  bool movOperand(std::initializer_list<std::u16string_view> names, std::u16string_view what);
  void irq();
  void shiftDirective();
  void movStatus();
  void langOpt();

  const std::vector<Token>& t_;
  PioasmLine& out_;
  size_t pos_ = 0;
  size_t labelColon_ = 0;
};

bool Reader::primary(std::u16string& text) {
  const Token* token = peek();
  if (token == nullptr) return false;
  if (token->kind == Kind::number) {
    text += text::decimal(token->value);
  } else if (token->kind == Kind::name) {
    text += token->text;
  } else if (at(Kind::symbol, u"(")) {
    ++pos_;
    std::optional<std::u16string> inner = expression();
    if (!inner || !take(Kind::symbol, u")")) return false;
    text += u"(" + *inner + u")";
    return true;
  } else {
    return false;
  }
  ++pos_;
  return true;
}

// prefix* primary (operator prefix* primary)*, with "-" and "::" as prefixes.
std::optional<std::u16string> Reader::expression() {
  std::u16string text;
  for (;;) {
    while (at(Kind::symbol, u"-") || at(Kind::symbol, u"::")) text += t_[pos_++].text + u" ";
    if (!primary(text)) return std::nullopt;
    bool more = false;
    for (std::u16string_view op : kBinaryOperators) more = more || at(Kind::symbol, op);
    if (!more) return text;
    text += u" " + t_[pos_++].text + u" ";
  }
}

// A number, a name or a parenthesised expression.
std::optional<std::u16string> Reader::value() {
  std::u16string text;
  if (at(Kind::symbol, u"(")) {
    if (!primary(text)) return std::nullopt;
    return text;
  }
  if (!at(Kind::number) && !at(Kind::name)) return std::nullopt;
  primary(text);
  return u"(" + text + u")";
}

bool Reader::emitValue(std::u16string_view what) {
  std::optional<std::u16string> text = value();
  if (!text) {
    expected(what);
    return false;
  }
  emit(*text, true);
  return true;
}

bool Reader::emitExpression(std::u16string_view what) {
  std::optional<std::u16string> text = expression();
  if (!text) {
    expected(what);
    return false;
  }
  emit(u"(" + *text + u")", true);
  return true;
}

void Reader::line() {
  if (t_.empty()) return;
  if (at(Kind::directive)) {
    directive();
    return;
  }
  if (labelDeclaration()) {
    if (peek() == nullptr) {
      out_.kind = PioasmLineKind::label;
      out_.name = out_.labelName;
      return;
    }
  }
  if (ok()) instruction();
}

// [public | "*"] name ":"
bool Reader::labelDeclaration() {
  size_t name = at(Kind::keyword, u"public") || at(Kind::symbol, u"*") ? 1 : 0;
  if (!at(Kind::symbol, u":", name + 1)) return false;
  if (!at(Kind::name, {}, name)) {
    refuse(u"syntax error: a label needs a name that is no keyword", peek(name)->text);
    return false;
  }
  out_.labelName = peek(name)->text;
  out_.source.labelName = text::lower(out_.labelName) + u":";
  labelColon_ = peek(name + 1)->column;
  pos_ += name + 2;
  return true;
}

void Reader::instruction() {
  const Token* first = peek();
  static constexpr std::u16string_view kMnemonics[] = {u"nop",  u"jmp", u"wait", u"in",  u"out",
                                                       u"push", u"pull", u"mov", u"irq", u"set"};
  bool known = false;
  for (std::u16string_view mnemonic : kMnemonics) known = known || at(Kind::keyword, mnemonic);
  if (!known) {
    expected(u"an instruction, a directive or a label");
    return;
  }
  out_.kind = PioasmLineKind::instruction;
  out_.keyword = first->text;
  emit(first->text);
  ++pos_;
  const std::u16string& m = out_.keyword;
  if (m == u"jmp") {
    jmp();
  } else if (m == u"wait") {
    wait();
  } else if (m == u"in" || m == u"out" || m == u"set") {
    if (m == u"in" && at(Kind::keyword, u"status")) {
      refuse(u"in status is not supported: IN has no STATUS source", u"status");
    }
    bool operand = m == u"in"    ? word({u"pins", u"x", u"y", u"null", u"isr", u"osr"})
                   : m == u"out" ? word({u"pins", u"x", u"y", u"null", u"pindirs", u"isr", u"pc",
                                         u"exec"})
                                 : word({u"pins", u"x", u"y", u"pindirs"});
    if (!operand) expected(u"a source or destination");
    optionalComma();
    emitValue(u"a value");
  } else if (m == u"push" || m == u"pull") {
    word({m == u"push" ? u"iffull" : u"ifempty"});
    word({u"block", u"noblock"});
  } else if (m == u"mov") {
    mov();
  } else if (m == u"irq") {
    irq();
  }
  if (ok()) tail();
}

// [side value] ["[" expression "]"], in either order.
void Reader::tail() {
  bool side = false;
  bool delay = false;
  while (ok() && peek() != nullptr) {
    if (!side && take(Kind::keyword, u"side")) {
      side = out_.hasSide = true;
      emit(u"side");
      emitValue(u"a side-set value");
    } else if (!delay && take(Kind::symbol, u"[")) {
      delay = true;
      std::optional<std::u16string> text = expression();
      if (!text || !take(Kind::symbol, u"]")) {
        expected(u"a delay [expression]");
        return;
      }
      emit(u"[(" + *text + u")]");
    } else {
      expected(u"side, a [delay] or the end of the line");
    }
  }
}

void Reader::jmp() {
  if (take(Kind::symbol, u"!")) {
    if (!atKeyword({u"x", u"y", u"osre"})) return expected(u"x, y or osre after !");
    emit(u"!" + t_[pos_++].text);
  } else if (atKeyword({u"x", u"y"}) && at(Kind::symbol, u"--", 1)) {
    emit(t_[pos_].text + u"--");
    pos_ += 2;
  } else if (at(Kind::keyword, u"x") && at(Kind::symbol, u"!=", 1) && at(Kind::keyword, u"y", 2)) {
    emit(u"x!=y");
    pos_ += 3;
  } else {
    word({u"pin"});
  }
  optionalComma();
  emitExpression(u"a jump target");
}

void Reader::wait() {
  if (at(Kind::number) || at(Kind::name) || at(Kind::symbol, u"(")) emitValue(u"a polarity");
  if (word({u"irq"})) {
    word({u"prev", u"next"});
    optionalComma();
    if (emitValue(u"an irq number")) word({u"rel"});
  } else if (word({u"gpio", u"pin"})) {
    optionalComma();
    emitValue(u"a pin number");
  } else if (word({u"jmppin"})) {
    if (take(Kind::symbol, u"+")) emitValue(u"a pin offset");
  } else {
    expected(u"irq, gpio, pin or jmppin");
  }
}

// A mov operand; rxfifo[y] and rxfifo[index] stay one word.
bool Reader::movOperand(std::initializer_list<std::u16string_view> names, std::u16string_view what) {
  if (take(Kind::keyword, u"rxfifo")) {
    std::optional<std::u16string> index;
    if (take(Kind::symbol, u"[")) index = take(Kind::keyword, u"y") ? u"y" : value();
    if (!index || !take(Kind::symbol, u"]")) {
      expected(u"rxfifo[y] or rxfifo[index]");
      return false;
    }
    emit(u"rxfifo[" + *index + u"]");
    return true;
  }
  if (!word(names)) {
    expected(what);
    return false;
  }
  return true;
}

void Reader::mov() {
  if (!movOperand({u"pins", u"x", u"y", u"exec", u"pc", u"isr", u"osr", u"pindirs"},
                  u"a mov destination")) {
    return;
  }
  optionalComma();
  if (take(Kind::symbol, u"!") || take(Kind::symbol, u"~")) {
    emit(u"!");
  } else if (take(Kind::symbol, u"::")) {
    emit(u"::");
  }
  movOperand({u"pins", u"x", u"y", u"null", u"status", u"isr", u"osr"}, u"a mov source");
}

void Reader::irq() {
  word({u"prev", u"next"});
  word({u"clear", u"wait", u"nowait", u"set"});
  if (emitValue(u"an irq number")) word({u"rel"});
}

void Reader::directive() {
  const std::u16string name = t_[pos_++].text;
  out_.kind = PioasmLineKind::directive;
  out_.keyword = name;
  emit(name);
  if (name == u".program") {
    out_.kind = PioasmLineKind::program;
    if (!at(Kind::name)) return expected(u"a program name");
    out_.name = t_[pos_++].text;
  } else if (name == u".define") {
    out_.kind = PioasmLineKind::define;
    if (!take(Kind::keyword, u"public")) take(Kind::symbol, u"*");
    if (!at(Kind::name)) return expected(u"a name that is no keyword");
    out_.name = t_[pos_++].text;
    std::optional<std::u16string> text = expression();
    if (!text) return expected(u"an expression");
    out_.expression = *text;
  } else if (name == u".origin" || name == u".set") {
    emitValue(u"a value");
  } else if (name == u".word") {
    out_.kind = PioasmLineKind::instruction;
    emitValue(u"a value");
  } else if (name == u".side_set") {
    if (emitValue(u"a side-set bit count")) {
      word({u"optional"});
      word({u"pindirs"});
    }
  } else if (name == u".in" || name == u".out") {
    shiftDirective();
  } else if (name == u".pio_version") {
    if (!word({u"rp2040", u"rp2350"})) {
      if (!at(Kind::number)) return expected(u"0, 1, rp2040 or rp2350");
      emitValue(u"a version");
    }
  } else if (name == u".clock_div") {
    if (!at(Kind::number) && !at(Kind::fraction)) return expected(u"a divider such as 2 or 2.5");
    emit(t_[pos_++].text);
  } else if (name == u".fifo") {
    if (!word({u"txrx", u"tx", u"rx", u"txput", u"txget", u"putget"})) {
      return expected(u"txrx, tx or rx");
    }
  } else if (name == u".mov_status") {
    movStatus();
  } else if (name == u".lang_opt") {
    return langOpt();
  } else if (name != u".wrap_target" && name != u".wrap") {
    return refuse(u"unknown directive", name);
  }
  end();
}

// value [left|right] [auto|manual] [threshold]
void Reader::shiftDirective() {
  if (!emitValue(u"a pin count")) return;
  word({u"left", u"right"});
  word({u"auto", u"manual"});
  if (peek() != nullptr) emitValue(u"a threshold");
}

// txfifo < value | rxfifo < value | irq [next|prev] set value
void Reader::movStatus() {
  if (word({u"txfifo", u"rxfifo"})) {
    if (!take(Kind::symbol, u"<")) return expected(u"<");
    emit(u"<");
    emitValue(u"a level");
  } else if (word({u"irq"})) {
    word({u"next", u"prev"});
    if (!word({u"set"})) return expected(u"set");
    emitValue(u"an irq number");
  } else {
    expected(u"txfifo < n, rxfifo < n or irq set n");
  }
}

// language option = value: options for other tools' output, read and passed over.
void Reader::langOpt() {
  bool read = at(Kind::text) && at(Kind::text, {}, 1) && at(Kind::symbol, u"=", 2) &&
              (at(Kind::text, {}, 3) || at(Kind::number, {}, 3)) && t_.size() == pos_ + 4;
  if (!read) refuse(u"syntax error: expected .lang_opt language option = value", u".lang_opt");
}

}  // namespace

PioasmLine readPioasmLine(std::u16string_view line, LexState& state) {
  PioasmLine out;
  LexedLine lexed = lexPioasmLine(line, state);
  if (!lexed.error.empty()) {
    out.error = lexed.error;
    out.errorDetail = lexed.errorDetail;
    return out;
  }
  if (lexed.opensCodeBlock && !lexed.tokens.empty()) {
    out.error = u"syntax error: a % block starts a line of its own";
    out.errorDetail = u"%";
    return out;
  }
  Reader reader(lexed.tokens, out);
  reader.line();
  out.source.rest = line;
  if (!out.source.labelName.empty()) {
    size_t colon = reader.labelColon();
    out.source.labelText = line.substr(0, colon + 1);
    out.source.rest = line.substr(colon + 1);
  }
  return out;
}

}  // namespace pio
