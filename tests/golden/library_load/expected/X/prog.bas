' run on 'target Pico
sub hello
  print "hi" ' greeting
end sub
'#DEFINE X

