#!/usr/bin/env bash
# Builds everything and runs every test, as root on Debian 12:
#   unit      native build (preset "native"), tests/unit through ctest
#   sanitize  tests/unit again under AddressSanitizer and UBSan (preset "sanitize")
#   fuzz      scripts/fuzz.sh: each libFuzzer target DUSTBANE_FUZZ_SECONDS (default 10) on
#             its corpus
#   platform  tests/win, build/windows/platform_tests.exe under Wine in a fresh prefix
#   e2e       tests/e2e, build/windows/e2e_tests.exe driving Dustbane.exe under Wine, each
#             scenario alone in its own copy of a freshly initialised prefix
#   schema    the /json reports the scenarios saved in C:\reports, each validated against
#             docs/report.schema.json (scripts/validate-report.py) before its prefix goes
# and ends with one line "N passed, N failed" (gtest tests over all levels; a build that
# fails counts as one failure). Exits non-zero when anything failed.
#
#   scripts/test.sh                    everything
#   scripts/test.sh 'StartUp.*'        the E2E level runs only the scenarios matching this
#                                      --gtest_filter pattern (the other levels run in full)
#
# DUSTBANE_E2E_JOBS sets how many scenarios run at once (default: the number of cores).
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
# What the "windows" preset builds, whatever the environment says.
DUSTBANE_WIN_BUILD="$DUSTBANE_ROOT/build/windows"

PASSED=0
FAILED=0
SUMMARY=()

# Microseconds since the epoch, for the timings.
now() { echo "${EPOCHREALTIME/./}"; }
elapsed() {
    local tenths=$((($(now) - $1) / 100000))
    echo "$((tenths / 10)).$((tenths % 10)) s"
}

record() { # level, passed, failed, started
    PASSED=$((PASSED + $2))
    FAILED=$((FAILED + $3))
    local line
    line=$(printf '%-9s %4d passed, %d failed (%s)' "$1:" "$2" "$3" "$(elapsed "$4")")
    SUMMARY+=("$line")
    echo "$line"
}

record_failed_step() { # level, what, started
    FAILED=$((FAILED + 1))
    local line
    line=$(printf '%-9s %s FAILED (%s)' "$1:" "$2" "$(elapsed "$3")")
    SUMMARY+=("$line")
    echo "$line"
}

# Runs a command quietly; on failure shows the tail of what it printed.
quietly() { # log, command...
    local log=$1
    shift
    if ! "$@" >"$log" 2>&1; then
        tail -n 60 "$log"
        return 1
    fi
}

# Sets GTEST_PASSED and GTEST_FAILED from a gtest log, test by test, so that a run cut short
# (crash, timeout) still counts what finished: a test started and neither passed nor skipped
# failed, and a run that failed without any failed test counts as one failure.
gtest_counts() { # log, exit code
    local started skipped
    started=$(grep -c '^\[ RUN      \]' "$1")
    skipped=$(grep -cE '^\[  SKIPPED \] .* \([0-9]+ ms\)' "$1")
    GTEST_PASSED=$(grep -c '^\[       OK \]' "$1")
    GTEST_FAILED=$((started - skipped - GTEST_PASSED))
    if [ "$2" -ne 0 ] && [ "$GTEST_FAILED" -eq 0 ]; then
        GTEST_FAILED=1
    fi
}

