#KEEPCOMMENTS
' comment

;marked
'#not kept
x=1 ' c "q"
''target x
