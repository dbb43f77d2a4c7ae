#!/usr/bin/env bash
# Runs every fuzz target of a build made with QUILLMERE_FUZZ=ON: first each
# input kept under regressions/<target>/ once, then fuzzing for a bounded time
# from the committed seeds (and, for fonts, the real font files). Fails on any
# finding; what a fuzzer found is left under <build>/fuzz-findings/.
#
#   fuzz/run.sh <build folder> [seconds per target] [targets...]
set -uo pipefail

build=$(cd "$1" && pwd)
seconds=${2:-30}
shift 2 2>/dev/null || shift $#
root=$(cd "$(dirname "$0")" && pwd)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(font project color set sets view paths picture map tmx)

testdata=$(sed -n 's/^QUILLMERE_TESTDATA:PATH=//p' "$build/CMakeCache.txt")
findings=$build/fuzz-findings
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$findings"

# Kept inputs run once each; a fault fixed once must stay fixed.
replay() {
    local target=$1 bin=$2
    local kept=("$root/regressions/$target"/*)
    [ -e "${kept[0]}" ] || return 0
    if ! "$bin" "${kept[@]}" >"$work/$target.replay.log" 2>&1; then
        echo "FAIL $target: a kept regression input fails again"
        grep -E "Running:|broken invariant|ERROR|SUMMARY|runtime error" "$work/$target.replay.log" | head -20
        return 1
    fi
    echo "ok   $target: ${#kept[@]} kept input(s) replayed"
}

fuzz() {
    local target=$1 bin=$2
    local seeds=("$root/corpus/$target")
    if [ "$target" = font ] && [ -d "$testdata/fonts" ]; then seeds+=("$testdata/fonts"); fi
    mkdir -p "$work/$target"
    # The first folder takes what the fuzzer finds new, so the committed
    # seeds stay as they are.
    "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$findings/$target-" "$work/$target" "${seeds[@]}" >"$work/$target.log" 2>&1
}

report() {
    local target=$1 rc=$2
    local log=$work/$target.log
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    if [ "$rc" -eq 0 ]; then
        echo "ok   $target: ${runs:-?} inputs executed, $(ls "$work/$target" | wc -l) in corpus, no findings"
        return 0
    fi
    echo "FAIL $target: finding after ${runs:-?} inputs (exit $rc)"
    grep -E "broken invariant|ERROR: |SUMMARY|runtime error|Test unit written|ALARM|timeout" "$log" | head -20
    # A CI machine is gone afterwards: the input goes into the log, to be
    # taken back with base64 -d.
    local input
    for input in "$findings/$target-"*; do
        [ -f "$input" ] && [ "$(stat -c %s "$input")" -le 65536 ] || continue
        echo "base64 of $(basename "$input"):"
        base64 -w0 "$input"
        echo
    done
    return 1
}

failed=0
declare -A pid
for target in "${targets[@]}"; do
    bin=$build/fuzz/fuzz_$target
    if [ ! -x "$bin" ]; then
        echo "FAIL $target: $bin is not built"
        failed=1
        continue
    fi
    if ! replay "$target" "$bin"; then
        failed=1
        continue
    fi
    # Two at a time: the machine has two cores.
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n; done
    fuzz "$target" "$bin" &
    pid[$target]=$!
done

for target in "${targets[@]}"; do
    [ -n "${pid[$target]:-}" ] || continue
    wait "${pid[$target]}"
    report "$target" $? || failed=1
done

if [ $failed -ne 0 ]; then
    echo "fuzzing: FAILED (inputs that fail are under $findings; keep each under fuzz/regressions/<target>/)"
    exit 1
fi
echo "fuzzing: all targets passed"
