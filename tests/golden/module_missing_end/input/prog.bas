#CODEBASE src/mods/
x=1
#CODEMODULE pins.bas Blink
