x=1
'---Start of Generated Code and Commands---
'loop:
PIO PROGRAM LINE 0,&h01,&h0000  'JMP loop                                        
PIO PROGRAM LINE 0,&h02,&h0000  'JMP loop                                        
SETPIN GP0,PIO0 'SET
SETPIN GP1,PIO0 'SET
SETPIN GP2,PIO0 'SET
SETPIN GP3,PIO0 'SET
SETPIN GP4,PIO0 'SET
PIO INIT MACHINE 0,0,0,&H14000000,&H2000,&HC0000,&H0
PIO START 0,0
