#include "app/shell_help.h"

#include "app/run_state.h"

namespace app {

std::u16string shellHelp() {
  return u"Usage: prexle [OPTION]... SOURCE\n"
         u"Prepare the MMBasic program SOURCE for a Maximite-family computer: expand its\n"
         u"includes, evaluate its conditionals, apply its #REPLACE words, strip comments,\n"
         u"assemble its PIO programs, and write the result as one flat program.\n"
         u"A SOURCE ending in .pio is a file of PIO programs written for pioasm: each\n"
         u"program becomes the MMBasic commands that load, configure and start it, on\n"
         u"state machines 0, 1, ... of one PIO block, written to standard output\n"
         u"unless -o names a file.\n"
         u"\n"
         u"  -m, --mode=MODE        corvane (comments kept; the default), brisko (comments\n"
         u"                           stripped) or piocheck (as corvane, and the PIO\n"
         u"                           report is always made); in any case\n"
         u"  -o, --output=FILE      write the result to FILE, or to standard output when\n"
         u"                           FILE is -; by default where the editor puts it:\n"
         u"                           NAME_x.EXT beside SOURCE, or X/NAME.EXT in brisko mode\n"
         u"      --line-map=FILE    write the line map of a brisko run to FILE\n"
         u"      --pio-report=FILE  write the PIO report to FILE (- for standard output)\n"
         u"      --log=FILE         write the #DEBUG run log to FILE (- for standard output)\n"
         u"      --data=DIR         the data folder, which holds the settings file\n"
         u"                           MMmodule.inf; by default $XDG_DATA_HOME/prexle or\n"
         u"                           ~/.local/share/prexle (on Windows the editor's own),\n"
         u"                           made when missing\n"
         u"      --host=DIR         the folder of the companion programs: the array\n"
         u"                           generator Vemtor.exe that #ARRAYGENERATE runs\n"
         u"      --pio=N            the PIO block the programs of a .pio SOURCE go to\n"
         u"                           (default 0)\n"
         u"      --chip=CHIP        rp2040 (the default) or rp2350: the chip of every PIO\n"
         u"                           program that names none (.chip, .pio_version 1);\n"
         u"                           for a .pio SOURCE, the one its programs ask for;\n"
         u"                           .pio programs read for the rp2350 are PIO\n"
         u"                           version 1 unless they say 0 (pioasm -v 1)\n"
         u"  -h, --help             print this help and exit\n"
         u"      --version          print the version and exit\n"
         u"\n"
         u"Errors and notes go to standard error as FILE:LINE: error: MESSAGE (or\n"
         u"prexle: error: MESSAGE when they belong to no line). No program is started and\n"
         u"no window is opened.\n"
         u"\n"
         u"Exit status: 0 when the result was written and no PIO program had an error;\n"
         u"1 after errors in the source (a fatal one leaves the previous result as it\n"
         u"was); 2 after a usage error.\n"
         u"\n"
         u"Started with exactly three parameters, none beginning with -, prexle is the\n"
         u"editor's tool: prexle SOURCE HOST-FOLDER Brisko|Corvane|PIOCHECK.\n";
}

std::u16string shellVersion() { return u"prexle " + std::u16string(kVersionText) + u"\n"; }

std::u16string helpHint() { return u"Try 'prexle --help' for more information.\n"; }

}  // namespace app
