#include "pio/register_display.h"

#include <string>

#include "base/logs.h"
#include "pio/options.h"
#include "pio/pio_assembler.h"
#include "text/numbers.h"

namespace pio {

namespace {

std::u16string bits(int64_t value) { return text::binary(static_cast<uint64_t>(value), 32); }

}  // namespace

LineResult showRegisterChange(const PioContext& ctx, RegisterKind registerKind, int64_t oldValue,
                              std::u16string_view label, std::u16string_view line) {
  if (!ctx.options.showRegs) return Outcome::directive;
  ctx.logs.pioErrorLine(line);
  ctx.logs.pioErrorLine(u"3322222222221111111111 -Bits " + std::u16string(label));
  ctx.logs.pioErrorLine(u"10987654321098765432109876543210");
  ctx.logs.pioErrorLine(bits(oldValue));
  std::u16string_view name = registerName(registerKind);
  if (name.empty()) {
    ctx.logs.pioErrorLine(u"Internal fault - Unknown register passed To writeparmerro");
  } else {
    ctx.logs.pioErrorLine(bits(ctx.pio.registers().of(registerKind)) + u"(" + std::u16string(name) +
                          u")");
  }
  ctx.logs.pioErrorLine(u"");
  return Outcome::noWord;
}

}  // namespace pio
