#!/usr/bin/env bash
# Runs one scenario script through the program and compares its transcript with NAME.expected.
# Paths in the transcript are written as $DATA (tests/data) and $WORK (the fresh working folder).
# The program's exit status is appended as the last line, "EXIT-STATUS N", so an expected
# transcript also fixes how the run ends (0, 2 for a script error, or the program's own status).
# KLEPSYDRA_UPDATE_EXPECTED=1 rewrites NAME.expected from the run instead of comparing.
# A first line "# lang: en" (or "# lang: ja") runs the program with --lang en; an English run is
# then made a second time through the locale alone (LANG=en_US.UTF-8, no --lang), which must give
# the same transcript. After an English run the text of every PDF printed into the working folder
# is added to the transcript ("PDF-TEXT NAME: LINE", lines with letters only), and a Japanese
# character anywhere in the transcript (a message, a caption, a drawn text, a page) fails the run.
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
lang=$(head -n 1 "$script" | sed -n 's/^# lang: \(ja\|en\)$/\1/p')
lang_args=()
[ -n "$lang" ] && lang_args=(--lang "$lang")
"$exe" --script "$script" --workdir "$work" "${lang_args[@]}" > "$root/transcript.raw" 2> "$root/stderr"
status=$?
echo "EXIT-STATUS $status" >> "$root/transcript.raw"
if [ "$lang" = en ]; then
  for pdf in "$work"/*.pdf; do
    [ -e "$pdf" ] || continue
    name=$(basename "$pdf")
    pdftotext -layout "$pdf" - | tr -s ' ' | sed 's/^ //; s/ $//' | grep '[[:alpha:]]' |
      sed "s/^/PDF-TEXT $name: /" >> "$root/transcript.raw"
  done
  if grep -nP '[\x{3000}-\x{9fff}\x{ff00}-\x{ffef}]' "$root/transcript.raw"; then
    echo "Japanese text left in an English run"; exit 1
  fi
  # The same run chosen by the locale alone, in folders of the same path length.
  again=$(mktemp -d /tmp/klepsydra-scenario.XXXXXX)
  trap 'rm -rf "$root" "$again"' EXIT
  mkdir -p "$again/work"
  cp -R "$source_data" "$again/data"
  sed "s|$root/data|$again/data|g; s|$work|$again/work|g" "$script" > "$again/scenario.script"
  (cd "$again/data" && LANG=en_US.UTF-8 LC_ALL= LC_MESSAGES= "$exe" --script "$again/scenario.script" \
    --workdir "$again/work" > "$again/transcript.raw" 2> "$again/stderr")
  echo "EXIT-STATUS $?" >> "$again/transcript.raw"
  if ! diff -u <(grep -v '^PDF-TEXT ' "$root/transcript.raw") \
      <(replace_literal "$again/work" "$work" < "$again/transcript.raw" | replace_literal "$again/data" "$data"); then
    echo "the locale en_US.UTF-8 gives another transcript than --lang en"; cat "$again/stderr"; exit 1
  fi
fi
replace_literal "$work" '$WORK' < "$root/transcript.raw" | replace_literal "$data" '$DATA' > "$root/transcript"
if [ -n "${KLEPSYDRA_UPDATE_EXPECTED:-}" ]; then
  cp "$root/transcript" "$expected"
fi
if ! diff -u "$expected" "$root/transcript"; then
  echo "transcript differs"; cat "$root/stderr"; exit 1
fi
exit 0
