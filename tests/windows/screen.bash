# The virtual screens the suite runs on, each with a Wine server of its own.
# Sourced by suite.bash, which runs its groups on one screen after another.

readonly screen_state="$PREXLE_WORK/screen"

# The prefix (WINEPREFIX, set by scripts/test-windows) is made once. Wine
# draws the window frames itself, as the virtual display has no window manager.
prepare_wine_prefix() {
  [[ -f $WINEPREFIX/.prexle-ready ]] && return
  echo "suite: creating the Wine prefix" >&2
  rm -rf "$WINEPREFIX"
  timeout 300 wineboot -i >/dev/null 2>&1 || true
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  timeout 60 wineserver -w || true
  touch "$WINEPREFIX/.prexle-ready"
}

stop_screen() {
  # Only this suite's own Wine prefix and display.
  timeout 30 wineserver -k 2>/dev/null || true
  if [[ -n ${xvfb_pid:-} ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
  fi
}

# Xvfb picks a free display itself and tells which. It keeps the root
# window's properties (the work area) when its last client leaves.
start_display() {
  local number_file="$screen_state/display-number"
  mkdir -p "$screen_state"
  rm -f "$number_file"
  Xvfb -displayfd 3 -noreset -screen 0 "${1}x${2}x24" -nolisten tcp 3>"$number_file" >"$screen_state/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [[ -s $number_file ]] && break
    sleep 0.1
  done
  [[ -s $number_file ]] || { echo "suite: Xvfb did not start" >&2; cat "$screen_state/xvfb.log" >&2; exit 1; }
  export DISPLAY=":$(head -n 1 "$number_file")"
}

# use_screen WIDTH HEIGHT DPI PANEL: a screen of WIDTH x HEIGHT at DPI, with a
# panel PANEL pixels high along its bottom that the work area leaves out (a
# window manager announces it in _NET_WORKAREA, which Wine reads at its start).
# Wine reads the DPI from the registry when its server starts, so the server
# of the screen before is stopped first.
use_screen() {
  stop_screen
  screen_width=$1 screen_height=$2 screen_dpi=$3 screen_panel=$4
  start_display "$screen_width" "$screen_height"
  xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0, 0, $screen_width, $((screen_height - screen_panel))"
  prepare_wine_prefix
  timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$screen_dpi" /f >/dev/null 2>&1
  timeout 60 wineserver -w || true
  echo "== screen of $screen_width x $screen_height at $screen_dpi dpi, a panel of $screen_panel"
}
