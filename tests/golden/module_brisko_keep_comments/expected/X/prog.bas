' main program
Blink 5
' Start '#MODULEBLINK
Sub Blink(n) ' pulse pin n
  Pin(n)=1 : Pause 100 : Pin(n)=0
End Sub
' Insert end
' Start '#MODULEBEEP
Sub Beep
  Play Tone 440,440,100
End Sub
' Insert end
End
