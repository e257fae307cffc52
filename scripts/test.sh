#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# Installs what is missing, builds Quivra, its Windows edition and its browser edition, and
# runs every test: the Windows edition's under Wine (scripts/build-windows.sh --test), then
# the rest through ctest, the page's in Chromium, Firefox ESR and WebKitGTK among them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/setup.sh"

# shellcheck disable=SC2046 # one package a word
install_missing "${QUIVRA_PACKAGES[@]}" "${QUIVRA_TEST_PACKAGES[@]}" $(web_packages)
# Playwright, Puppeteer and Selenium as package-lock.json pins them; they drive Debian's
# browsers and download none.
(cd "$root" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
"$root/scripts/web.sh" --no-serve
configure_build "$root" -DQUIVRA_WEB_SITE="$root/build-web/site"
# The Windows edition, built and tested under Wine; first, so the output ends with ctest's.
bash "$root/scripts/build-windows.sh" --test
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build" --output-on-failure --parallel 2
