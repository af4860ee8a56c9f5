#!/usr/bin/env bash
# Runs one scenario script through the program and compares its transcript with NAME.expected.
# Paths in the transcript are written as $DATA (tests/data) and $WORK (the fresh working folder).
set -uo pipefail
exe=$1
script=$2
expected=${script%.script}.expected
data=$(cd "$(dirname "$script")/../data" && pwd)
work=$(mktemp -d /tmp/klepsydra-scenario.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$(dirname "$script")/../data"
"$exe" --script "$script" --workdir "$work" > "$work/transcript.raw" 2> "$work/stderr"
status=$?
sed -e "s|$work|\$WORK|g" -e "s|$data|\$DATA|g" "$work/transcript.raw" > "$work/transcript"
if [ -n "${KLEPSYDRA_UPDATE_EXPECTED:-}" ]; then
  cp "$work/transcript" "$expected"
fi
if ! diff -u "$expected" "$work/transcript"; then
  echo "transcript differs (exit status $status)"; cat "$work/stderr"; exit 1
fi
exit 0
