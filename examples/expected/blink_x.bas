' Blink the on-board LED and report its state.
' Prepared by Prexle: try  scripts/run-example Brisko  to see the comments go.

'#REPLACE GP25 GP25
'#REPLACE 250 250
'-------------*** Included "lib\leds.inc" ***-----------

' LED helpers shared by the examples.
Sub Flash(pin, times)
  Local i
  For i = 1 To times
    Pin(pin) = 1 : Pause 50
    Pin(pin) = 0 : Pause 50
  Next i
End Sub


'/*
'  Wiring: LED with a 330R resistor from GP25 to ground.
'*/


SetPin GP25, DOUT ' the on-board LED


'Version 1.1 - this comment survives every mode
Flash GP25, 3
Do
  Pin(GP25) = 1 - Pin(GP25)
  Print "LED is "; Pin(GP25) ' shows 0 or 1
  Pause 250
Loop

' Kept out of the program; #LIBRARYLOAD blinklib would save it as blinklib.lib.
