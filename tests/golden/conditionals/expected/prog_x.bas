

kept1


kept2





after
	#DEFINE tabbed


kept because two symbols give **

