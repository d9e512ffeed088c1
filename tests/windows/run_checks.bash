# Whole runs of prexle.exe: the shared source cases, the three windows, the
# hand-off to the target programs and the delivery into WinBasic. Sourced by
# suite.bash.

# Compares one expected file of a shared case with what the run left.
check_expected_file() {
  local name="$1" folder="$2" expected="$3" relative="$4"
  case "$relative" in
    exitcode) ;;
    stdout | stderr)
      expect_equal "$name: windows shown ($relative of the console build)" \
        "$(with_root "$folder" "$expected")" "$(windows_as_console "$folder" "$relative")" ;;
    handed) ;;
    lineno)
      expect_equal "$name: line map" "$(cat "$expected")" "$(line_map_text "$folder/host/DATA/lineno.txt")" ;;
    PasmErrors.txt | Prexle.txt | MMmodule.inf)
      expect_same_file "$name: $relative" "$expected" "$folder/host/DATA/$relative" ;;
    DATA/*)
      expect_same_file "$name: $relative" "$expected" "$folder/host/$relative" ;;
    ROOT/*)
      expect_same_file "$name: $relative" "$expected" "$folder/${relative#ROOT/}" ;;
    *)
      expect_same_file "$name: $relative" "$expected" "$folder/src/$relative" ;;
  esac
}

# The target program is started with the quoted path in the host folder, or
# not at all.
check_handed() {
  local name="$1" folder="$2" expected="$3" target="$4"
  if [[ -f $expected ]]; then
    expect_equal "$name: hand-off to $target" \
      "$(printf '"%s"\n%s' "$(with_root "$folder" "$expected")" "$(winpath "$folder/host")")" \
      "$(started_record "$folder" "$target")"
  else
    sleep 2
    expect_equal "$name: no program started" "" "$(cat "$folder"/host/*-started.txt 2>/dev/null)"
  fi
}

# One run of a shared case in one mode, against the expected files given.
run_golden_mode() {
  local case_folder="$1" mode="$2" expected_folder="$3" name folder target expected relative
  name="$(basename "$case_folder") ($mode)"
  folder="$(new_workspace "golden-$(basename "$case_folder")-$mode")"
  cp -r "$case_folder/input/." "$folder/src/"
  target=Corvane
  [[ $mode == Brisko ]] && target=Brisko
  run_prexle "$folder" "$mode"
  expect_equal "$name: exit code" "$(cat "$expected_folder/exitcode" 2>/dev/null || echo 0)" \
    "$(cat "$folder/exitcode")"
  while IFS= read -r -d '' expected; do
    relative="${expected#"$expected_folder/"}"
    check_expected_file "$name" "$folder" "$expected" "$relative"
  done < <(find "$expected_folder" -type f -print0 | sort -z)
  check_handed "$name" "$folder" "$expected_folder/handed" "$target"
  check_window_shapes "$name" "$folder"
}

# A case lists one mode, or several with the expected files of each in
# expected/<mode>.
run_golden_case() {
  local case_folder="$1" mode modes=()
  while read -r mode; do
    [[ -n ${mode//[$'\r' ]/} ]] && modes+=("${mode//[$'\r' ]/}")
  done <"$case_folder/mode"
  for mode in "${modes[@]}"; do
    if ((${#modes[@]} == 1)); then
      run_golden_mode "$case_folder" "$mode" "$case_folder/expected"
    else
      run_golden_mode "$case_folder" "$mode" "$case_folder/expected/$mode"
    fi
  done
}

run_golden_cases() {
  echo "== shared source cases"
  local case_folder any=0
  for case_folder in "$PREXLE_ROOT"/tests/golden/*/; do
    [[ -f $case_folder/mode ]] || continue
    any=1
    run_golden_case "${case_folder%/}"
  done
  ((any)) || skip "shared source cases: none in tests/golden"
}

# Ctrl+A then Ctrl+C copies the focused box's whole text, and the key of
# window_keys closes the window; with a plain text box, its rows are as far
# apart as a 10-point font is high at the screen's DPI (not at 96 dpi).
check_window_keys() {
  local name="$1" report="$2" key=Enter em=$(((10 * screen_dpi + 36) / 72)) row
  [[ ${window_keys[*]} == *escape* ]] && key=Esc
  expect_equal "$name: Ctrl+A selects all the text, $key closes the window" \
    "$(printf 'select all: yes\nclosed by %s' "$key")" "$(grep '^select all: \|^closed by ' "$report")"
  row="$(sed -n 's/^row height: //p' "$report" | head -n 1)"
  [[ -z $row ]] || expect_equal "$name: rows of a 10-point font at $screen_dpi dpi" yes \
    "$( ((row >= em && row <= em * 3 / 2)) && echo yes || echo "no: $row pixels apart")"
}

