#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# The set-up every script shares, sourced by play.sh, test.sh, web.sh, check.sh, fuzz.sh,
# bench.sh, mutate.sh, build-windows.sh and check-screen-reader.sh: the Debian 12 packages
# that building and testing Quivra needs, and two functions. install_missing installs those
# of a list (QUIVRA_PACKAGES by default) that are missing, with apt-get, through sudo when not
# root, and does nothing when all are there; configure_build configures and builds build/
# through the dev preset of CMakePresets.json.
set -euo pipefail

QUIVRA_PACKAGES=(
  cmake ninja-build g++ pkgconf
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  # The gates of scripts/check.sh.
  clang-tidy cppcheck shellcheck reuse
  fonts-liberation2
  # Qt's own words (dialog buttons, file dialogs, context menus) in Spanish: qtbase_es.qm.
  qt6-translations-l10n
  # The desktop-file validators for ctest, and the tools cpack -G DEB runs.
  desktop-file-utils appstream dpkg-dev file
)

# Test tools only, installed by test.sh and check-screen-reader.sh but not play.sh: a screen
# reader in a session of its own (an X server, D-Bus and the accessibility bus), xdotool to
# type into the game as a player does, the other engines the page is heard and played in
# (Firefox ESR, and WebKitGTK through its WebDriver under xvfb-run), and what the picture
# generator's test draws with.
# shellcheck disable=SC2034 # used by the scripts that source this one
QUIVRA_TEST_PACKAGES=(
  orca xvfb xauth dbus at-spi2-core xdotool firefox-esr webkit2gtk-driver
  python3-numpy python3-cairo librsvg2-bin imagemagick
)

# Node.js and npm, for the page's tests and the JavaScript gates: Debian's only where no
# Node.js is present. The drivers npm installs use Debian's browsers and download none.
export PUPPETEER_SKIP_DOWNLOAD=1
node_packages() {
  command -v node >/dev/null || echo nodejs
  command -v npm >/dev/null || echo npm
}

# The browser edition's tools, installed by web.sh and test.sh but not play.sh: the WebAssembly
# compiler, the browser the page's test drives, the font subsetter and the SVG renderer for the
# installed app's icons, with Node.js.
web_packages() {
  echo emscripten chromium fonttools python3-brotli librsvg2-bin
  node_packages
}

missing_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
      || missing+=("$package")
  done
  echo "${missing[@]}"
}

# install_missing [PACKAGE...]: the packages named, QUIVRA_PACKAGES when none are.
install_missing() {
  local missing
  if [ $# -eq 0 ]; then
    set -- "${QUIVRA_PACKAGES[@]}"
  fi
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  echo "Installing: $missing"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  # Another apt-get or an unattended upgrade may hold the lock: wait for it, up to ten minutes.
  local apt=(apt-get -o DPkg::Lock::Timeout=600)
  "${sudo[@]}" "${apt[@]}" update -qq
  # shellcheck disable=SC2086 # one package a word
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" "${apt[@]}" install -y -qq --no-install-recommends \
    $missing
}

# configure_build ROOT [CMAKE_ARGUMENT...]: configures build/ through the dev preset, with the
# arguments given, and builds it.
configure_build() {
  local root=$1
  (cd "$root" && cmake --preset dev "${@:2}" >/dev/null && cmake --build --preset dev)
}
