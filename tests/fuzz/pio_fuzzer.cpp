// The PIO line reader and encoder: every line of the input is a line of a
// PIO block, read twice as a source with PIO blocks is, with the assembler
// options and block directives where the input names them; then the input
// is read whole as a .pio file.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "pio/file_translation.h"
#include "pio/pio_blocks.h"
#include "pio/pio_file.h"
#include "support/recording_logs.h"
#include "text/blanks.h"
#include "text/lines.h"
#include "text/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string input =
      text::decodeUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto lines = text::splitLines(input);
  testing_support::RecordingLogs logs;
  pio::PioBlocks blocks(logs);
  for (bool secondReading : {false, true}) {
    const pio::Reading reading = secondReading ? pio::Reading::second : pio::Reading::first;
    if (secondReading) blocks.restartReading();
    blocks.startBlock(reading);
    for (const std::u16string& line : lines) {
      if (text::isDirective(line, u"#PASMCFG")) {
        blocks.readOptions(line);
      } else if (text::isDirective(line, u"#PIOSTART")) {
        blocks.startBlock(reading);
      } else if (text::isDirective(line, u"#PIOEND")) {
        blocks.endBlock(reading, base::RunMode::pioCheck);
      } else if (!blocks.inBlock()) {
        continue;
      } else if (secondReading) {
        blocks.secondPassLine(line, true);
      } else {
        blocks.firstPassLine(line);
      }
    }
    blocks.endBlock(reading, base::RunMode::pioCheck);
  }
  pio::translatePioFile(std::make_shared<const pio::PioFile>(u"fuzz.pio", input), {}, logs, true);
  return 0;
}
