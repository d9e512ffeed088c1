# Platform services checked one by one through the probe, without a run of
# the tool. Sourced by suite.bash.

# The probe's standard output is in text mode: CR LF line ends.
run_probe() {
  run_wine 60 "$probe" "$@" | tr -d '\r'
}

check_file_services() {
  local folder="$PREXLE_WORK/services/files"
  rm -rf "$folder" && mkdir -p "$folder"
  local output
  output="$(run_probe files "$(winpath "$folder")\\")"
  local summary
  summary="$(tail -n 1 <<<"$output")"
  if [[ $summary =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]] && ((BASH_REMATCH[2] == 0)); then
    pass "file services: ${BASH_REMATCH[1]} checks"
  else
    fail "file services" "$output"
  fi
}

check_environment() {
  local folder="$PREXLE_WORK/services/current"
  mkdir -p "$folder"
  local output
  output="$(run_probe environment "$(winpath "$folder")\\")"
  expect_equal "the current folder follows a change, without a trailing backslash" \
    "current: $(winpath "$folder")" "$(grep '^current: ' <<<"$output")"
  if grep -Eq '^profile: [A-Za-z]:\\.*[^\\]$' <<<"$output"; then
    pass "the profile folder is a full path without a trailing backslash"
  else
    fail "the profile folder is a full path without a trailing backslash" "$output"
  fi
}

check_processes() {
  local folder="$PREXLE_WORK/services/processes"
  rm -rf "$folder" && mkdir -p "$folder/host" "$folder/run here"
  cp "$PREXLE_PROGRAMS/Corvane.exe" "$PREXLE_PROGRAMS/Brisko.exe" "$folder/host/"
  run_wine 60 "$probe" start "$(winpath "$folder/host/Brisko.exe")" 'C:\my work\prog.bas' \
    "$(winpath "$folder/run here")\\"
  expect_equal "a started program gets the quoted path as its command line, in the folder given" \
    "$(printf '"C:\\my work\\prog.bas"\n%s' "$(winpath "$folder/run here")")" "$(started_record "$folder" Brisko)"
  local line
  line="\"$(winpath "$folder/host/Corvane.exe")\" /a \"b c\""
  expect_equal "run and wait returns after the program has run" "ran" "$(run_probe run "$line")"
  expect_equal "run and wait passes the command line unchanged" "$line" "$(head -n 1 "$folder/host/Corvane-started.txt")"
  expect_equal "run and wait reports a program that cannot be started" "failed" \
    "$(run_probe run "$(winpath "$folder/host/missing.exe")")"
}

check_desktop_and_notice() {
  expect_equal "the desktop size is the primary display's" "$screen_width x $screen_height" "$(run_probe desktop)"
  local bytes
  bytes="$(run_wine 60 "$probe" notice 'Grüße: no window' 2>&1 >/dev/null | od -An -c | tr -s ' ')"
  expect_equal "a notice reaches standard error as UTF-8 with CR LF" \
    "$(printf 'Grüße: no window\r\n' | od -An -c | tr -s ' ')" "$bytes"
}

check_message_box() {
  local folder="$PREXLE_WORK/services/message"
  rm -rf "$folder" && mkdir -p "$folder"
  run_wine 60 "$probe" message Information "WinBasic window not found. Please open WinBasic and retry." &
  local box=$!
  if read_window "$folder/window-0.txt" --title Information && read_window_wait_gone "$box"; then
    expect_equal "the message box shows its title and text" \
      "$(printf 'Information\nWinBasic window not found. Please open WinBasic and retry.')" \
      "$(window_as_console "$folder/window-0.txt")"
  else
    fail "the message box shows its title and text" "no message box appeared or it did not close"
    kill "$box" 2>/dev/null
  fi
}

