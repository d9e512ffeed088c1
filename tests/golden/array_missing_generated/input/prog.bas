x=1
#ARRAYINCLUDE wave
y=2
