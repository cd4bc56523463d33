#!/usr/bin/env bash
# fuzz/run.sh BUILD SECONDS [TARGET…]: runs each fuzz target of BUILD for SECONDS. New inputs
# gather in BUILD/corpus/<target>; fuzz/corpus/<target> gives the seeds and receives each crash,
# minimised, as an input for `make test` to replay. Fails when any target crashed.
set -uo pipefail
build=$1 seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(ls "$here/corpus"))
failed=0
for t in "${targets[@]}"; do
    work="$build/corpus/$t" artifacts="$build/artifacts/$t/"
    rm -rf "$artifacts"
    mkdir -p "$work" "$artifacts"
    echo "== $t: ${seconds}s"
    if ! "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -artifact_prefix="$artifacts" \
        -print_final_stats=1 "$work" "$here/corpus/$t" 2>"$build/fuzz-$t.log"; then
        failed=1
        for crash in "$artifacts"*; do
            kept="$here/corpus/$t/$(basename "$crash")"
            "$build/fuzz/fuzz_$t" -minimize_crash=1 -max_total_time=30 \
                -exact_artifact_path="$kept" "$crash" >/dev/null 2>&1 || cp "$crash" "$kept"
            echo "   crash kept as $kept"
        done
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec)|^(SUMMARY|==[0-9]+==ERROR)' \
        "$build/fuzz-$t.log" | sed 's/^/   /'
done
exit $failed
