' Drive a strip of WS2812 LEDs from PIO 0, state machine 0, on GP15.
' Each 24-bit colour is shifted out MSB first; the side-set pin makes the
' long and short pulses the LEDs read as 1 and 0.
#REPLACE LED_COUNT 8

#PIOSTART
.program ws2812
.pio 0
.sm 0
.origin 0
.side_set 1
.define public DATA_PIN 15
.sideset_base DATA_PIN
.out_shiftdir 0         ' shift left: most significant bit first
.autopull 1
.pull_threshold 24      ' a fresh word every 24 bits
.fjoin_tx 1             ' both FIFOs for sending
.frequency 8000000      ' 10 cycles a bit at 800 kHz
.wrap_target
bitloop:
    out x, 1       side 0 [2]   ' low for the end of the last bit
    jmp !x do_zero side 1 [1]   ' every bit starts high
do_one:
    jmp bitloop    side 1 [4]   ' a 1 stays high longer
do_zero:
    nop            side 0 [4]   ' a 0 drops early
.wrap
#PIOEND

Dim colours%(LED_COUNT - 1)
Dim i%
For i% = 0 To LED_COUNT - 1
  colours%(i%) = RGB(i% * 32, 0, 255 - i% * 32)
Next i%
For i% = 0 To LED_COUNT - 1
  PIO WRITE 0, 0, 1, colours%(i%) << 8  ' the top 24 bits go out
Next i%
