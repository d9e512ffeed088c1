#KEEPCOMMENTS
#CODEBASE src\mods\
' main program
Blink 5
#codemodule  pins.bas  blink
#CODEMODULE pins.bas BEEP
End
#ENDCODE
not read
