#pragma once

#include <initializer_list>

#include "pio/line_result.h"
#include "pio/register_fields.h"

namespace pio {

class PioLine;

// Directives that configure a state machine in one line, each setting its
// fields outright. Each returns the line's result: the register display
// result, or no word after an error (nothing changed then).

/// ".fifo txrx|tx|rx": the FIFO joins FJOIN_RX and FJOIN_TX.
LineResult fifoDirective(PioLine& line);

/// ".in 32 [left|right] [auto|manual] [threshold]": IN shift direction,
/// autopush and push threshold.
LineResult inDirective(PioLine& line);

/// ".out N [left|right] [auto|manual] [threshold]": OUT pin count, OUT shift
/// direction, autopull and pull threshold.
LineResult outDirective(PioLine& line);

/// ".set N": the SET pin count, as ".set_count".
LineResult setDirective(PioLine& line);

/// ".mov_status txfifo < n" or "rxfifo < n": EXECCTRL status select and
/// level.
LineResult movStatusDirective(PioLine& line);

/// ".pio_version 0" (or rp2040) is accepted; version 1 needs the RP2350.
LineResult pioVersionDirective(PioLine& line);

/// Sets the fields, all of one register, to their values and shows the
/// change under their labels in the order given. A block's own line notes
/// the fields as the block's; a .pio file's line leaves those alone.
LineResult setFieldsShown(PioLine& line, std::initializer_list<FieldValue> values);

/// Whether the line may set the field, or the pin count that goes with it: a
/// block's own line always may, a .pio file's line only where the block's
/// lines have not.
bool programMaySet(const PioLine& line, Field field);

/// ".clock_div D": in a block refused, since the frequency is given with
/// ".frequency"; in a .pio file the board's clock divided by D, in 1/256
/// steps as the reference assembler reads it.
LineResult clockDivDirective(PioLine& line);

}  // namespace pio