read_window_wait_gone() {
  for _ in $(seq 100); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# Starts the WinBasic stand-in and waits until its window is up.
start_winbasic() {
  local folder="$1"
  rm -f "$folder/keys.txt" "$folder/pasted.txt"
  run_wine 90 "$winbasic" "$(winpath "$folder/keys.txt")" "$(winpath "$folder/pasted.txt")" 60 &
  winbasic_pid=$!
  for _ in $(seq 100); do
    grep -q ready "$folder/keys.txt" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

# The keys of a delivery: Ctrl+C, "CLS" Enter, "AUTOSAVE" and the quoted
# name, Enter, Ctrl+V (pasted), then F1 or F2. Windows reports either Ctrl
# key as the generic Ctrl key, and the US layout types the double quote with
# Shift and the apostrophe key.
expected_keys() {
  local name="$1" finish="$2" keys c
  keys="ready down 11 down 43 up 43 up 11"
  for c in C L S; do keys+=" $(key_press "$c")"; done
  keys+=" down 0D up 0D"
  for c in A U T O S A V E; do keys+=" $(key_press "$c")"; done
  keys+=" down 20 up 20 down 10 down DE up DE up 10"
  for ((i = 0; i < ${#name}; i++)); do keys+=" $(key_press "${name:i:1}")"; done
  keys+=" down 10 down DE up DE up 10 down 0D up 0D"
  keys+=" down 11 down 56 paste up 56 up 11 down $finish up $finish end"
  echo "$keys"
}

key_press() {
  local code
  code="$(printf '%02X' "'$1")"
  echo "down $code up $code"
}

check_probe_delivery() {
  local folder="$PREXLE_WORK/services/delivery"
  rm -rf "$folder" && mkdir -p "$folder"
  printf 'PRINT "Grüße"\r\nEND\r\n' >"$folder/result.bas"
  if ! start_winbasic "$folder"; then
    fail "keys and clipboard reach the WinBasic window" "the stand-in did not start"
    return
  fi
  run_wine 60 "$probe" deliver PROG1 "$(winpath "$folder/result.bas")" autorun
  wait "$winbasic_pid"
  expect_equal "synthesized keys reach the foreground WinBasic window in order" \
    "$(expected_keys PROG1 71)" "$(tr '\n' ' ' <"$folder/keys.txt" | sed 's/ $//')"
  expect_same_file "the clipboard carries Unicode text" "$folder/result.bas" "$folder/pasted.txt"
}

# The resources linked into prexle.exe, as the resource compiler reads them
# back: the version (the project's), the manifest's settings and an icon.
run_resource_checks() {
  echo "== resources of prexle.exe"
  local dump release="${version%% *}"
  dump="$("$PREXLE_WINDRES" -i "$PREXLE_EXE" -O rc 2>&1 | tr -d '\r')"
  expect_equal "version resource: file and product version $release, description Prexle" "$(
    printf '%s\n' "FILEVERSION ${release/./, }, 0, 0" "PRODUCTVERSION ${release/./, }, 0, 0" \
      "VALUE \"FileDescription\", \"Prexle\"" "VALUE \"FileVersion\", \"$release\"" \
      "VALUE \"ProductVersion\", \"$release\""
  )" "$(grep -o 'FILEVERSION.*\|PRODUCTVERSION.*\|VALUE "\(FileDescription\|FileVersion\|ProductVersion\)".*' <<<"$dump")"
  local setting missing=()
  for setting in '>true/pm<' '>PerMonitorV2, PerMonitor<' 'level=""asInvoker""' \
    'name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""'; do
    grep -qF "$setting" <<<"$dump" || missing+=("$setting")
  done
  expect_equal "manifest: per-monitor DPI awareness (v2), asInvoker, common controls 6" "" "${missing[*]}"
  expect_equal "an icon of five sizes, by the name the windows load" "1 5" \
    "$(grep -c '^"PREXLE" 14 /\* RT_GROUP_ICON \*/' <<<"$dump") $(grep -c '/\* RT_ICON \*/' <<<"$dump")"
}

run_service_checks() {
  echo "== platform services"
  check_file_services
  check_environment
  check_processes
  check_desktop_and_notice
  check_message_box
  check_probe_delivery
}
