#IFDEF NEVER
' 'target elsewhere
#ENDIF
' program for 'TARGET WinBasic\ autorun
x=1 ' kept comment
''target disabled
#WINDELAY 10
