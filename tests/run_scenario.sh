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
source_data=$(cd "$(dirname "$script")/../data" && pwd)
# The data are copied to a folder of this run whose path has the same length wherever the checkout
# lives, so texts that the windows cut to a width read the same in every clone.
root=$(mktemp -d /tmp/klepsydra-scenario.XXXXXX)
trap 'rm -rf "$root"' EXIT
data=$root/data
work=$root/work
mkdir -p "$work"
cp -R "$source_data" "$data"
cd "$data"
# Literal replacement of one text by another on every line (no pattern characters involved).
replace_literal() { FROM=$1 TO=$2 perl -pe 's/\Q$ENV{FROM}\E/$ENV{TO}/g'; }
# A script may name files in the fresh working folder as $WORK (saves go there, never into tests/data).
if grep -q '\$WORK' "$script"; then
  replace_literal '$WORK' "$work" < "$script" > "$root/scenario.script"
  script=$root/scenario.script
fi
"$exe" --script "$script" --workdir "$work" > "$root/transcript.raw" 2> "$root/stderr"
status=$?
echo "EXIT-STATUS $status" >> "$root/transcript.raw"
replace_literal "$work" '$WORK' < "$root/transcript.raw" | replace_literal "$data" '$DATA' > "$root/transcript"
if [ -n "${KLEPSYDRA_UPDATE_EXPECTED:-}" ]; then
  cp "$root/transcript" "$expected"
fi
if ! diff -u "$expected" "$root/transcript"; then
  echo "transcript differs"; cat "$root/stderr"; exit 1
fi
exit 0
