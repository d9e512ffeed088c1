'#REPLACE 8 8
'---Start of Generated Code and Commands---
'.wrap_target
'bitloop:
PIO PROGRAM LINE 0,&h00,&h6221  'OUT X 1                 SIDE &b0(GP15)[2]       
PIO PROGRAM LINE 0,&h01,&h1123  'JMP !X do_zero          SIDE &b1(GP15)[1]       
'do_one:
PIO PROGRAM LINE 0,&h02,&h1400  'JMP bitloop             SIDE &b1(GP15)[4]       
'do_zero:
PIO PROGRAM LINE 0,&h03,&hA442  'NOP                     SIDE &b0(GP15)[4]       
'.wrap
SETPIN GP0,PIO0 'SET
SETPIN GP1,PIO0 'SET
SETPIN GP2,PIO0 'SET
SETPIN GP3,PIO0 'SET
SETPIN GP4,PIO0 'SET
SETPIN GP15,PIO0 'SIDESET
PIO INIT MACHINE 0,0,8000000,&H34003C00,&H3000,&H70060000,&H0
PIO START 0,0
Dim colours%(8 - 1)
Dim i%
For i% = 0 To 8 - 1
  colours%(i%) = RGB(i% * 32, 0, 255 - i% * 32)
Next i%
For i% = 0 To 8 - 1
  PIO WRITE 0, 0, 1, colours%(i%) << 8  ' the top 24 bits go out
Next i%
