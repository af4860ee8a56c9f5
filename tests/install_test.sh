#!/usr/bin/env bash
# The installed program, from `cmake --install` into a scratch prefix (install) or from the Debian
# package built by cpack and unpacked with dpkg -x (deb): it runs from there, finds its seed master
# there (no path into the source or build tree is compiled in), and its desktop entry and AppStream
# metainfo validate.
#   install_test.sh install|deb BUILD_DIR SOURCE_DIR VERSION DATA_FILE
set -euo pipefail
mode=$1 build=$2 source=$3 version=$4 data=$5
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

case "$mode" in
  install)
    cmake --install "$build" --prefix "$scratch/root/usr" --strip >/dev/null
    ;;
  deb)
    (cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/pkg" >/dev/null)
    deb=$(ls "$scratch"/pkg/klepsydra_"$version"_*.deb) || fail "no package klepsydra_${version}_*.deb"
    depends=$(dpkg-deb -f "$deb" Depends)
    for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libstdc++6 fonts-ipafont-mincho \
                  fonts-ipafont-gothic; do
      [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
    done
    dpkg -x "$deb" "$scratch/root"
    ;;
  *) fail "unknown mode $mode" ;;
esac

prefix=$scratch/root/usr
prog=$prefix/bin/klepsydra
[ -x "$prog" ] || fail "no $prog"
[ "$("$prog" --version)" = "klepsydra $version" ] || fail "--version says $("$prog" --version)"
cmp -s "$source/resources/KIJUN_DAT" "$prefix/share/klepsydra/KIJUN_DAT" || fail "seed master not installed"
module=$prefix/lib/klepsydra/klepsydra-desktop.so
[ -f "$module" ] || fail "no windows module $module"
# A path compiled in would name a file under one of the trees (the seed master, the module, the
# share folder); the bare root alone is not searched for, since a short one ("/w") turns up by chance
# in machine code. A sanitizer build names its source files in its diagnostics (KLEPSYDRA_SANITIZED):
# there only the run paths are checked.
for f in "$prog" "$module"; do
  [ -n "${KLEPSYDRA_SANITIZED:-}" ] && trees=() || trees=("$source/resources" "$source/src/" "$build/share" \
    "$build/klepsydra" "$build/KIJUN")
  for tree in "${trees[@]}"; do
    if grep -qaF -e "$tree" "$f"; then fail "$f holds a path of the source or build tree: $tree"; fi
  done
  if readelf -d "$f" | grep -E 'RPATH|RUNPATH' | grep -qF -e "$source" -e "$build"; then
    fail "$f has a run path into the source or build tree"
  fi
done
# The batch commands load no Qt at all (pictures are drawn with FreeType); the module does.
needed=$(objdump -p "$prog" | awk '/NEEDED/ {print $2}')
if grep -qE 'Qt6' <<< "$needed"; then fail "the program itself links $needed"; fi
# (Read whole first: grep -q ending the pipe early would fail it under pipefail.)
module_needed=$(objdump -p "$module" | awk '/NEEDED/ {print $2}')
grep -q 'libQt6Widgets' <<< "$module_needed" || fail "the module does not link Qt Widgets"

# Batch commands of the installed program, with a fresh working folder provisioned from its seed.
work=$scratch/work
export LANG=C.UTF-8
"$prog" stats "$data" >"$scratch/stats.txt" || fail "stats failed"
[ "$(head -1 "$scratch/stats.txt")" = "( 基礎計算結果 )" ] || fail "stats printed $(head -1 "$scratch/stats.txt")"
"$prog" graph "$data" --item TP --curves --interval95 --workdir "$work" --png "$scratch/g.png" >/dev/null \
  || fail "graph failed"
cmp -s "$source/resources/KIJUN_DAT" "$work/data_f/KIJUN.DAT" || fail "the working folder was not given the seed"
[ "$(head -c 8 "$scratch/g.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "graph wrote no PNG"
# The report prints through Qt: the program runs it in the installed module.
"$prog" report "$data" --item TP --workdir "$work" --pdf "$scratch/r.pdf" || fail "report failed"
[ "$(head -c 5 "$scratch/r.pdf")" = "%PDF-" ] || fail "report wrote no PDF"

# The windows, from the installed module: a scenario through --script.
QT_QPA_PLATFORM=offscreen bash "$source/tests/run_scenario.sh" "$prog" "$source/tests/scenarios/main_startup_ok.script" \
  >"$scratch/scenario.txt" 2>&1 || { cat "$scratch/scenario.txt"; fail "the installed windows"; }

desktop=$prefix/share/applications/io.github.klepsydra.Klepsydra.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx 'Exec=klepsydra %f' "$desktop" || fail "desktop entry does not open a file"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.klepsydra.Klepsydra.metainfo.xml" >/dev/null \
  || fail "appstreamcli validate"
[ -s "$prefix/share/icons/hicolor/scalable/apps/io.github.klepsydra.Klepsydra.svg" ] || fail "no icon"
[ -s "$prefix/share/doc/klepsydra/LICENSE" ] || fail "no licence"
echo "ok: $mode"
