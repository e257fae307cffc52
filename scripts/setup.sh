#!/usr/bin/env bash
# Installs what building and testing Quivra needs on Debian 12, then configures build/.
# Sourced by play.sh, test.sh, check.sh, fuzz.sh and bench.sh; does nothing with apt when
# everything is present.
set -euo pipefail

QUIVRA_PACKAGES=(
  cmake ninja-build g++ pkgconf
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  clang-tidy cppcheck
  fonts-liberation2
  # Qt's own words (dialog buttons, file dialogs, context menus) in Spanish: qtbase_es.qm.
  qt6-translations-l10n
  # The desktop-file validators for ctest, and the tools cpack -G DEB runs.
  desktop-file-utils appstream dpkg-dev file
)

missing_packages() {
  local missing=()
  for package in "${QUIVRA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
      || missing+=("$package")
  done
  echo "${missing[@]}"
}

install_missing() {
  local missing
  missing=$(missing_packages)
  [ -z "$missing" ] && return 0
  echo "Installing: $missing"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends $missing
}

configure_build() {
  local root=$1
  cmake -S "$root" -B "$root/build" -G Ninja "${@:2}" >/dev/null
  cmake --build "$root/build" --parallel
}
