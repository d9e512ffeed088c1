' program for 'TARGET WinBasic\ autorun
x=1 ' kept comment
