# The Windows end-to-end suite. scripts/test-windows builds everything, sets
# PREXLE_ROOT, PREXLE_EXE, PREXLE_PROGRAMS, PREXLE_WORK, PREXLE_WINDRES and
# the Wine prefix, and runs this file with bash. It runs on a laptop's screen
# (1366 x 768, 96 dpi) and then on a scaled one (1920 x 1080 at 150%), both
# with a panel that the work area leaves out.
#
# Every run of the tool happens in a workspace like the Linux suite's: a
# source folder src\ and a host folder host\ with portable.inf, DATA\ and
# stand-in target programs; the tool starts in the workspace root. Every
# window it opens is read back and closed by the window reader.
set -uo pipefail

readonly version="5.23 - 01 Sep 2026"
readonly reader="$PREXLE_PROGRAMS/window_reader.exe"
readonly probe="$PREXLE_PROGRAMS/host_probe.exe"
readonly winbasic="$PREXLE_PROGRAMS/winbasic_stand_in.exe"
readonly prexle_titles=(--title "Prexle Fatal Error !!! " --title "Prexle Debug Log"
  --title-prefix "PIO Check Output - " --empty-title --title "Information")
passed=0
failed=0
skipped=0

pass() {
  passed=$((passed + 1))
  printf 'ok       %s\n' "$1"
}

fail() {
  failed=$((failed + 1))
  printf 'FAILED   %s\n' "$1"
  if (($# > 1)); then printf '%s\n' "$2" | head -n 40 | sed 's/^/         /'; fi
}

skip() {
  skipped=$((skipped + 1))
  printf 'skipped  %s\n' "$1"
}

expect_equal() {
  if [[ $2 == "$3" ]]; then
    pass "$1"
  else
    fail "$1" "$(diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | sed 's/^</want/; s/^>/got /')"
  fi
}

expect_same_file() {
  if [[ -f $3 ]] && cmp -s "$2" "$3"; then
    pass "$1"
  elif [[ ! -f $3 ]]; then
    fail "$1" "missing: $3"
  else
    fail "$1" "$(diff <(od -c "$2") <(od -c "$3") | head -n 20)"
  fi
}

# Wine maps drive Z: to the Linux root.
winpath() {
  local path="$1"
  printf 'Z:%s' "${path//\//\\}"
}

run_wine() {
  local seconds="$1"
  shift
  timeout "$seconds" wine "$@"
}

screenshot() {
  local file="$PREXLE_SCREENSHOTS/${screen_width}x${screen_height}-$1"
  mkdir -p "$PREXLE_SCREENSHOTS"
  if command -v convert >/dev/null; then
    xwd -root -silent | convert xwd:- "$file.png"
  else
    xwd -root -silent >"$file.xwd"
  fi
}

# What the window reader does besides reading: nothing (a close message
# closes the window), or e.g. (--select-all --close-key escape).
window_keys=()

# Reads one window with a wanted title into a report and closes it; false
# when none appeared within a second.
read_window() {
  local report="$1" key keys=() close=()
  shift
  for key in "${window_keys[@]}"; do
    [[ $key == --select-all ]] && keys+=("$key") || close+=("$key")
  done
  if [[ -z ${PREXLE_SCREENSHOTS:-} ]]; then
    run_wine 60 "$reader" "$@" "${window_keys[@]}" --out "$(winpath "$report")" --wait 1
    return
  fi
  run_wine 60 "$reader" "$@" "${keys[@]}" --out "$(winpath "$report")" --wait 1 --keep-open || return 1
  screenshot "$(basename "$(dirname "$report")")-$(basename "$report" .txt)"
  run_wine 60 "$reader" "$@" "${close[@]}" --out "$(winpath "$report")" --close --wait 5 >/dev/null
}

new_workspace() {
  local folder="$PREXLE_WORK/$1"
  rm -rf "$folder"
  mkdir -p "$folder/src" "$folder/host/DATA"
  : >"$folder/host/portable.inf"
  cp "$PREXLE_PROGRAMS/Corvane.exe" "$PREXLE_PROGRAMS/Brisko.exe" "$folder/host/"
  printf '%s' "$folder"
}

# Runs the tool from the workspace root on src\FILE (default prog.bas) in
# the mode given, reading and closing every window it opens (window-N.txt)
# until it ends; its exit code goes to the file "exitcode".
run_prexle() {
  local folder="$1" mode="$2" file="${3:-prog.bas}"
  run_prexle_with "$folder" "$(winpath "$folder/src/$file")" "$(winpath "$folder/host")\\" "$mode"
}

run_prexle_with() {
  local folder="$1"
  shift
  rm -f "$folder"/window-*.txt "$folder/exitcode"
  (
    cd "$folder" || exit
    timeout 120 wine "$PREXLE_EXE" "$@" >"$folder/stdout" 2>"$folder/stderr"
    echo $? >"$folder/exitcode"
  ) &
  local runner=$! count=0
  while kill -0 "$runner" 2>/dev/null; do
    if read_window "$folder/window-$count.txt" "${prexle_titles[@]}"; then count=$((count + 1)); fi
  done
  wait "$runner"
}

title_of() { sed -n 's/^title: //p' "$1"; }

# A window as the console build prints it: its title, then every line of its
# text boxes (and of a message box's text).
window_as_console() {
  awk '/^title: / { print substr($0, 8); next }
       /^box: / { class = tolower($2); take = class == "edit" || class ~ /^richedit/ || class == "static"; next }
       /^\| / { if (take) print substr($0, 3) }' "$1"
}

# The windows a run showed, as console text: the error channel takes the
# fatal-error window and message boxes, the output channel the others.
windows_as_console() {
  local folder="$1" channel="$2" report title
  for report in "$folder"/window-*.txt; do
    [[ -f $report ]] || continue
    title="$(title_of "$report")"
    if [[ $title == "Prexle Fatal Error !!! " || $title == Information ]]; then
      [[ $channel == stderr ]] && window_as_console "$report"
    else
      [[ $channel == stdout ]] && window_as_console "$report"
    fi
  done
}

# Expected text of the Linux suite on Windows: its workspace root becomes
# ours, with backslashes in the paths below it.
with_root() {
  ROOT_WIN="$(winpath "$1")" perl -pe 's{\@ROOT\@(\S*)}{my $p = $1; $p =~ tr{/}{\\}; $ENV{ROOT_WIN} . $p}ge' "$2"
}

line_map_text() {
  [[ -f $1 ]] && od -An -v -t d4 -w4 "$1" | tr -d ' '
}

# The stand-in target's record of how it was started; it runs on its own, so
# give it time.
started_record() {
  local file="$1/host/$2-started.txt"
  for _ in $(seq 150); do
    [[ -f $file ]] && break
    sleep 0.1
  done
  cat "$file" 2>/dev/null
}

# The shape of a window: size, DPI, placement, and each box without its
# lines (class names compared without regard to case, as Windows does).
window_shape() {
  grep -v '^| \|^title: \|^rows: \|^row height: \|^work area: \|^frame: \|^select all: \|^closed by ' "$1" |
    sed 's/^box: [^ ]*/\L&/'
}

# A length laid out at 96 dpi, in pixels of the screen's DPI.
scaled() { echo $((($1 * screen_dpi + 48) / 96)); }

# The client size a window is laid out for, at the screen's DPI and no larger
# than what the work area leaves beside the frame (both as the reader found).
expected_client() {
  local report="$1" width height work_width work_height frame_width frame_height
  width="$(scaled "$2")" height="$(scaled "$3")"
  read -r work_width _ work_height <<<"$(sed -n 's/^work area: //p' "$report")"
  read -r frame_width _ frame_height <<<"$(sed -n 's/^frame: //p' "$report")"
  echo "$((width < work_width - frame_width ? width : work_width - frame_width))" \
    "$((height < work_height - frame_height ? height : work_height - frame_height))"
}

# Boxes that reach an edge of the window follow it with the margin of the
# opposite side, so the text never runs past the window.
expected_shape() {
  local report="$1" title width height margin top banner
  title="$(title_of "$report")"
  case "$title" in
    "Prexle Fatal Error !!! ") read -r width height <<<"$(expected_client "$report" 620 720)" ;;
    "Prexle Debug Log") read -r width height <<<"$(expected_client "$report" 1000 768)" ;;
    *) # laid out for the screen in 96-dpi pixels: at most 1024 wide, 120 less than it high
      width=$(((screen_width * 96 + 48) / screen_dpi)) height=$(((screen_height * 96 + 48) / screen_dpi - 120))
      read -r width height <<<"$(expected_client "$report" $((width < 1024 ? width : 1024)) "$height")" ;;
  esac
  printf 'client: %s x %s\ndpi: %s\nfits the work area: yes\ncentred: yes\nresizable: yes\nclose box: yes\n' \
    "$width" "$height" "$screen_dpi"
  case "$title" in
    "Prexle Fatal Error !!! ")
      margin="$(scaled 10)"
      echo "box: edit at $margin,$margin size $((width - 2 * margin)) x $((height - 2 * margin))" \
        "wrap yes readonly yes background 255,255,0" ;;
    "Prexle Debug Log")
      margin="$(scaled 3)" top="$(scaled 10)"
      echo "box: edit at $margin,$top size $((width - 2 * margin)) x $((height - 2 * top))" \
        "wrap yes readonly yes background $(box_background "$report" 1)" ;;
    *)
      banner="0,255,0"
      grep -q '^| .*error(s) to be resolved' "$report" && banner="227,127,127"
      margin="$(scaled 3)" top="$(scaled 25)"
      echo "box: richedit50w at $margin,$margin size $((width - 2 * margin)) x $(scaled 22)" \
        "wrap yes readonly yes background $banner"
      echo "box: richedit50w at $margin,$top size $((width - 2 * margin)) x $((height - margin - top))" \
        "wrap no readonly yes background 255,255,207" ;;
  esac
}

