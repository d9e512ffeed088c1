' blink the LED from a PIO state machine
'
'.program blink
'.pio 0
'.sm 1
'set pindirs, 1
'set pins, 1 ' led on
'&h00 &hE081 SET PINDIRS &b00001(GP4-GP0)                    ;set pindirs, 1
'&h01 &hE001 SET PINS &b00001(GP4-GP0)                       ; led on


'---Start of Generated Code and Commands---
' PIO=0 State Machine=1 Program= blink

'--- Generated Instruction Summary ---
'addr instr  source                      original comments
'---- ------ ----------------------      -----------------
'&h00 &hE081 SET PINDIRS &b00001(GP4-GP0)                    ;set pindirs, 1
'&h01 &hE001 SET PINS &b00001(GP4-GP0)                       ; led on

'--- MMBasic Commands ---
PIO PROGRAM LINE 0,&h00,&hE081  'SET PINDIRS &b00001(GP4-GP0)                    ;set pindirs, 1
PIO PROGRAM LINE 0,&h01,&hE001  'SET PINS &b00001(GP4-GP0)                       ; led on

SETPIN GP0,PIO0 'SET
SETPIN GP1,PIO0 'SET
SETPIN GP2,PIO0 'SET
SETPIN GP3,PIO0 'SET
SETPIN GP4,PIO0 'SET

PIO INIT MACHINE 0,1,0,&H14000000,&H1000,&HC0000,&H0
PIO START 0,1

'-------------------------- End of Generated Commands ------------------------------------------------
Print "started"
