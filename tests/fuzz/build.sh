#!/usr/bin/env bash
# Builds the four fuzz targets with clang and libFuzzer into build-fuzz/ (or
# the folder given as the first argument), apart from the normal gcc build.
# The programs' code is built with AddressSanitizer and
# UndefinedBehaviorSanitizer and with libFuzzer's coverage instrumentation.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/build-fuzz}
cxx=${CXX:-clang++-14}
command -v "$cxx" >/dev/null 2>&1 || cxx=clang++
flags=(-std=c++20 -g -O1 -Wall -Wextra -fno-omit-frame-pointer
       -fsanitize=address,undefined -fno-sanitize-recover=all -I"$root")

mkdir -p "$out/obj"
sources=()
for f in "$root"/platform/*.cpp "$root"/varnel/*.cpp "$root"/ordanik/*.cpp; do
  case "$(basename "$f")" in main.cpp) continue ;; esac
  sources+=("$f")
done

# One object per source, rebuilt when the source or any header is newer.
newest=$(ls -t "$root"/platform/*.h "$root"/varnel/*.h "$root"/ordanik/*.h | head -1)
objects=()
pids=()
for f in "${sources[@]}"; do
  dir=$(basename "$(dirname "$f")")
  o="$out/obj/$dir-$(basename "${f%.cpp}").o"
  objects+=("$o")
  if [ ! -f "$o" ] || [ "$f" -nt "$o" ] || [ "$newest" -nt "$o" ]; then
    "$cxx" "${flags[@]}" -fsanitize=fuzzer-no-link -c "$f" -o "$o" &
    pids+=($!)
    if [ ${#pids[@]} -ge 2 ]; then wait "${pids[0]}"; pids=("${pids[@]:1}"); fi
  fi
done
for p in "${pids[@]}"; do wait "$p"; done

for target in latticefile assignments poset generation; do
  "$cxx" "${flags[@]}" -fsanitize=fuzzer "$root/tests/fuzz/${target}_fuzz.cpp" "${objects[@]}" \
    -lpthread -o "$out/${target}_fuzz"
done
echo "Fuzz targets built in $out"
