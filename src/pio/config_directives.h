#pragma once

#include "pio/line_result.h"

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

/// ".clock_div" is refused: the frequency is given with ".frequency".
LineResult clockDivDirective(PioLine& line);

}  // namespace pio
