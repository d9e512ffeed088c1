#include "pio/register_display.h"

#include <string>

#include "base/logs.h"
#include "pio/line_pass.h"
#include "pio/options.h"
#include "pio/pio_assembler.h"
#include "text/numbers.h"

namespace pio {

namespace {

std::u16string bits(int64_t value) { return text::binary(static_cast<uint64_t>(value), 32); }

}  // namespace

int showRegisterChange(const PioContext& ctx, RegisterKind registerKind, int64_t oldValue,
                       std::u16string_view label, std::u16string_view line) {
  if (!ctx.options.showRegs) return kResultDirective;
  const StateMachineConfig& config = ctx.pio.config();
  ctx.logs.pioErrorLine(line);
  ctx.logs.pioErrorLine(u"3322222222221111111111 -Bits " + std::u16string(label));
  ctx.logs.pioErrorLine(u"10987654321098765432109876543210");
  ctx.logs.pioErrorLine(bits(oldValue));
  switch (registerKind) {
    case RegisterKind::execctrl:
      ctx.logs.pioErrorLine(bits(config.execctrl) + u"(EXECCTRL)");
      break;
    case RegisterKind::pinctrl:
      ctx.logs.pioErrorLine(bits(config.pinctrl) + u"(PINCTRL)");
      break;
    case RegisterKind::shiftctrl:
      ctx.logs.pioErrorLine(bits(config.shiftctrl) + u"(SHIFTCTRL)");
      break;
    default:
      ctx.logs.pioErrorLine(u"Internal fault - Unknown register passed To writeparmerro");
      break;
  }
  ctx.logs.pioErrorLine(u"");
  return kResultNoWord;
}

}  // namespace pio
