#!/usr/bin/env bash
# Runs one fuzz target for a set time:
#     bash tests/fuzz/run.sh TARGET SECONDS [more libFuzzer options]
# TARGET is latticefile, assignments, poset or generation. The targets are
# built first when missing (tests/fuzz/build.sh). The run starts from the
# seed corpus in tests/fuzz/corpus/TARGET and grows a working corpus in
# build-fuzz/corpus/TARGET; what it finds goes to build-fuzz/findings/TARGET/.
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: bash tests/fuzz/run.sh latticefile|assignments|poset|generation SECONDS [libFuzzer options]" >&2
  exit 2
fi
target=$1
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${FUZZ_OUT:-$root/build-fuzz}
case "$target" in
  latticefile|assignments|poset|generation) ;;
  *) echo "unknown target: $target" >&2; exit 2 ;;
esac
[ -x "$out/${target}_fuzz" ] || bash "$here/build.sh" "$out"
mkdir -p "$out/corpus/$target" "$out/findings/$target"
dict=()
[ -f "$here/$target.dict" ] && dict=(-dict="$here/$target.dict")
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
exec "$out/${target}_fuzz" "$out/corpus/$target" "$here/corpus/$target" "${dict[@]}" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
  -print_final_stats=1 -artifact_prefix="$out/findings/$target/" "$@"
