#include "pio/guidance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pio_test_support.h"

namespace {

using Lines = std::vector<std::u16string>;

const std::u16string kMarker = u"       ^^^^^^^^^^^^^^ ERROR THIS LINE ^^^^^^^^^^^^^^^^^^^^^^^^^^";
const std::u16string kClosing = u"       -----------------------------------------------------------";

Lines report(pio::ErrorKind kind, std::u16string_view message, std::u16string_view detail,
             pio::ReportMode mode = pio::ReportMode::plain) {
  pio_test::RecordingLogs logs;
  pio::PioAssembler pio;
  pio::reportPioError(pio, logs, kind, message, detail, mode);
  EXPECT_EQ(pio.symbols.errorCount, 1);
  EXPECT_EQ(logs.report.front(), kMarker);
  EXPECT_EQ(logs.report.back(), kClosing);
  return Lines(logs.report.begin() + 1, logs.report.end() - 1);
}

TEST(Guidance, JumpLabelBlock) {
  EXPECT_EQ(report(pio::ErrorKind::jmp, u"label not resolved ->", u"loop", pio::ReportMode::unresolvedLabel),
            (Lines{u"       label not resolved -> loop", u"        Check labels match in source"}));
}

TEST(Guidance, WaitBlock) {
  EXPECT_EQ(report(pio::ErrorKind::wait, u"polarity 0 or 1 expected", u"2"),
            (Lines{
                u"       !!! SYNTAX Error!!",
                u"       polarity 0 or 1 expected 2",
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
            }));
}

TEST(Guidance, MovBlock) {
  EXPECT_EQ(report(pio::ErrorKind::mov, u"Invalid source", u"!y"),
            (Lines{u"      !!! SYNTAX Error!!", u"      Invalid source !y"}));
}

TEST(Guidance, IrqBlock) {
  EXPECT_EQ(report(pio::ErrorKind::irq, u" Invalid interupt, valid interrupts values are (0-7). ", u"9"),
            (Lines{
                u"      !!! SYNTAX Error!!",
                u"       Invalid interupt, valid interrupts values are (0-7).  9",
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
            }));
}

TEST(Guidance, SetBlock) {
  EXPECT_EQ(report(pio::ErrorKind::set, u"Invalid destination", u"foo"),
            (Lines{
                u"      !!! SYNTAX Error!!",
                u"      Invalid destination foo",
                u"       Allowed syntax are: ",
                u"         SET <destination> <value. ",
                u"         SET [PINS|X|Y|PINDIRS] <value>",
                u"         <value> is 0-31 and is applied the 5 data bits",
            }));
}

TEST(Guidance, DirectiveAndOtherKinds) {
  EXPECT_EQ(report(pio::ErrorKind::dir, u".status_n Invalid Value 20", u"0-15"),
            (Lines{u"      !!! DIRECTIVE OUT of RANGE!!",
                   u"      .status_n Invalid Value 20 Allowed value: 0-15"}));
  EXPECT_EQ(report(pio::ErrorKind::delay, u"Delay value > allowed maximum of 7", u"9"),
            (Lines{u"       Delay value > allowed maximum of 7 (9)"}));
  EXPECT_EQ(report(pio::ErrorKind::side, u".SIDE_SET x opt  must be at least 2 when OPT is used", u"1"),
            (Lines{u"       .SIDE_SET x opt  must be at least 2 when OPT is used (1)"}));
  EXPECT_EQ(report(pio::ErrorKind::gen, u".wrap resolves to > 31", u"32"),
            (Lines{u"       .wrap resolves to > 31 (32)"}));
}

}  // namespace