box_background() { grep '^box: ' "$1" | sed -n "$2s/.* background //p"; }

check_window_shapes() {
  local name="$1" folder="$2" report
  for report in "$folder"/window-*.txt; do
    [[ -f $report ]] || continue
    [[ $(title_of "$report") == Information ]] && continue
    expect_equal "$name: $(basename "$report" .txt) size, placement and boxes" \
      "$(expected_shape "$report")" "$(window_shape "$report")"
  done
}

source "$(dirname "${BASH_SOURCE[0]}")/screen.bash"
source "$(dirname "${BASH_SOURCE[0]}")/service_checks.bash"
source "$(dirname "${BASH_SOURCE[0]}")/run_checks.bash"
source "$(dirname "${BASH_SOURCE[0]}")/shell_checks.bash"
trap stop_screen EXIT

use_screen 1366 768 96 40
run_resource_checks
run_service_checks
run_golden_cases
run_window_checks escape
run_hand_off_checks
run_delivery_checks
run_shell_checks
# Each window again, on a screen scaled to 150%, closed by the other key.
use_screen 1920 1080 144 60
run_window_checks enter

total=$((passed + failed))
echo
if ((skipped > 0)); then
  echo "$passed passed, $failed failed, $skipped skipped"
else
  echo "$passed passed, $failed failed"
fi
((failed == 0 && total > 0))
