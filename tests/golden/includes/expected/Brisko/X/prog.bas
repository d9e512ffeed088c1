x=1
sub util
#INCLUDE nested.inc
end sub
local=1
Dim ut.thisfile$="prog.bas"
shown indented
y=2
