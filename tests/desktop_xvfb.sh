#!/usr/bin/env bash
# The real desktop program in a real X server: Xvfb on a free display, `klepsydra --workdir W FILE`
# on the xcb platform, then screenshots of the root window until the main window shows FILE's
# data (tests/tools/screen_check.cpp decides), then the program is ended and nothing is left over.
# The last screenshot is kept as desktop_xvfb.png in the folder the test runs in.
#   desktop_xvfb.sh KLEPSYDRA SCREEN_CHECK DATAFILE
# A missing Xvfb or xauth fails the test (scripts/bootstrap installs them).
set -uo pipefail
exe=$1
check=$2
datafile=$3
shot=$PWD/desktop_xvfb.png

for tool in Xvfb xauth; do
  command -v "$tool" > /dev/null || { echo "FAIL: $tool is not installed (package xvfb / xauth)"; exit 1; }
done

work=$(mktemp -d /tmp/klepsydra-xvfb.XXXXXX)
xvfb_pid=
app_pid=
check_pid=
# Ends a process we started: TERM, up to 10 s to go, then KILL.
stop() {
  local pid=$1
  [ -n "$pid" ] || return 0
  kill -TERM "$pid" 2> /dev/null || return 0
  for _ in $(seq 100); do
    kill -0 "$pid" 2> /dev/null || { wait "$pid" 2> /dev/null; return 0; }
    sleep 0.1
  done
  kill -KILL "$pid" 2> /dev/null
  wait "$pid" 2> /dev/null
}
cleanup() {
  stop "$check_pid"
  stop "$app_pid"
  stop "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# The server takes every cookie in its authority file; clients find it under the display number
# Xvfb picked (-displayfd: no race for a free display).
cookie=$(mcookie)
xauth -q -f "$work/server.auth" add :0 . "$cookie" 2> /dev/null
Xvfb -displayfd 3 -auth "$work/server.auth" -screen 0 1280x1024x24 -nolisten tcp \
  3> "$work/display" 2> "$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 300); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2> /dev/null || break
  sleep 0.1
done
display=$(tr -d '[:space:]' < "$work/display")
if [ -z "$display" ]; then
  echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1
fi
export DISPLAY=:$display XAUTHORITY=$work/client.auth
xauth -q -f "$XAUTHORITY" add ":$display" . "$cookie" 2> /dev/null
echo "Xvfb on $DISPLAY"

mkdir "$work/workdir"
QT_QPA_PLATFORM=xcb "$exe" --workdir "$work/workdir" "$datafile" > "$work/app.log" 2>&1 &
app_pid=$!

QT_QPA_PLATFORM=xcb "$check" --out "$shot" --timeout 40 &
check_pid=$!
# The program must stay up while the screenshots are taken.
while kill -0 "$check_pid" 2> /dev/null; do
  if ! kill -0 "$app_pid" 2> /dev/null; then
    wait "$app_pid"
    echo "FAIL: the program ended by itself (status $?)"; cat "$work/app.log"
    stop "$check_pid"; exit 1
  fi
  sleep 0.2
done
wait "$check_pid"
status=$?
if [ "$status" -ne 0 ]; then
  echo "FAIL: the main window did not show the data; screenshot in $shot"; cat "$work/app.log"; exit 1
fi

# Closing the window would ask for confirmation: end the program from outside.
stop "$app_pid"
app_pid=
stop "$xvfb_pid"
xvfb_pid=
echo "OK: screenshot in $shot"
