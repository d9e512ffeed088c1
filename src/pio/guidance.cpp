#include "pio/guidance.h"

#include <initializer_list>
#include <string>

#include "base/logs.h"
#include "pio/pio_assembler.h"

namespace pio {

namespace {

constexpr std::u16string_view kMarker =
    u"       ^^^^^^^^^^^^^^ ERROR THIS LINE ^^^^^^^^^^^^^^^^^^^^^^^^^^";
constexpr std::u16string_view kClosing =
    u"       -----------------------------------------------------------";
constexpr std::u16string_view kSyntaxError6 = u"      !!! SYNTAX Error!!";

constexpr std::u16string_view kWaitHelp[] = {
    u"        Allowed syntax are: ",
    u"           WAIT <polarity> GPIO <gpio_num> ",
    u"           WAIT <polarity> PIN <pin_num>",
    u"           WAIT <polarity> IRQ <irq_num> (rel)",
    u"           ()brackets indicates parameter is optional",
    u"           polarity is 0 or 1",
    u"           gpio_num is actual GPIO pin number 1-32",
    u"           pin_num indexes a pin in the state machine s PINCTRL register",
    u"           irq_num is irq number to wait on 0-7",
    u"           irq_num rel will accept irq 0-7 ",
};

constexpr std::u16string_view kIrqHelp[] = {
    u"       Allowed syntax are: ",
    u"         IRQ <irq_num> (_rel) ",
    u"         IRQ SET <irq_num> (_rel)",
    u"         IRQ NOWAIT <irq_num> (_rel)",
    u"         IRQ WAIT <irq_num> (_rel)",
    u"         IRQ CLEAR <irq_num> (_rel) ",
    u"         ()brackets indicates parameter is optional",
    u"         polarity is 0 or 1",
    u"         gpio_num is actual GPIO pin number 1-32",
    u"         pin_num indexes a pin in the state machine's PINCTRL register",
    u"         irq_num is irq number to wait on 0-7",
    u"         irq_num rel will accept irq 0-7??????????????? ",
};

constexpr std::u16string_view kSetHelp[] = {
    u"       Allowed syntax are: ",
    u"         SET <destination> <value. ",
    u"         SET [PINS|X|Y|PINDIRS] <value>",
    u"         <value> is 0-31 and is applied the 5 data bits",
};

template <size_t N>
void writeAll(base::Logs& logs, const std::u16string_view (&lines)[N]) {
  for (std::u16string_view line : lines) logs.pioErrorLine(line);
}

std::u16string joined(std::initializer_list<std::u16string_view> parts) {
  std::u16string out;
  for (std::u16string_view part : parts) out += part;
  return out;
}

// The line of a block that states the error, without its indent.
std::u16string statement(ErrorKind kind, std::u16string_view message, std::u16string_view detail,
                         ReportMode mode) {
  const bool unresolvedLabel = kind == ErrorKind::jmp && mode == ReportMode::unresolvedLabel;
  if (unresolvedLabel || kind == ErrorKind::wait || kind == ErrorKind::mov || kind == ErrorKind::irq ||
      kind == ErrorKind::set) {
    return joined({message, u" ", detail});
  }
  if (kind == ErrorKind::dir) return joined({message, u" Allowed value: ", detail});
  return joined({message, u" (", detail, u")"});
}

void writeBlock(base::Logs& logs, ErrorKind kind, std::u16string_view stated, ReportMode mode) {
  if (kind == ErrorKind::jmp && mode == ReportMode::unresolvedLabel) {
    logs.pioErrorLine(joined({u"       ", stated}));
    logs.pioErrorLine(u"        Check labels match in source");
  } else if (kind == ErrorKind::wait) {
    logs.pioErrorLine(u"       !!! SYNTAX Error!!");
    logs.pioErrorLine(joined({u"       ", stated}));
    writeAll(logs, kWaitHelp);
  } else if (kind == ErrorKind::mov) {
    logs.pioErrorLine(kSyntaxError6);
    logs.pioErrorLine(joined({u"      ", stated}));
  } else if (kind == ErrorKind::irq) {
    logs.pioErrorLine(kSyntaxError6);
    logs.pioErrorLine(joined({u"      ", stated}));
    writeAll(logs, kIrqHelp);
  } else if (kind == ErrorKind::set) {
    logs.pioErrorLine(kSyntaxError6);
    logs.pioErrorLine(joined({u"      ", stated}));
    writeAll(logs, kSetHelp);
  } else if (kind == ErrorKind::dir) {
    logs.pioErrorLine(u"      !!! DIRECTIVE OUT of RANGE!!");
    logs.pioErrorLine(joined({u"      ", stated}));
  } else {
    logs.pioErrorLine(joined({u"       ", stated}));
  }
}

std::u16string_view trimmed(std::u16string_view s) {
  while (!s.empty() && s.front() == u' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == u' ') s.remove_suffix(1);
  return s;
}

}  // namespace

void reportPioError(PioAssembler& pio, base::Logs& logs, ErrorKind kind,
                    std::u16string_view message, std::u16string_view detail, ReportMode mode) {
  logs.pioErrorLine(kMarker);
  ++pio.symbols.errorCount;
  const std::u16string stated = statement(kind, message, detail, mode);
  const base::SourceLocation place{std::u16string(pio.place.file), pio.place.line};
  pio.symbols.diagnostics.push_back({place.file, place.line, std::u16string(trimmed(stated))});
  writeBlock(logs, kind, stated, mode);
  logs.pioErrorLine(kClosing);
  logs.pioErrorFound(stated, place);
}

}  // namespace pio
