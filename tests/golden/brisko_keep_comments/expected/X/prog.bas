' comment
'marked
x=1 ' c "q"
