' sine table
'  :0,49,90,117,127
':steps 5
Print "ok"
