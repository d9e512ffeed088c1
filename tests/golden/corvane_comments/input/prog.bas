' a whole-line comment
x=1 ' trailing
'#DEFINE X
;kept comment
  ;indented keep
''target something

#KEEPCOMMENTS
/* block
inside
*/ end
after
	#DEFINE tabbed
