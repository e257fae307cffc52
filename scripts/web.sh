#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# Builds the browser edition into build-web/site/ (the page, the game's WebAssembly, the
# pictures and the web fonts) and serves it at http://localhost:8000. Any static web server
# can publish that folder as it is.
#   scripts/web.sh              build and serve
#   scripts/web.sh --no-serve   only build
#   scripts/web.sh --bench [RUNS [AUDITS]]
#                               build, then measure the page in headless Chromium against its
#                               goals (turn, start, transfer), and audit its first load with
#                               Lighthouse on a phone and a desktop; fails when one is missed
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/setup.sh"
# shellcheck disable=SC2046 # one package a word
install_missing "${QUIVRA_PACKAGES[@]}" $(web_packages)

out="$root/build-web"
site="$out/site"
# em++ finds its JavaScript optimiser through NODE_PATH when Node.js is not Debian's.
export NODE_PATH=/usr/share/nodejs
# The web preset: emscripten's toolchain. Configure and build speak only when they fail.
if ! configured=$(cd "$root" && cmake --preset web 2>&1); then
  echo "$configured" >&2
  exit 1
fi
if ! built=$(cd "$root" && cmake --build --preset web 2>&1); then
  echo "$built" >&2
  exit 1
fi

rm -rf "$site"
mkdir -p "$site"
cp "$out/wasm/web/quivra.js" "$out/wasm/web/quivra.wasm" "$root/web/index.html" \
  "$root/web/page.js" "$root/web/after-load.js" "$root/web/manifest.webmanifest" "$site/"
