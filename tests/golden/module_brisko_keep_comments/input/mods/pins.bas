' Pin helpers
'#MODULE Blink
Sub Blink(n) ' pulse pin n
  Pin(n)=1 : Pause 100 : Pin(n)=0
End Sub
'#MODULEEND Blink

'#MODULE Beep
Sub Beep
  Play Tone 440,440,100
End Sub
'#MODULEEND Beep
