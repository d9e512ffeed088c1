' a whole-line comment
x=1 ' trailing
'kept comment
  'indented keep


'/* block
'inside
'*/ end
after
	#DEFINE tabbed