node "$out/wasm/web/window_css.js" >"$site/window.css"
# The artwork as it is in ui/assets at build time, every density: a browser fetches @2x
# only on a high-density screen.
cp "$root"/ui/assets/*.jpg "$root"/ui/assets/*.png "$site/"

# Liberation Sans and Serif cut down to what the game can show: Latin-1, and whatever else
# the story, the commands and the page write. Each face comes twice: that whole, and the
# Spanish the game writes, which the page asks for first; a browser fetches the whole face
# only for a character the Spanish one lacks (one a player types, say). Rebuilt only when a
# source is newer.
fonts="$out/fonts"
mkdir -p "$fonts"
sources=("$root"/engine/*.cpp "$root"/engine/*.hpp "$root"/web/index.html "$root"/web/page.js)
chars="$fonts/characters.txt"
python3 - "${sources[@]}" >"$chars.new" <<'PY'
import sys
shown = {chr(c) for c in range(0x20, 0x7F)} | {chr(c) for c in range(0xA0, 0x100)}
for path in sys.argv[1:]:
    shown |= {c for c in open(path, encoding="utf-8").read() if ord(c) > 0xFF}
print("".join(sorted(shown)))
PY
cmp -s "$chars.new" "$chars" || mv "$chars.new" "$chars"
rm -f "$chars.new"
spanish="U+20-7E,U+A1,U+AB,U+BB,U+BF,U+C1,U+C9,U+CD,U+D1,U+D3,U+DA,U+DC,U+E1,U+E9,U+ED,U+F1"
spanish+=",U+F3,U+FA,U+FC,U+2026"
faces=$out/faces.css
: >"$faces"
for face in LiberationSans-Regular LiberationSans-Bold LiberationSerif-Regular; do
  ttf=/usr/share/fonts/truetype/liberation2/$face.ttf
  made=$fonts/$face-es.woff2
  if [[ ! -f $made || $chars -nt $made || $ttf -nt $made || $0 -nt $made ]]; then
    pyftsubset "$ttf" --text-file="$chars" --flavor=woff2 \
      --drop-tables+=FFTM --output-file="$fonts/$face.woff2"
    pyftsubset "$ttf" --unicodes="$spanish" --flavor=woff2 \
      --drop-tables+=FFTM --output-file="$fonts/$face-es.woff2"
  fi
  cp "$fonts/$face.woff2" "$fonts/$face-es.woff2" "$site/"
  family=${face%-*}
  weight=400
  [[ $face == *-Bold ]] && weight=700
  # The later rule wins where both hold a character. The fallback draws the text at once;
  # the face replaces it when it arrives.
  for file in "$face.woff2" "$face-es.woff2"; do
    range=
    [[ $file == *-es.woff2 ]] && range="unicode-range: $spanish; "
    printf '@font-face { font-family: "Liberation %s"; src: url(%s) format("woff2"); %sfont-weight: %s; font-display: swap; }\n' \
      "${family#Liberation}" "$file" "$range" "$weight" >>"$faces"
  done
done
cat "$faces" "$root/web/quivra.css" >"$site/quivra.css"

# The installed app's icons, drawn from the window's icon. They are rendered here rather than
# kept in ui/assets, whose every PNG the desktop build embeds. The maskable one is the cloud on
# the page's blue, inside the middle 80 % that every launcher's mask leaves showing.
icons="$out/icons"
mkdir -p "$icons"
svg="$root/ui/assets/src/quivra.svg"
if [[ ! -f $icons/quivra-maskable-512.png || $svg -nt $icons/quivra-maskable-512.png ]]; then
  rsvg-convert --width 192 --height 192 --output "$icons/quivra-192.png" "$svg"
  rsvg-convert --width 512 --height 512 --output "$icons/quivra-512.png" "$svg"
  python3 - "$svg" >"$icons/maskable.svg" <<'PY'
import re, sys
icon = open(sys.argv[1], encoding="utf-8").read()
root = re.match(r"<svg\b[^>]*>", icon.strip()).group(0)
placed = re.sub(r'\s(width|height)="[^"]*"', "", root).replace("<svg", '<svg x="4.8" y="4.8" width="22.4" height="22.4"', 1)
inner = icon.strip().replace(root, placed, 1)
print('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">'
      f'<rect width="32" height="32" fill="#3a6ea5"/>{inner}</svg>')
PY
  rsvg-convert --width 512 --height 512 --output "$icons/quivra-maskable-512.png" "$icons/maskable.svg"
fi
cp "$icons"/*.png "$site/"

# The service worker: this build's every file and a cache named after their bytes, above the
# worker's code.
(
  cd "$site"
  files=(*)
  printf 'const cacheName = "quivra-%s";\n' "$(sha256sum -- "${files[@]}" | sha256sum | cut -c1-16)"
  printf 'const files = [\n'
  printf '  "%s",\n' "${files[@]}"
  printf '];\n'
  cat "$root/web/service-worker.js"
) >"$out/service-worker.js"
mv "$out/service-worker.js" "$site/"

echo "web: built $site"
if [[ ${1:-} == --bench ]]; then
  (cd "$root" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
  python3 "$root/scripts/serve-site.py" 8001 "$site" &
  server=$!
  trap 'kill $server' EXIT
  # Up to ten seconds for the server to answer.
  answers() {
    python3 -c 'import sys, urllib.request; urllib.request.urlopen(sys.argv[1], timeout=1)' \
      http://127.0.0.1:8001/ 2>/dev/null
  }
  for ((tries = 100; tries > 0; tries--)); do
    answers && break
    sleep 0.1
  done
  ((tries > 0)) || { echo "web: the page's server did not answer" >&2; exit 1; }
  status=0
  node "$root/web/bench/page_bench.mjs" http://127.0.0.1:8001/ "${2:-20}" || status=$?
  # Lighthouse drives Debian's Chromium through chrome-launcher and never fetches a browser.
  CHROME_PATH=/usr/bin/chromium node "$root/web/bench/lighthouse_bench.mjs" \
    http://127.0.0.1:8001/ "${3:-3}" || status=$?
  exit "$status"
elif [[ ${1:-} != --no-serve ]]; then
  echo "web: serving Quivra at http://localhost:8000 (Ctrl+C stops)"
  exec python3 "$root/scripts/serve-site.py" 8000 "$site"
fi
