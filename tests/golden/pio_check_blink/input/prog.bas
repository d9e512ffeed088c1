' blink the LED from a PIO state machine
#PIOSTART
.program blink
.pio 0
.sm 1
set pindirs, 1
set pins, 1 ' led on
#PIOEND
Print "started"
