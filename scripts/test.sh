#!/usr/bin/env bash
# Installs what is missing, builds Quivra and runs every test: the Windows edition's under
# Wine (scripts/build-windows.sh --test), then the rest through ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/setup.sh"

install_missing
configure_build "$root"
# The Windows edition, built and tested under Wine; first, so the output ends with ctest's.
bash "$root/scripts/build-windows.sh" --test
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build" --output-on-failure --parallel 2
