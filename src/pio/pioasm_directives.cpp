#include <optional>
#include <string>

#include "pio/pioasm_cursor.h"

// The directives' grammar, as the reference assembler has it.

namespace pio {

namespace {

using Kind = TokenKind;

// value [left|right] [auto|manual] [threshold]
void shiftDirective(PioasmCursor& c) {
  if (!c.emitValue(u"a pin count")) return;
  c.word({u"left", u"right"});
  c.word({u"auto", u"manual"});
  if (c.peek() != nullptr) c.emitValue(u"a threshold");
}

// txfifo < value | rxfifo < value | irq [next|prev] set value
void movStatus(PioasmCursor& c) {
  if (c.word({u"txfifo", u"rxfifo"})) {
    if (!c.take(Kind::symbol, u"<")) return c.expected(u"<");
    c.emit(u"<");
    c.emitValue(u"a level");
  } else if (c.word({u"irq"})) {
    c.word({u"next", u"prev"});
    if (!c.word({u"set"})) return c.expected(u"set");
    c.emitValue(u"an irq number");
  } else {
    c.expected(u"txfifo < n, rxfifo < n or irq set n");
  }
}

// language option = value: options for other tools' output, read and passed
// over; the rest of the line holds no comment.
void langOpt(PioasmCursor& c) {
  bool read = c.at(Kind::text) && c.at(Kind::text, {}, 1) && c.at(Kind::symbol, u"=", 2) &&
              (c.at(Kind::text, {}, 3) || c.at(Kind::number, {}, 3)) && c.peek(4) == nullptr;
  if (!read) c.refuse(u"syntax error: expected .lang_opt language option = value", u".lang_opt");
}

// The directives that name something: ".program NAME", ".define NAME expr".
bool namingDirective(PioasmCursor& c, const std::u16string& name) {
  PioasmLine& out = c.out();
  if (name == u".program") {
    out.kind = PioasmLineKind::program;
    if (!c.at(Kind::name)) return c.expected(u"a program name"), true;
    out.name = c.next();
    return true;
  }
  if (name != u".define") return false;
  out.kind = PioasmLineKind::define;
  if (!c.take(Kind::keyword, u"public")) c.take(Kind::symbol, u"*");
  if (!c.at(Kind::name)) return c.expected(u"a name that is no keyword"), true;
  out.name = c.next();
  std::optional<std::u16string> text = c.expression();
  if (!text) return c.expected(u"an expression"), true;
  out.expression = *text;
  return true;
}

// The rest, which configure or place the program.
void settingDirective(PioasmCursor& c, const std::u16string& name) {
  if (name == u".origin" || name == u".set") {
    c.emitValue(u"a value");
  } else if (name == u".word") {
    c.out().kind = PioasmLineKind::instruction;
    c.emitValue(u"a value");
  } else if (name == u".side_set") {
    if (c.emitValue(u"a side-set bit count")) {
      c.word({u"optional"});
      c.word({u"pindirs"});
    }
  } else if (name == u".in" || name == u".out") {
    shiftDirective(c);
  } else if (name == u".pio_version") {
    if (!c.word({u"rp2040", u"rp2350"})) {
      if (!c.at(Kind::number)) return c.expected(u"0, 1, rp2040 or rp2350");
      c.emitValue(u"a version");
    }
  } else if (name == u".clock_div") {
    if (!c.at(Kind::number) && !c.at(Kind::fraction)) return c.expected(u"a divider such as 2 or 2.5");
    c.emit(c.next());
  } else if (name == u".fifo") {
    if (!c.word({u"txrx", u"tx", u"rx", u"txput", u"txget", u"putget"})) return c.expected(u"txrx, tx or rx");
  } else if (name == u".mov_status") {
    movStatus(c);
  } else if (name != u".wrap_target" && name != u".wrap") {
    c.refuse(u"unknown directive", name);
  }
}

}  // namespace

void readPioasmDirective(PioasmCursor& c) {
  const std::u16string name = c.next();
  PioasmLine& out = c.out();
  out.kind = PioasmLineKind::directive;
  out.keyword = name;
  c.emit(name);
  if (name == u".lang_opt") return langOpt(c);
  if (!namingDirective(c, name)) settingDirective(c, name);
  c.end();
}

}  // namespace pio
