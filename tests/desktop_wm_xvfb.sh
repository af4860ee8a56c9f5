#!/usr/bin/env bash
# The real program on a real X desktop with a window manager (Xvfb + openbox), driven by real
# pointer and key events (xdotool), for what only a window manager shows:
#   - the graph window opens over the main window, and the main window comes back where it was;
#   - the help window of a main window that hangs off the screen opens inside the screen, and
#     Escape closes it;
#   - exporting the frequency table when no program opens CSV files (the desktop's own opener
#     finds none) says so in a message, and the main window is not minimised.
#   desktop_wm_xvfb.sh KLEPSYDRA SCREEN_CHECK DATAFILE
# Screenshots of each step are kept as desktop_wm_*.png in the folder the test runs in.
# A missing tool fails the test (scripts/bootstrap installs them).
set -uo pipefail
exe=$1
check=$2
datafile=$3
shots=$PWD

for tool in Xvfb xauth openbox xdotool xprop xwininfo xdg-open; do
  command -v "$tool" > /dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

work=$(mktemp -d /tmp/klepsydra-wm.XXXXXX)
pids=()
# Ends the processes we started, last first: TERM, up to 10 s to go, then KILL.
cleanup() {
  local i pid
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pid=${pids[i]}
    kill -TERM "$pid" 2> /dev/null || continue
    for _ in $(seq 100); do kill -0 "$pid" 2> /dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2> /dev/null
    wait "$pid" 2> /dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Runs a command until it succeeds, up to 20 s.
wait_for() {
  for _ in $(seq 200); do "$@" > /dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

cookie=$(mcookie)
xauth -q -f "$work/server.auth" add :0 . "$cookie" 2> /dev/null
Xvfb -displayfd 3 -auth "$work/server.auth" -screen 0 1280x1024x24 -nolisten tcp \
  3> "$work/display" 2> "$work/xvfb.log" &
pids+=($!)
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
display=$(tr -d '[:space:]' < "$work/display")
[ -n "$display" ] || { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=:$display XAUTHORITY=$work/client.auth
xauth -q -f "$XAUTHORITY" add ":$display" . "$cookie" 2> /dev/null

mkdir -p "$work/home" "$work/xdg" "$work/workdir"
export HOME=$work/home
openbox > "$work/openbox.log" 2>&1 &
wm=$!
pids+=($wm)
wait_for sh -c 'xprop -root -notype _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
sleep 0.5
kill -0 "$wm" 2> /dev/null || { echo "FAIL: openbox did not start"; cat "$work/openbox.log"; exit 1; }

# The program sees configuration and data folders of its own: no desktop file and no browser, so
# no program opens CSV files.
XDG_CONFIG_HOME=$work/xdg XDG_CONFIG_DIRS=$work/xdg XDG_DATA_HOME=$work/xdg XDG_DATA_DIRS=$work/xdg \
  BROWSER=false QT_QPA_PLATFORM=xcb "$exe" --workdir "$work/workdir" "$datafile" > "$work/app.log" 2>&1 &
app=$!
pids+=($app)
QT_QPA_PLATFORM=xcb "$check" --out "$shots/desktop_wm_start.png" --timeout 40 > /dev/null ||
  { echo "FAIL: the main window did not show the data"; cat "$work/app.log"; exit 1; }

# The one visible window named exactly $1 (nothing when none or several).
window() {
  local ids
  ids=$(xdotool search --onlyvisible --name "^$1\$" 2> /dev/null)
  [ "$(echo "$ids" | grep -c .)" -eq 1 ] && echo "$ids"
}
# The client area's top left on the screen, and its size: "X Y W H".
place() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                            /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print x, y, w, h}'
}
# A real click at client coordinates of a window, and real keys to the focused window.
click() { xdotool mousemove --sync --window "$1" "$2" "$3" click 1; }
key() { xdotool key --clearmodifiers "$@"; }
shot() { QT_QPA_PLATFORM=xcb "$check" --out "$shots/desktop_wm_$1.png" --timeout 0 > /dev/null 2>&1; }
# Moves a window and lets the window manager settle.
move() {
  xdotool windowmove --sync "$1" "$2" "$3"
  sleep 0.3
}

main=$(window "THE KLEPSYDRA")
[ -n "$main" ] || { echo "FAIL: no main window"; exit 1; }

# 1. The graph window over the main window, and the main window back where it was.
move "$main" 140 100
main_place=$(place "$main")
click "$main" 784 710 # BUTTON3 "GRAPH OF HISTOGRAM"
if wait_for sh -c "[ -z \"\$(xdotool search --onlyvisible --name '^THE KLEPSYDRA\$' | grep -x $main)\" ]" &&
  graph=$(window "THE KLEPSYDRA") && [ -n "$graph" ]; then
  sleep 0.5
  shot graph
  [ "$(place "$graph")" = "$main_place" ] ||
    fail "the graph window opened at $(place "$graph"), not over the main window at $main_place"
  click "$graph" 80 703 # BUTTON4 "戻  る"
  if wait_for sh -c "xdotool search --onlyvisible --name '^THE KLEPSYDRA\$' | grep -qx $main"; then
    sleep 0.5
    [ "$(place "$main")" = "$main_place" ] ||
      fail "the main window came back at $(place "$main"), not where it was: $main_place"
  else
    fail "the main window did not come back"
  fi
else
  fail "the graph window did not open"
fi

# 2. A help window from a main window that hangs off the screen's right and bottom edges (centred
#    over it, the help window would too).
move "$main" 400 400
click "$main" 801 17 # BUTTON18 "？"
if wait_for window HELP; then
  help=$(window HELP)
  sleep 0.5
  shot help
  read -r x y w h <<< "$(place "$help")"
  if [ "$x" -lt 0 ] || [ "$y" -lt 0 ] || [ $((x + w)) -gt 1280 ] || [ $((y + h)) -gt 1024 ]; then
    fail "the help window at $x,$y ${w}x$h is not inside the 1280x1024 screen"
  fi
  key Escape
  wait_for sh -c '[ -z "$(xdotool search --onlyvisible --name "^HELP\$")" ]' ||
    fail "Escape did not close the help window"
else
  fail "the help window did not open"
fi

# 3. The export when no program opens CSV files.
move "$main" 60 40
click "$main" 784 649 # BUTTON34, then Enter answers the question
if wait_for window "EXPORT TO EXCEL"; then
  question=$(window "EXPORT TO EXCEL")
  key Return
  if wait_for sh -c "id=\$(xdotool search --onlyvisible --name '^EXPORT TO EXCEL\$'); [ -n \"\$id\" ] && [ \"\$id\" != $question ]"; then
    sleep 0.5
    shot export
    key Return
  else
    fail "no message said that the file could not be opened"
  fi
  sleep 0.5
  if xprop -id "$main" WM_STATE | grep -q Iconic; then fail "the main window was minimised"; fi
  [ -f "$work/workdir/DOSUU.CSV" ] || fail "DOSUU.CSV was not written"
else
  fail "the export question did not come"
fi

kill -0 "$app" 2> /dev/null || fail "the program ended by itself"
kill -0 "$wm" 2> /dev/null || fail "the window manager ended"
[ "$failures" -eq 0 ] || { cat "$work/app.log"; exit 1; }
echo "OK: screenshots in $shots/desktop_wm_*.png"
