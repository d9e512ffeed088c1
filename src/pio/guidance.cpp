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

void writeBlock(base::Logs& logs, ErrorKind kind, std::u16string_view message,
                std::u16string_view detail, ReportMode mode) {
  if (kind == ErrorKind::jmp && mode == ReportMode::unresolvedLabel) {
    logs.pioErrorLine(joined({u"       ", message, u" ", detail}));
    logs.pioErrorLine(u"        Check labels match in source");
  } else if (kind == ErrorKind::wait) {
    logs.pioErrorLine(u"       !!! SYNTAX Error!!");
    logs.pioErrorLine(joined({u"       ", message, u" ", detail}));
    writeAll(logs, kWaitHelp);
  } else if (kind == ErrorKind::mov) {
    logs.pioErrorLine(kSyntaxError6);
    logs.pioErrorLine(joined({u"      ", message, u" ", detail}));
  } else if (kind == ErrorKind::irq) {
    logs.pioErrorLine(kSyntaxError6);
    logs.pioErrorLine(joined({u"      ", message, u" ", detail}));
    writeAll(logs, kIrqHelp);
  } else if (kind == ErrorKind::set) {
    logs.pioErrorLine(kSyntaxError6);
    logs.pioErrorLine(joined({u"      ", message, u" ", detail}));
    writeAll(logs, kSetHelp);
  } else if (kind == ErrorKind::dir) {
    logs.pioErrorLine(u"      !!! DIRECTIVE OUT of RANGE!!");
    logs.pioErrorLine(joined({u"      ", message, u" Allowed value: ", detail}));
  } else {
    logs.pioErrorLine(joined({u"       ", message, u" (", detail, u")"}));
  }
}

std::u16string_view trimmed(std::u16string_view s) {
  while (!s.empty() && s.front() == u' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == u' ') s.remove_suffix(1);
  return s;
}

}  // namespace

std::u16string diagnosticMessage(ErrorKind kind, std::u16string_view message,
                                 std::u16string_view detail, ReportMode mode) {
  std::u16string text(trimmed(message));
  if (kind == ErrorKind::dir) return text + u" Allowed value: " + std::u16string(detail);
  bool plain = kind == ErrorKind::gen || kind == ErrorKind::side || kind == ErrorKind::delay ||
               (kind == ErrorKind::jmp && mode == ReportMode::plain);
  if (plain) return text + u" (" + std::u16string(detail) + u")";
  return text + u" " + std::u16string(detail);
}

void reportPioError(PioAssembler& pio, base::Logs& logs, ErrorKind kind,
                    std::u16string_view message, std::u16string_view detail, ReportMode mode) {
  logs.pioErrorLine(kMarker);
  ++pio.symbols.errorCount;
  pio.symbols.diagnostics.push_back({std::u16string(pio.place.file), pio.place.line,
                                     diagnosticMessage(kind, message, detail, mode)});
  writeBlock(logs, kind, message, detail, mode);
  logs.pioErrorLine(kClosing);
}

}  // namespace pio
