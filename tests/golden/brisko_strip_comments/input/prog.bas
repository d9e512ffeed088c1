' whole-line comment
x=1 ' no quote keeps comment
print "a" ' after quote keeps
y=2   ' cut "quoted"

   
;survives
#UNKNOWN thing
PIO START 0,1 ; start it
#DEFINE X
  z=3 'indented cut "q"
#REPLACE zz ww
zz=zz+1
q$="it's" ' x
