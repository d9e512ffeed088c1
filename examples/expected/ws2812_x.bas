' Drive a strip of WS2812 LEDs from PIO 0, state machine 0, on GP15.
' Each 24-bit colour is shifted out MSB first; the side-set pin makes the
' long and short pulses the LEDs read as 1 and 0.
'#REPLACE 8 8

'
'.program ws2812
'.pio 0
'.sm 0
'.origin 0
'.side_set 1
'.define public DATA_PIN 15
'.sideset_base DATA_PIN
'.out_shiftdir 0         ' shift left: most significant bit first
'.autopull 1
'.pull_threshold 24      ' a fresh word every 24 bits
'.fjoin_tx 1             ' both FIFOs for sending
'.frequency 8000000      ' 10 cycles a bit at 800 kHz
'.wrap_target
'bitloop:
'    out x, 1       side 0 [2]   ' low for the end of the last bit
'    jmp !x do_zero side 1 [1]   ' every bit starts high
'do_one:
'    jmp bitloop    side 1 [4]   ' a 1 stays high longer
'do_zero:
'    nop            side 0 [4]   ' a 0 drops early
'.wrap
'&h00 &h6221 OUT X 1                 SIDE &b0(GP15)[2]       ; low for the end of the last bit
'&h01 &h1123 JMP !X do_zero          SIDE &b1(GP15)[1]       ; every bit starts high
'&h02 &h1400 JMP bitloop             SIDE &b1(GP15)[4]       ; a 1 stays high longer
'&h03 &hA442 NOP                     SIDE &b0(GP15)[4]       ; a 0 drops early


'---Start of Generated Code and Commands---
' PIO=0 State Machine=0 Program= ws2812

'--- Generated Instruction Summary ---
'addr instr  source                      original comments
'---- ------ ----------------------      -----------------
'&h00 &h6221 OUT X 1                 SIDE &b0(GP15)[2]       ; low for the end of the last bit
'&h01 &h1123 JMP !X do_zero          SIDE &b1(GP15)[1]       ; every bit starts high
'&h02 &h1400 JMP bitloop             SIDE &b1(GP15)[4]       ; a 1 stays high longer
'&h03 &hA442 NOP                     SIDE &b0(GP15)[4]       ; a 0 drops early

'--- MMBasic Commands ---
'.wrap_target
'bitloop:
PIO PROGRAM LINE 0,&h00,&h6221  'OUT X 1                 SIDE &b0(GP15)[2]       ; low for the end of the last bit
PIO PROGRAM LINE 0,&h01,&h1123  'JMP !X do_zero          SIDE &b1(GP15)[1]       ; every bit starts high
'do_one:
PIO PROGRAM LINE 0,&h02,&h1400  'JMP bitloop             SIDE &b1(GP15)[4]       ; a 1 stays high longer
'do_zero:
PIO PROGRAM LINE 0,&h03,&hA442  'NOP                     SIDE &b0(GP15)[4]       ; a 0 drops early
'.wrap

SETPIN GP0,PIO0 'SET
SETPIN GP1,PIO0 'SET
SETPIN GP2,PIO0 'SET
SETPIN GP3,PIO0 'SET
SETPIN GP4,PIO0 'SET
SETPIN GP15,PIO0 'SIDESET

PIO INIT MACHINE 0,0,8000000,&H34003C00,&H3000,&H70060000,&H0
PIO START 0,0

'-------------------------- End of Generated Commands ------------------------------------------------

Dim colours%(8 - 1)
Dim i%
For i% = 0 To 8 - 1
  colours%(i%) = RGB(i% * 32, 0, 255 - i% * 32)
Next i%
For i% = 0 To 8 - 1
  PIO WRITE 0, 0, 1, colours%(i%) << 8  ' the top 24 bits go out
Next i%
