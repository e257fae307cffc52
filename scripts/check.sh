#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# The quality gates: clang-tidy over engine/, ui/, tests/ and bench/, cppcheck over engine/,
# ui/ and win/, shellcheck over the scripts, ESLint and Prettier over web/, reuse lint over
# the whole tree, then every test under AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/. A single finding, warning or sanitizer report fails the script.
#   scripts/check.sh          all of them
#   scripts/check.sh lint     the linters only
#   scripts/check.sh sanitize the sanitized tests only
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/setup.sh"
# shellcheck disable=SC2046 # one package a word
install_missing "${QUIVRA_PACKAGES[@]}" $(node_packages)

what=${1:-all}
asan="$root/build-asan"
jobs=2

# The asan preset: a Debug build with both sanitizers, without the benchmarks (bench.sh
# times those in a Release build).
configure_asan() {
    (cd "$root" && cmake --preset asan >/dev/null)
}

# Our own C++ sources: not what the build generates, not the Windows-only files, whose
# clang-tidy needs MinGW's headers and runs in scripts/build-windows.sh --test.
our_sources() {
    (cd "$root" && find engine ui tests tests/fuzz bench -maxdepth 1 -name '*.cpp' \
        ! -name '*_windows.cpp' ! -name 'win_*.cpp' | sort)
}

run_clang_tidy() {
    echo "== clang-tidy"
    local log
    log=$(mktemp)
    # clang-tidy reads the flags from the compile database of build/, which only has to be
    # configured; it is the one that holds the benchmarks. The checks are in .clang-tidy.
    (cd "$root" && cmake --preset dev >/dev/null)
    if ! our_sources | (cd "$root" && xargs -P "$jobs" -n 1 clang-tidy-14 --quiet \
        -p "$root/build" --warnings-as-errors='*') >"$log" 2>&1; then
        grep -v ' warnings\? generated\.$' "$log" >&2 || true
        rm -f "$log"
        echo "clang-tidy: warnings above" >&2
        return 1
    fi
    rm -f "$log"
    echo "clang-tidy: no warnings in $(our_sources | wc -l) files"
}

run_cppcheck() {
    echo "== cppcheck"
    # Only our headers are given: cppcheck reads Qt's and the standard library's through
    # its qt and std configurations instead. win/ is here too; its clang-tidy needs MinGW's
    # headers, so scripts/build-windows.sh runs that.
    (cd "$root" && cppcheck --quiet --error-exitcode=1 --inline-suppr \
        --enable=warning,style,performance,portability --std=c++20 --language=c++ \
        --library=qt -I engine -I ui -I win -j "$jobs" \
        --template='{file}:{line}: {severity}: {message} [{id}]' engine ui win)
    echo "cppcheck: no warnings"
}

run_shellcheck() {
    echo "== shellcheck"
    (cd "$root" && shellcheck -x scripts/*.sh .ci/run)
    echo "shellcheck: no findings"
}

# ESLint and Prettier as package-lock.json pins them.
run_javascript() {
    echo "== ESLint and Prettier"
    (cd "$root" && npm ci --no-audit --no-fund --loglevel=error >/dev/null &&
        node_modules/.bin/eslint --max-warnings 0 web eslint.config.mjs &&
        node_modules/.bin/prettier --check --log-level warn web eslint.config.mjs)
    echo "ESLint and Prettier: no findings"
}

run_reuse() {
    echo "== reuse lint"
    (cd "$root" && reuse lint --quiet) || { (cd "$root" && reuse lint) >&2; return 1; }
    echo "reuse: every file has its copyright and licence"
}

run_sanitized_tests() {
    echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    # The test preset sets the sanitizers' options and the offscreen display.
    (cd "$root" && cmake --build --preset asan && ctest --preset asan)
    # A sanitizer that only printed (one a test caught, say) still fails the gate.
    if grep -E 'ERROR: (Address|Leak)Sanitizer|runtime error:' \
        "$asan/Testing/Temporary/LastTest.log"; then
        echo "sanitizer reports in $asan/Testing/Temporary/LastTest.log" >&2
        return 1
    fi
    echo "sanitizers: no reports"
}

lint() {
    run_clang_tidy && run_cppcheck && run_shellcheck && run_javascript && run_reuse
}

case $what in
lint) lint ;;
sanitize) configure_asan && run_sanitized_tests ;;
all) lint && configure_asan && run_sanitized_tests ;;
*)
    echo "usage: scripts/check.sh [lint|sanitize]" >&2
    exit 2
    ;;
esac
