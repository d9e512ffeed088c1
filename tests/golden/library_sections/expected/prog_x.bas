
a=1
plain=1
'/*
'*/
b=2
