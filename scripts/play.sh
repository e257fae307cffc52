#!/usr/bin/env bash
# Installs what is missing, builds Quivra and starts the game.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/setup.sh"

install_missing
configure_build "$root"
exec "$root/build/ui/quivra"
