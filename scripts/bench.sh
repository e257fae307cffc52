#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# Builds Quivra for speed in build-bench/ (Release) and measures the real program: turns
# through the window, Open and Save, start-up to the first frame and peak memory against a
# yardstick, a Qt window of the game's size with a line of text and a focused entry box,
# started in turns with the game in the same run. Prints one table; the benchmarks' own
# reports go to build-bench/bench.log. Fails when a goal is missed. Run on an otherwise idle
# machine.
#   scripts/bench.sh [RUNS]    RUNS starts of each program for start-up (15 by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/setup.sh"
install_missing

out="$root/build-bench"
(cd "$root" && cmake --preset bench >/dev/null && cmake --build --preset bench >/dev/null)

export QT_QPA_PLATFORM=offscreen
log="$out/bench.log"
: >"$log"
printf '%-52s %12s %32s  %s\n' measure value goal result
printf '%s\n' "$(printf '%.0s-' {1..106})"
status=0
"$out/bench/window_bench" 2>>"$log" || status=1
"$out/bench/startup_bench" "${1:-15}" 2>>"$log" || status=1
exit $status