# A gtest log without the lines of the tests that passed; a test that never finished keeps
# its RUN line, so that a hang names its test.
failure_lines() { # log
    tr -d '\r' <"$1" | awk '
        {
            lines[NR] = $0
            if ($1 == "[" && ($2 == "OK" || $2 == "SKIPPED") && $3 == "]" && $5 ~ /^\(/)
                finished[$4] = 1
        }
        END {
            for (i = 1; i <= NR; i++) {
                split(lines[i], field, " ")
                if (field[1] == "[" && field[3] == "]" &&
                    (field[2] == "OK" || (field[2] == "RUN" && finished[field[4]])))
                    continue
                print lines[i]
            }
        }'
}

# Runs a program of C:\tests in the current prefix with the locale its tests expect.
run_in_prefix() { # locale, program, arguments...
    local locale=$1 program=$2
    shift 2
    (cd "$(prefix_path "$DUSTBANE_TESTS_DIR")" &&
        LC_ALL=$locale timeout 300 wine "$DUSTBANE_TESTS_DIR\\$program" "$@")
}

level_unit() {
    local started log
    started=$(now)
    log="$RUN_DIR/unit.log"
    if ! quietly "$log" cmake --preset native || ! quietly "$log" cmake --build --preset native; then
        record_failed_step unit "native build" "$started"
        return
    fi
    ctest --preset native --output-on-failure >"$log" 2>&1
    local rc=$? summary
    summary=$(grep -E '[0-9]+% tests passed' "$log")
    if [ -z "$summary" ]; then
        tail -n 60 "$log"
        record_failed_step unit "ctest" "$started"
        return
    fi
    local failed total
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
    [ "$rc" -ne 0 ] && sed -n '/tests failed out of/,$p' "$log"
    record unit $((total - failed)) "$failed" "$started"
}

level_sanitize() {
    local started log rc
    started=$(now)
    log="$RUN_DIR/sanitize.log"
    if ! quietly "$log" cmake --preset sanitize || ! quietly "$log" cmake --build --preset sanitize; then
        record_failed_step sanitize "build" "$started"
        return
    fi
    "$DUSTBANE_ROOT/build/sanitize/unit_tests" >"$log" 2>&1
    rc=$?
    gtest_counts "$log" "$rc"
    [ "$rc" -ne 0 ] && tail -n 60 "$log"
    record sanitize "$GTEST_PASSED" "$GTEST_FAILED" "$started"
}

level_fuzz() {
    local started log summary
    started=$(now)
    log="$RUN_DIR/fuzz.log"
    "$DUSTBANE_ROOT/scripts/fuzz.sh" "${DUSTBANE_FUZZ_SECONDS:-10}" >"$log" 2>&1
    summary=$(sed -n 's/^fuzz: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$log")
    if [ -z "$summary" ]; then
        tail -n 60 "$log"
        record_failed_step fuzz "build" "$started"
        return
    fi
    [ "${summary#* }" -ne 0 ] && cat "$log"
    record fuzz "${summary% *}" "${summary#* }" "$started"
}

build_windows() {
    local started log
    started=$(now)
    log="$RUN_DIR/windows-build.log"
    if ! quietly "$log" cmake --preset windows || ! quietly "$log" cmake --build --preset windows; then
        record_failed_step windows "build" "$started"
        return 1
    fi
    echo "windows build: done ($(elapsed "$started"))"
}

# One prefix per run, initialised once; every Wine-run test gets a copy of it.
prepare_template() {
    local started
    started=$(now)
    TEMPLATE="$RUN_DIR/template"
    init_prefix "$TEMPLATE"
    stage_program
    stage_tests
    echo "wine prefix: ready ($(elapsed "$started"))"
}

level_platform() {
    local started log dir rc
    started=$(now)
    if [ ! -f "$DUSTBANE_WIN_BUILD/platform_tests.exe" ]; then
        echo "platform:  no tests yet (tests/win is empty)"
        return
    fi
    dir="$RUN_DIR/platform"
    log="$RUN_DIR/platform.log"
    clone_prefix "$TEMPLATE" "$dir"
    run_in_prefix C.UTF-8 platform_tests.exe >"$log" 2>&1
    rc=$?
    drop_prefix "$dir"
    gtest_counts "$log" "$rc"
    [ "$GTEST_FAILED" -ne 0 ] && failure_lines "$log"
    record platform "$GTEST_PASSED" "$GTEST_FAILED" "$started"
}

# The locale a scenario runs with: a name ending in _ll_CC asks for ll_CC (see the driver).
scenario_locale() {
    if [[ $1 =~ _([a-z]{2})_([A-Z]{2})$ ]]; then
        echo "${BASH_REMATCH[1]}_${BASH_REMATCH[2]}.UTF-8"
    else
        echo C.UTF-8
    fi
}

# Lists the scenarios as Suite.Test, one a line.
list_scenarios() { # gtest filter
    local dir="$RUN_DIR/listing"
    clone_prefix "$TEMPLATE" "$dir"
    run_in_prefix C.UTF-8 e2e_tests.exe --gtest_list_tests --gtest_filter="$1" 2>/dev/null |
        tr -d '\r' | awk '
            /^[^ ]/ { suite = $1; next }
            /^  [^ ]/ { print suite $1 }'
    drop_prefix "$dir"
}

# Validates the /json reports a scenario saved in C:\reports of the current prefix against the
# schema; leaves "passed failed" in the file given and the validator's lines in its log.
validate_reports() { # counts file
    local reports=() line passed=0 failed=0
    shopt -s nullglob
    reports=("$(prefix_path 'C:\reports')"/*.json)
    shopt -u nullglob
    if [ ${#reports[@]} -gt 0 ]; then
        while read -r line; do
            case $line in
            ok\ *) passed=$((passed + 1)) ;;
            *) failed=$((failed + 1)) ;;
            esac
            echo "$line" >>"$1.log"
        done < <(python3 "$DUSTBANE_ROOT/scripts/validate-report.py" \
            "$DUSTBANE_ROOT/docs/report.schema.json" "${reports[@]}" 2>&1)
    fi
    echo "$passed $failed" >"$1"
}

# Runs one scenario in its own prefix; leaves its log and exit code beside it, and the
# counts of its validated reports.
run_scenario() { # index, name
    local dir="$RUN_DIR/e2e/$1" rc started
    started=$(now)
    clone_prefix "$TEMPLATE" "$dir"
    run_in_prefix "$(scenario_locale "$2")" e2e_tests.exe --gtest_filter="$2" >"$dir.log" 2>&1
    rc=$?
    validate_reports "$dir.schema"
    drop_prefix "$dir"
    echo "$rc" >"$dir.rc"
    echo "  $([ "$rc" -eq 0 ] && echo ok || echo FAIL) $2 ($(elapsed "$started"))"
}

level_e2e() {
    local filter=${1:-*} started
    started=$(now)
    if [ ! -f "$DUSTBANE_WIN_BUILD/e2e_tests.exe" ]; then
        record_failed_step e2e "e2e_tests.exe missing" "$started"
        return
    fi
    local scenarios=()
    mapfile -t scenarios < <(list_scenarios "$filter")
    mkdir -p "$RUN_DIR/e2e"
    # In a subshell, so that wait sees the scenarios and not the virtual display.
    (
        jobs=${DUSTBANE_E2E_JOBS:-$(nproc)}
        running=0
        for index in "${!scenarios[@]}"; do
            if [ "$running" -ge "$jobs" ]; then
                wait -n
                running=$((running - 1))
            fi
            run_scenario "$index" "${scenarios[$index]}" &
            running=$((running + 1))
        done
        wait
    )

    local passed=0 failed=0 rc counts schema_passed=0 schema_failed=0
    for index in "${!scenarios[@]}"; do
        counts=$(cat "$RUN_DIR/e2e/$index.schema" 2>/dev/null || echo "0 0")
        schema_passed=$((schema_passed + ${counts% *}))
        schema_failed=$((schema_failed + ${counts#* }))
        if [ "${counts#* }" -ne 0 ]; then
            echo "--- schema ${scenarios[$index]}: a report does not follow the schema:"
            grep -v '^ok ' "$RUN_DIR/e2e/$index.schema.log"
        fi
        rc=$(cat "$RUN_DIR/e2e/$index.rc" 2>/dev/null || echo 1)
        gtest_counts "$RUN_DIR/e2e/$index.log" "$rc"
        passed=$((passed + GTEST_PASSED))
        failed=$((failed + GTEST_FAILED))
        if [ "$GTEST_FAILED" -ne 0 ]; then
            echo "--- e2e ${scenarios[$index]} failed (exit code $rc):"
            failure_lines "$RUN_DIR/e2e/$index.log"
        fi
    done
    if [ ${#scenarios[@]} -eq 0 ]; then
        if [ "$filter" = "*" ]; then
            record_failed_step e2e "listing the scenarios" "$started"
            return
        fi
        echo "e2e:      no scenario matches '$filter'"
    fi
    record e2e "$passed" "$failed" "$started"
    if [ $((schema_passed + schema_failed)) -gt 0 ]; then
        record schema "$schema_passed" "$schema_failed" "$started"
    fi
}

cleanup() {
    stop_xvfb
    if [ -n "${RUN_DIR:-}" ] && [ -d "$RUN_DIR" ]; then
        local prefix
        for prefix in "$RUN_DIR"/*/prefix "$RUN_DIR"/e2e/*/prefix; do
            [ -d "$prefix" ] && WINEPREFIX=$prefix wineserver -k 2>/dev/null
        done
        rm -rf "$RUN_DIR"
    fi
}

main() {
    local filter=${1:-*} started
    started=$(now)
    cd "$DUSTBANE_ROOT" || exit 1
    "$DUSTBANE_ROOT/scripts/install-deps.sh" || exit 1

    RUN_DIR=$(mktemp -d /tmp/dustbane-test.XXXXXX)
    trap cleanup EXIT
    trap 'exit 130' INT TERM

    level_unit
    level_sanitize
    level_fuzz
    if build_windows; then
        start_xvfb || exit 1
        prepare_template
        level_platform
        level_e2e "$filter"
    fi

    echo
    printf '%s\n' "${SUMMARY[@]}"
    echo "total time $(elapsed "$started")"
    echo "$PASSED passed, $FAILED failed"
    [ "$FAILED" -eq 0 ]
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
    main "$@"
fi
