#pragma once

namespace pio {

class PioLine;

// Directives that configure a state machine in one line, each setting its
// fields outright. Each returns the line's result: the register display
// result, or -3 after an error (nothing changed then).

/// ".fifo txrx|tx|rx": the FIFO joins, SHIFTCTRL bits 31 and 30.
int fifoDirective(PioLine& line);

/// ".in 32 [left|right] [auto|manual] [threshold]": IN shift direction,
/// autopush and push threshold.
int inDirective(PioLine& line);

/// ".out N [left|right] [auto|manual] [threshold]": OUT pin count, OUT shift
/// direction, autopull and pull threshold.
int outDirective(PioLine& line);

/// ".set N": the SET pin count, as ".set_count".
int setDirective(PioLine& line);

/// ".mov_status txfifo < n" or "rxfifo < n": EXECCTRL status select and
/// level.
int movStatusDirective(PioLine& line);

/// ".pio_version 0" (or rp2040) is accepted; version 1 needs the RP2350.
int pioVersionDirective(PioLine& line);

/// ".clock_div" is refused: the frequency is given with ".frequency".
int clockDivDirective(PioLine& line);

}  // namespace pio
