#include "pio/pioasm_reader.h"

#include <initializer_list>
#include <optional>
#include <vector>

#include "pio/pioasm_cursor.h"
#include "text/case_table.h"

// The instructions' grammar, as the reference assembler has it.

namespace pio {

namespace {

using Kind = TokenKind;

constexpr std::u16string_view kMnemonics[] = {u"nop",  u"jmp",  u"wait", u"in",  u"out",
                                              u"push", u"pull", u"mov",  u"irq", u"set"};

// [side value] ["[" expression "]"], in either order.
void tail(PioasmCursor& c) {
  bool side = false;
  bool delay = false;
  while (c.ok() && c.peek() != nullptr) {
    if (!side && c.take(Kind::keyword, u"side")) {
      side = c.out().hasSide = true;
      c.emit(u"side");
      c.emitValue(u"a side-set value");
    } else if (!delay && c.take(Kind::symbol, u"[")) {
      delay = true;
      std::optional<std::u16string> text = c.expression();
      if (!text || !c.take(Kind::symbol, u"]")) return c.expected(u"a delay [expression]");
      c.emit(u"[(" + *text + u")]");
    } else {
      c.expected(u"side, a [delay] or the end of the line");
    }
  }
}

// [condition] [","] target, the condition written as one word.
void jmp(PioasmCursor& c) {
  if (c.take(Kind::symbol, u"!")) {
    if (!c.atKeyword({u"x", u"y", u"osre"})) return c.expected(u"x, y or osre after !");
    c.emit(u"!" + c.next());
  } else if (c.atKeyword({u"x", u"y"}) && c.at(Kind::symbol, u"--", 1)) {
    c.emit(c.next() + u"--");
    c.skip(1);
  } else if (c.at(Kind::keyword, u"x") && c.at(Kind::symbol, u"!=", 1) && c.at(Kind::keyword, u"y", 2)) {
    c.emit(u"x!=y");
    c.skip(3);
  } else {
    c.word({u"pin"});
  }
  c.optionalComma();
  c.emitExpression(u"a jump target");
}

// [polarity] source
void wait(PioasmCursor& c) {
  if (c.at(Kind::number) || c.at(Kind::name) || c.at(Kind::symbol, u"(")) c.emitValue(u"a polarity");
  if (c.word({u"irq"})) {
    c.word({u"prev", u"next"});
    c.optionalComma();
    if (c.emitValue(u"an irq number")) c.word({u"rel"});
  } else if (c.word({u"gpio", u"pin"})) {
    c.optionalComma();
    c.emitValue(u"a pin number");
  } else if (c.word({u"jmppin"})) {
    if (c.take(Kind::symbol, u"+")) {
      c.emit(u"+");
      c.emitValue(u"a pin offset");
    }
  } else {
    c.expected(u"irq, gpio, pin or jmppin");
  }
}

// A mov operand; rxfifo[y] and rxfifo[index] stay one word, a number or name
// as the index without the parentheses of a group, so that it reads as written.
bool movOperand(PioasmCursor& c, std::initializer_list<std::u16string_view> names,
                std::u16string_view what) {
  if (c.take(Kind::keyword, u"rxfifo")) {
    std::optional<std::u16string> index;
    if (c.take(Kind::symbol, u"[")) {
      const bool plain = !c.at(Kind::symbol, u"(");
      index = c.take(Kind::keyword, u"y") ? u"y" : c.value();
      if (index && plain && *index != u"y") *index = index->substr(1, index->size() - 2);
    }
    if (!index || !c.take(Kind::symbol, u"]")) {
      c.expected(u"rxfifo[y] or rxfifo[index]");
      return false;
    }
    c.emit(u"rxfifo[" + *index + u"]");
    return true;
  }
  if (!c.word(names)) c.expected(what);
  return c.ok();
}

// destination [","] [operator] source
void mov(PioasmCursor& c) {
  if (!movOperand(c, {u"pins", u"x", u"y", u"exec", u"pc", u"isr", u"osr", u"pindirs"},
                  u"a mov destination")) {
    return;
  }
  c.optionalComma();
  if (c.take(Kind::symbol, u"!") || c.take(Kind::symbol, u"~")) {
    c.emit(u"!");
  } else if (c.take(Kind::symbol, u"::")) {
    c.emit(u"::");
  }
  movOperand(c, {u"pins", u"x", u"y", u"null", u"status", u"isr", u"osr"}, u"a mov source");
}

// in, out and set: operand [","] value
void shift(PioasmCursor& c, const std::u16string& mnemonic) {
  if (mnemonic == u"in" && c.at(Kind::keyword, u"status")) {
    c.refuse(u"in status is not supported: IN has no STATUS source", u"status");
  }
  bool operand = mnemonic == u"in"    ? c.word({u"pins", u"x", u"y", u"null", u"isr", u"osr"})
                 : mnemonic == u"out" ? c.word({u"pins", u"x", u"y", u"null", u"pindirs", u"isr",
                                                u"pc", u"exec"})
                                      : c.word({u"pins", u"x", u"y", u"pindirs"});
  if (!operand) c.expected(u"a source or destination");
  c.optionalComma();
  c.emitValue(u"a value");
}

void instruction(PioasmCursor& c) {
  bool known = false;
  for (std::u16string_view mnemonic : kMnemonics) known = known || c.at(Kind::keyword, mnemonic);
  if (!known) return c.expected(u"an instruction, a directive or a label");
  PioasmLine& out = c.out();
  out.kind = PioasmLineKind::instruction;
  out.keyword = c.next();
  c.emit(out.keyword);
  const std::u16string& m = out.keyword;
  if (m == u"jmp") {
    jmp(c);
  } else if (m == u"wait") {
    wait(c);
  } else if (m == u"in" || m == u"out" || m == u"set") {
    shift(c, m);
  } else if (m == u"push" || m == u"pull") {
    c.word({m == u"push" ? u"iffull" : u"ifempty"});
    c.word({u"block", u"noblock"});
  } else if (m == u"mov") {
    mov(c);
  } else if (m == u"irq") {
    c.word({u"prev", u"next"});
    c.word({u"clear", u"wait", u"nowait", u"set"});
    if (c.emitValue(u"an irq number")) c.word({u"rel"});
  }
  if (c.ok()) tail(c);
}

// [public | "*"] name ":"; the colon's column, or nullopt when the line has
// no label.
std::optional<size_t> labelDeclaration(PioasmCursor& c) {
  size_t name = c.at(Kind::keyword, u"public") || c.at(Kind::symbol, u"*") ? 1 : 0;
  if (!c.at(Kind::symbol, u":", name + 1)) return std::nullopt;
  if (!c.at(Kind::name, {}, name)) {
    c.refuse(u"syntax error: a label needs a name that is no keyword", c.peek(name)->text);
    return std::nullopt;
  }
  PioasmLine& out = c.out();
  out.labelName = c.peek(name)->text;
  out.source.labelName = text::lower(out.labelName) + u":";
  size_t colon = c.peek(name + 1)->column;
  c.skip(name + 2);
  return colon;
}

}  // namespace

PioasmLine readPioasmLine(std::u16string_view line, LexState& state) {
  PioasmLine out;
  LexedLine lexed = lexPioasmLine(line, state);
  out.source.rest = line;
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
  if (lexed.tokens.empty()) return out;
  PioasmCursor c(lexed.tokens, out);
  if (c.at(Kind::directive)) {
    readPioasmDirective(c);
    return out;
  }
  if (std::optional<size_t> colon = labelDeclaration(c)) {
    out.source.labelText = line.substr(0, *colon + 1);
    out.source.rest = line.substr(*colon + 1);
    if (c.peek() == nullptr) {
      out.kind = PioasmLineKind::label;
      out.name = out.labelName;
      return out;
    }
  }
  if (c.ok()) instruction(c);
  return out;
}

}  // namespace pio