# The fatal-error window, for the editor's call with a mode written in the
# wrong case; the first parameter is far wider than the window, so its line
# wraps.
check_fatal_error_window() {
  local folder long
  folder="$(new_workspace window-fatal)"
  long="C:\\$(printf '%0150d' 0).bas"
  run_prexle_with "$folder" "$long" 'C:\host\' brisko
  expect_equal "fatal error: exit code 1" 1 "$(cat "$folder/exitcode")"
  expect_equal "fatal error: the window's title and text" "$(
    printf '%s\n' "Prexle Fatal Error !!! " "Prexle version $version" \
      "---------------Fatal Error ------------------------" "" \
      "Prexle expects 3rd Parameters to be one of Brisko , Corvane or PIOCHECK " \
      "Check the setup of the Action Menu in Corvane is correct." \
      "3 is passed" "1st is $long" '2nd is C:\host\' "3rd is brisko" "" \
      "----------------------------------------------------" \
      "Close this window and resolve the error to continue." \
      "----------------------------------------------------"
  )" "$(windows_as_console "$folder" stderr)"
  check_window_shapes "fatal error" "$folder"
  check_window_keys "fatal error" "$folder/window-0.txt"
  local rows
  rows="$(sed -n 's/^rows: //p' "$folder/window-0.txt")"
  if [[ -n $rows ]] && ((rows > 14)); then
    pass "fatal error: long lines wrap"
  else
    fail "fatal error: long lines wrap" "rows: $rows for 14 lines"
  fi
}

# Without a display no window can be made: the message goes to stderr.
check_fatal_error_without_window() {
  local folder
  folder="$(new_workspace window-none)"
  (cd "$folder" && env -u DISPLAY timeout 60 wine "$PREXLE_EXE" one two three >"$folder/stdout" 2>"$folder/stderr")
  local status=$?
  expect_equal "fatal error without a display: exit code 1" 1 "$status"
  if grep -q '^Prexle expects 3rd Parameters to be one of' "$folder/stderr"; then
    pass "fatal error without a display: the message reaches stderr"
  else
    fail "fatal error without a display: the message reaches stderr" "$(cat "$folder/stderr")"
  fi
}

check_pio_check_window() {
  local folder
  folder="$(new_workspace window-piocheck)"
  printf 'PRINT "no PIO here"\r\n' >"$folder/src/prog.bas"
  run_prexle "$folder" PIOCHECK
  expect_equal "PIO check without errors: exit code 0" 0 "$(cat "$folder/exitcode")"
  expect_equal "PIO check without errors: title, green banner, empty report" "$(
    printf '%s\n' "PIO Check Output - (V$version)    *** Select And CTRL+C To copy To clipboard ***" \
      "$(printf '%34s' '')!!!!!!!  No errors !!!!!!"
  )" "$(windows_as_console "$folder" stdout)"
  check_window_shapes "PIO check without errors" "$folder"
  check_window_keys "PIO check without errors" "$folder/window-0.txt"
}

check_pio_error_window() {
  local folder count
  folder="$(new_workspace window-pio-errors)"
  # The label is far wider than the window: the report must not wrap it.
  printf '#PIOSTART\r\n  jmp nowhere%0200d\r\n  set pins, 99\r\n#PIOEND\r\n' 0 >"$folder/src/prog.bas"
  run_prexle "$folder" Corvane
  count="$(grep -o '[0-9]* error(s) to be resolved' "$folder/window-0.txt" 2>/dev/null | cut -d' ' -f1)"
  if [[ -z $count || $count == 0 ]]; then
    fail "PIO errors: the window counts the errors" "$(cat "$folder"/window-*.txt 2>/dev/null)"
    return
  fi
  expect_equal "PIO errors: empty title, red banner with the count, the report's lines" "$(
    echo
    echo "$(printf '%22s' '')!!!!!!!  $count error(s) to be resolved  !!!!!!"
    tr -d '\r' <"$folder/host/DATA/PasmErrors.txt"
  )" "$(windows_as_console "$folder" stdout)"
  check_window_shapes "PIO errors" "$folder"
  expect_equal "PIO errors: the report view does not wrap long lines" \
    "$(grep -c '' "$folder/host/DATA/PasmErrors.txt")" "$(grep '^rows: ' "$folder/window-0.txt" | sed -n '2s/rows: //p')"
  check_window_keys "PIO errors" "$folder/window-0.txt"
}

check_run_log_window() {
  local folder data
  folder="$(new_workspace window-log)"
  printf '#DEBUG\r\nPRINT 1\r\n' >"$folder/src/prog.bas"
  run_prexle "$folder" Corvane
  data="$(winpath "$folder/host/DATA")\\"
  expect_equal "run log: title, version, the log's path and its lines" "$(
    printf '%s\n' "Prexle Debug Log" "Prexle version $version" "${data}Prexle.txt Opened"
    tr -d '\r' <"$folder/host/DATA/Prexle.txt"
  )" "$(windows_as_console "$folder" stdout)"
  check_window_shapes "run log" "$folder"
  check_window_keys "run log" "$folder/window-0.txt"
}

