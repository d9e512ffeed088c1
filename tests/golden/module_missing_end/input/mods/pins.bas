'#MODULE Blink
Sub Blink
End Sub
'#MODULE Beep
Sub Beep
End Sub
'#MODULEEND
