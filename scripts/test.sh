#!/usr/bin/env bash
# Installs what is missing, builds Quivra and runs every test through ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/setup.sh"

install_missing "${QUIVRA_PACKAGES[@]}" "${QUIVRA_TEST_PACKAGES[@]}"
configure_build "$root"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build" --output-on-failure --parallel 2
