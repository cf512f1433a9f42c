#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time on its corpus in
# tests/fuzz/corpus/<name>/. New inputs go to a scratch copy, so the repository is unchanged.
# Usage: scripts/fuzz.sh [seconds per target, default 20] [target name ...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for binary in build/fuzz/*_fuzz; do
        targets+=("$(basename "$binary" _fuzz)")
    done
fi

passed=0
failed=0
for name in "${targets[@]}"; do
    mkdir -p "$scratch/$name" "tests/fuzz/corpus/$name"
    cp -r "tests/fuzz/corpus/$name/." "$scratch/$name/"
    echo "fuzzing $name for ${seconds}s"
    if "build/fuzz/${name}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$scratch/" "$scratch/$name" >"$scratch/$name.log" 2>&1; then
        passed=$((passed + 1))
        grep -E '^Done [0-9]+ runs' "$scratch/$name.log" || true
    else
        failed=$((failed + 1))
        tail -n 40 "$scratch/$name.log"
        for crash in "$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-*; do
            [ -e "$crash" ] && { echo "input that failed ($crash):"; od -c "$crash" | head -20; }
        done
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
