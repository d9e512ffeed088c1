#LIBRARYLOAD mylib
' run on 'target Pico
main=1
#LIBRARYSTART
sub hello
  print "hi" ' greeting
end sub
#DEFINE X
#LIBRARYEND
after=1
#LIBRARYSTART1
numbered=1
#LIBRARYEND
