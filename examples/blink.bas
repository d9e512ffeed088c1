' Blink the on-board LED and report its state.
' Prepared by Prexle: try  scripts/run-example Brisko  to see the comments go.
#DEFINE PICO
#REPLACE LED_PIN GP25
#REPLACE BLINK_MS 250
#INCLUDE "lib\leds.inc"

/*
  Wiring: LED with a 330R resistor from LED_PIN to ground.
*/

#IFDEF PICO
SetPin LED_PIN, DOUT ' the on-board LED
#ELSE
SetPin 2, DOUT
#ENDIF

;Version 1.1 - this comment survives every mode
Flash LED_PIN, 3
Do
  Pin(LED_PIN) = 1 - Pin(LED_PIN)
  Print "LED is "; Pin(LED_PIN) ' shows 0 or 1
  Pause BLINK_MS
Loop

' Kept out of the program; #LIBRARYLOAD blinklib would save it as blinklib.lib.
#LIBRARYSTART
Sub Heartbeat
  Flash LED_PIN, 1
End Sub
#LIBRARYEND
