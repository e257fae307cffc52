#!/usr/bin/env bash
# Installs what is missing, builds Quivra and starts the game.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/setup.sh"

install_missing
configure_build "$root"
if [ ! -x "$root/build/ui/quivra" ]; then
  echo "The game window is not built yet: only the engine and its tests exist so far." >&2
  exit 1
fi
exec "$root/build/ui/quivra"
