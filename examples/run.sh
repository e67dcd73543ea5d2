#!/usr/bin/env bash
# The main job on the shipped examples: Ordanik turns the posets of
# posets.txt into a lattice table file (numeric mode), then varnel runs the
# all-subsets analysis of the factors in assign.txt on it. Everything is
# written into a fresh folder under /tmp, whose name is printed at the end.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(dirname "$here")
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$top/build" -j"$(nproc 2>/dev/null || echo 2)" --target varnel ordanik >/dev/null
work=$(mktemp -d /tmp/lattice-examples.XXXXXX)
cp "$here/posets.txt" "$here/assign.txt" "$work/"
cd "$work"
"$top/build/ordanik/ordanik" posets.txt n </dev/null
"$top/build/varnel/varnel" posets_r0.txt assign.txt nnnii </dev/null
echo "Files written in $work:"
ls "$work"
