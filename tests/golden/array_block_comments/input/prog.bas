' sine table
#ARRAYSTART BYTE Sine wave
  ':0,49,90,117,127
':steps 5
#ARRAYEND
Print "ok"
