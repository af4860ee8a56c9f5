#!/usr/bin/env bash
# Runs one scenario script through the program and compares its transcript with NAME.expected.
# Paths in the transcript are written as $DATA (tests/data) and $WORK (the fresh working folder).
# The program's exit status is appended as the last line, "EXIT-STATUS N", so an expected
# transcript also fixes how the run ends (0, 2 for a script error, or the program's own status).
# KLEPSYDRA_UPDATE_EXPECTED=1 rewrites NAME.expected from the run instead of comparing.
set -uo pipefail
exe=$1
script=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
expected=${script%.script}.expected
data=$(cd "$(dirname "$script")/../data" && pwd)
work=$(mktemp -d /tmp/klepsydra-scenario.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$data"
# A script may name files in the fresh working folder as $WORK (saves go there, never into tests/data).
if grep -q '\$WORK' "$script"; then
  sed "s|\$WORK|$work|g" "$script" > "$work/scenario.script"
  script=$work/scenario.script
fi
"$exe" --script "$script" --workdir "$work" > "$work/transcript.raw" 2> "$work/stderr"
status=$?
echo "EXIT-STATUS $status" >> "$work/transcript.raw"
sed -e "s|$work|\$WORK|g" -e "s|$data|\$DATA|g" "$work/transcript.raw" > "$work/transcript"
if [ -n "${KLEPSYDRA_UPDATE_EXPECTED:-}" ]; then
  cp "$work/transcript" "$expected"
fi
if ! diff -u "$expected" "$work/transcript"; then
  echo "transcript differs"; cat "$work/stderr"; exit 1
fi
exit 0
