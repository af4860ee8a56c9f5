#!/usr/bin/env bash
# The desktop start with no display must say where to go (--script, the batch commands) and end
# with status 1 instead of crashing.
exe=$1
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" 2>&1)
status=$?
echo "$out"
[ "$status" -eq 1 ] || { echo "exit status $status, expected 1"; exit 1; }
grep -q -- '--script' <<< "$out" || { echo "no pointer to --script"; exit 1; }
grep -q 'stats' <<< "$out" || { echo "no pointer to the batch commands"; exit 1; }