# run_window_checks KEY: each window is closed with KEY (escape or enter).
run_window_checks() {
  echo "== windows"
  window_keys=(--select-all --close-key "$1")
  check_fatal_error_window
  check_pio_check_window
  check_pio_error_window
  check_run_log_window
  window_keys=()
  if ((screen_dpi == 96)); then check_fatal_error_without_window; fi
}

# The editor quotes every parameter, so the host folder arrives as
# "C:\...\host\" with a backslash before the closing quote.
check_editor_command_line() {
  local folder line
  folder="$(new_workspace hand-off-quoted)"
  printf 'PRINT 1\r\n' >"$folder/src/prog.bas"
  line="\"$(winpath "$PREXLE_EXE")\" \"$(winpath "$folder/src/prog.bas")\" \"$(winpath "$folder/host")\\\" Corvane"
  (cd "$folder" && run_wine 60 "$probe" run "$line" >/dev/null)
  expect_same_file "a quoted host folder ending in a backslash is one parameter" \
    "$folder/src/prog.bas" "$folder/src/prog_x.bas"
  expect_equal "Corvane is started with the quoted result path" \
    "$(printf '"%s"\n%s' "$(winpath "$folder/src/prog_x.bas")" "$(winpath "$folder/host")")" \
    "$(started_record "$folder" Corvane)"
}

# The bundled examples give the results kept beside them, and the target
# program is started with the result.
check_bundled_example() {
  local source="$1" mode="$2" result="$3" kept="$4" folder label target=Corvane
  label="bundled example ${source%.bas} ($mode)"
  [[ $mode == Brisko ]] && target=Brisko
  folder="$(new_workspace "example-${source%.bas}-$mode")"
  cp "$PREXLE_ROOT/examples/$source" "$folder/src/"
  cp -r "$PREXLE_ROOT/examples/lib" "$folder/src/"
  run_prexle "$folder" "$mode" "$source"
  expect_equal "$label: exit code" 0 "$(cat "$folder/exitcode")"
  expect_same_file "$label: result" "$PREXLE_ROOT/examples/expected/$kept" "$folder/src/$result"
  expect_equal "$label: $target started with the result" \
    "$(printf '"%s"\n%s' "$(winpath "$folder/src/$result")" "$(winpath "$folder/host")")" \
    "$(started_record "$folder" "$target")"
}

run_hand_off_checks() {
  echo "== hand-off"
  check_editor_command_line
  check_bundled_example blink.bas Corvane blink_x.bas blink_x.bas
  check_bundled_example ws2812.bas Corvane ws2812_x.bas ws2812_x.bas
  check_bundled_example ws2812.bas Brisko X/ws2812.bas ws2812_brisko.bas
}

# A Brisko run of a source with a WinBasic target line types the result into
# the WinBasic window.
check_prexle_delivery() {
  local label="$1" target_line="$2" finish="$3" folder
  folder="$(new_workspace "delivery-$label")"
  printf "%s\r\nPRINT \"Gr\xc3\xbc\xc3\x9fe\"\r\n" "$target_line" >"$folder/src/prog.bas"
  if ! start_winbasic "$folder"; then
    fail "delivery ($label): the stand-in did not start"
    return
  fi
  run_prexle "$folder" Brisko
  wait "$winbasic_pid"
  expect_equal "delivery ($label): exit code" 0 "$(cat "$folder/exitcode")"
  expect_equal "delivery ($label): Ctrl+C, CLS, AUTOSAVE \"PROG\", paste, function key" \
    "$(expected_keys PROG "$finish")" "$(tr '\n' ' ' <"$folder/keys.txt" | sed 's/ $//')"
  expect_same_file "delivery ($label): the pasted text is the result" "$folder/src/X/prog.bas" "$folder/pasted.txt"
  expect_equal "delivery ($label): no program started" "" "$(cat "$folder"/host/*-started.txt 2>/dev/null)"
}

check_delivery_without_winbasic() {
  local folder
  folder="$(new_workspace delivery-missing)"
  printf "'target WinBasic\\\\\r\nPRINT 1\r\n" >"$folder/src/prog.bas"
  run_prexle "$folder" Brisko
  expect_equal "no WinBasic window: exit code" 0 "$(cat "$folder/exitcode")"
  expect_equal "no WinBasic window: the information message" \
    "$(printf 'Information\nWinBasic window not found. Please open WinBasic and retry.')" \
    "$(windows_as_console "$folder" stderr)"
}

run_delivery_checks() {
  echo "== delivery into WinBasic"
  if ! grep -rqs deliverToWinBasic "$PREXLE_ROOT/src/delivery"; then
    skip "delivery through prexle.exe: the tool has no keystroke delivery yet"
    return
  fi
  check_prexle_delivery plain "'target WinBasic\\" 70
  check_prexle_delivery autorun "' program for 'TARGET WinBasic\\ autorun" 71
  check_delivery_without_winbasic
}
