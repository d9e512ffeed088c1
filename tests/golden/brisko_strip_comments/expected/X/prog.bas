x=1 ' no quote keeps comment
print "a" ' after quote keeps
y=2
'survives
'#UNKNOWN thing
PIO START 0,1 
  z=3
'#REPLACE ww ww
ww=ww+1
q$="it's" ' x
