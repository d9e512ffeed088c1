#DEFINE Debug
#IFDEF DEBUG
kept1
#ELSE
dropped1
#ENDIF
#IFNDEF X
kept2
#ELSE
dropped2
#ENDIF
#IFDEF UNDEFINED
#IFDEF DEBUG
dropped3
#DEFINE LATE
#ENDIF
#ENDIF
#IFDEF LATE
dropped4
#ENDIF
#ENDIF
#ELSE
after
	#DEFINE tabbed
#DEFINE second
#IFDEF
kept because two symbols give **
#ENDIF
