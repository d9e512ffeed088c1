# The shell's command line of prexle.exe, writing to pipes: the result on
# standard output byte for byte as the shared cases expect the editor's file,
# diagnostics with the file and line, exit statuses, and no window. Sourced
# by suite.bash.

run_shell_checks() {
  echo "== the shell's command line"
  local folder case expected source
  folder="$(new_workspace shell)"
  run_prexle_with "$folder" --version
  expect_equal "--version on a pipe, exit code 0" "prexle $version|0" "$(cat "$folder/stdout")|$(cat "$folder/exitcode")"
  for case in conditionals:prog_x.bas brisko_strip_comments:X/prog.bas; do
    folder="$(new_workspace "shell-${case%%:*}")"
    cp -r "$PREXLE_ROOT/tests/golden/${case%%:*}/input/." "$folder/src/"
    run_prexle_with "$folder" --mode "$(tr -d '\r ' <"$PREXLE_ROOT/tests/golden/${case%%:*}/mode")" -o - src\\prog.bas
    expect_same_file "${case%%:*}: -o - writes the editor's result to a pipe" \
      "$PREXLE_ROOT/tests/golden/${case%%:*}/expected/${case#*:}" "$folder/stdout"
    expect_equal "${case%%:*}: no window, nothing on stderr, exit code 0" "||0" \
      "$(cat "$folder"/window-*.txt 2>/dev/null)|$(cat "$folder/stderr")|$(cat "$folder/exitcode")"
  done
  folder="$(new_workspace shell-pio-errors)"
  cp -r "$PREXLE_ROOT/tests/golden/pio_errors/input/." "$folder/src/"
  source="$(winpath "$folder/src/prog.bas")"
  run_prexle_with "$folder" "$source"
  expect_equal "PIO errors: FILE:LINE: error: lines on stderr, exit code 1, the result written" \
    "$source:5: error: Invalid destination foo|$source:6: error: label not resolved nowhere|1|yes" \
    "$(tr '\n' '|' <"$folder/stderr")$(cat "$folder/exitcode")|$([[ -f $folder/src/prog_x.bas ]] && echo yes)"
  run_prexle_with "$folder" -o NUL "$source"
  expect_equal "-o NUL: the device takes the result, no file named NUL appears" "1|no" \
    "$(cat "$folder/exitcode")|$([[ -e $folder/NUL || -e $folder/src/NUL ]] && echo yes || echo no)"
  run_prexle_with "$folder" --bogus
  expect_equal "a usage error: the hint to --help, exit code 2" \
    "prexle: error: unrecognized option '--bogus'|Try 'prexle --help' for more information.|2" \
    "$(tr '\n' '|' <"$folder/stderr")$(cat "$folder/exitcode")"
  check_console_front
  check_shell_without_streams
}

# prexle.com, which cmd and PowerShell run for a bare "prexle", waits for the
# tool and hands on its arguments, output and exit status.
check_console_front() {
  local folder front="${PREXLE_EXE%.exe}.com"
  folder="$(new_workspace shell-console-front)"
  cp -r "$PREXLE_ROOT/tests/golden/conditionals/input/." "$folder/src/"
  (cd "$folder" && timeout 120 wine "$front" -o - 'src\prog.bas' >stdout 2>stderr; echo $? >exitcode)
  expect_same_file "prexle.com -o -: the result on its standard output" \
    "$PREXLE_ROOT/tests/golden/conditionals/expected/prog_x.bas" "$folder/stdout"
  (cd "$folder" && timeout 120 wine cmd /c "cd /d $(winpath "${front%/*}") && prexle.com --bogus & echo status=%errorlevel%" \
    >stdout 2>stderr)
  expect_equal "prexle.com from cmd: the usage error, and the status cmd sees is 2" \
    "prexle: error: unrecognized option '--bogus'|status=2|" \
    "$(tr -d '\r' <"$folder/stderr" | head -1)|$(tr -d '\r' <"$folder/stdout" | tr '\n' '|')"
}

# With no standard error and no console (started from a desktop, say), what
# the shell's command line has to say appears in the fatal-error window.
check_shell_without_streams() {
  local folder runner
  folder="$(new_workspace shell-no-streams)"
  (
    cd "$folder" || exit
    timeout 120 wine "$PREXLE_EXE" --bogus >"$folder/stdout" 2>&-
    echo $? >"$folder/exitcode"
  ) &
  runner=$!
  read_window "$folder/window-0.txt" "${prexle_titles[@]}"
  wait "$runner"
  expect_equal "no stream to write to: the usage error in the fatal-error window, exit code 2" \
    "prexle: error: unrecognized option '--bogus'|Try 'prexle --help' for more information.|2" \
    "$(windows_as_console "$folder" stderr | sed -n '5,6p' | tr '\n' '|')$(cat "$folder/exitcode")"
}
