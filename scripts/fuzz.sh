#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each on a copy of its seed corpus from tests/data/fuzz.
#   scripts/fuzz.sh [seconds per target, default 8] [target ...]
# Inputs that crash, leak or break a target's property are kept under build/fuzz/findings;
# the script then fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-8}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(keyvaluexml notesfile settingsfile expendituresfile decipher passwordfile strongcipher textlines oldnotes icalimport
             commandline davresponse)
fi

cmake --preset fuzz
cmake --build --preset fuzz

findings=build/fuzz/findings
mkdir -p "$findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TZ=Europe/Warsaw LC_ALL=C.UTF-8
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for target in "${targets[@]}"; do
    echo "== fuzz_$target for ${seconds}s"
    mkdir -p "$work/$target"
    if ! build/fuzz/tests/fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -max_len=16384 -print_final_stats=1 -artifact_prefix="$findings/$target-" \
            "$work/$target" "tests/data/fuzz/$target" 2>"$work/$target.log"; then
        failed=1
        tail -n 60 "$work/$target.log"
        echo "== fuzz_$target FAILED; the input is in $findings"
    else
        grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/$target.log" || true
    fi
done
exit $failed
