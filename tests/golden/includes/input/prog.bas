x=1
#INCLUDE "lib\util.inc"
#include .\local.inc
#SPTEST
y=2
