x=1
#PIOSTART
.program bad
loop:
    set foo, 1
    jmp nowhere
    jmp loop
#PIOEND
