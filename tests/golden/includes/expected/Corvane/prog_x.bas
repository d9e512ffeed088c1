x=1
'-------------*** Included "lib\util.inc" ***-----------

' util
sub util
#INCLUDE nested.inc
end sub

'-------------*** Included .\local.inc ***-----------

local=1

'-------------*** Included header.inc ***-----------


Dim ut.thisfile$="prog.bas"


shown indented



y=2
