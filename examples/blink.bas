' Blink the on-board LED and report its state.
' Prepared by Prexle: try  scripts/run-example Brisko  to see the comments go.
#DEFINE PICO
#REPLACE LED_PIN GP25
#REPLACE BLINK_MS 250

/*
  Wiring: LED with a 330R resistor from LED_PIN to ground.
*/

#IFDEF PICO
SETPIN LED_PIN, DOUT ' the on-board LED
#ELSE
SETPIN 2, DOUT
#ENDIF

;Version 1.0 - this comment survives every mode
Do
  PIN(LED_PIN) = 1 - PIN(LED_PIN)
  Print "LED is "; PIN(LED_PIN) ' shows 0 or 1
  Pause BLINK_MS
Loop
