#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# Builds the progress-file fuzzer with clang (libFuzzer, AddressSanitizer, UndefinedBehavior-
# Sanitizer) in build-fuzz/ and runs it for SECONDS seconds (30 by default). A crash, a leak
# or an input slower than the time-out fails the script; the failing input is kept in
# build-fuzz/ for replay: build-fuzz/tests/progress_file_fuzzer FILE
set -euo pipefail
seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/setup.sh"
install_missing

out="$root/build-fuzz"
mkdir -p "$out/corpus"
# The fuzz preset: clang, the sanitizers and the fuzzer target.
(cd "$root" && cmake --preset fuzz >/dev/null && cmake --build --preset fuzz)
fuzzer="$out/tests/progress_file_fuzzer"

# New inputs go to build-fuzz/corpus; the seeds in the repository are only read.
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=16384 -print_final_stats=1 -artifact_prefix="$out/" \
  "$out/corpus" "$root/tests/fuzz/corpus"
