#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# Plays four turns under a real screen reader and fails unless it spoke each of them once:
# "zarpar" (the verdict, then the passage), a wrong phrase twice, and the turn into the
# pic_2_2 picture (the verdict, then the picture's title and description). The desktop window,
# the page in Chromium and the page in Firefox ESR are each played in a session of their own
# (Xvfb, D-Bus, the accessibility bus, Orca writing what it speaks to its debug file); xdotool
# types through the X server, with the focus left in the entry box.
#   scripts/check-screen-reader.sh [desktop|chromium|firefox|all]   all by default
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/setup.sh"

face=${1:-all}
case $face in
all | desktop | chromium | firefox) ;;
*)
  echo "usage: $0 [desktop|chromium|firefox|all]" >&2
  exit 2
  ;;
esac

# The game as its sources are now, not as last built.
if [ "${QUIVRA_BUILT:-}" != 1 ]; then
  install_missing "${QUIVRA_PACKAGES[@]}" "${QUIVRA_TEST_PACKAGES[@]}"
  if [ "$face" = desktop ] || [ "$face" = all ]; then
    configure_build "$root"
  else
    cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
    cmake --build "$root/build" --parallel 2 --target spoken_words >/dev/null
  fi
  [ "$face" = desktop ] || "$root/scripts/web.sh" --no-serve >/dev/null
fi
if [ "$face" = all ]; then
  for each in desktop chromium firefox; do QUIVRA_BUILT=1 "$0" "$each"; done
  exit 0
fi

# What the turns must say, from the game itself: per phrase, the verdict with the words that
# open what follows it, then the words that close it.
phrases=("zarpar" "nadar" "nadar" "acercarse a las aves marinas")
mapfile -t said < <("$root/build/tests/spoken_words" "${phrases[@]}")
[ "${#said[@]}" -eq "${#phrases[@]}" ] || {
  echo "check-screen-reader: cannot tell the words to listen for" >&2
  exit 1
}

session=$(mktemp -d)
log="$session/orca.log"
pids=()
finish() {
  local status=$? pid i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pid=${pids[i]}
    kill "$pid" 2>/dev/null || continue
    for _ in {1..50}; do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ "$status" -ne 0 ] && [ -f "$log" ]; then
    echo "The last things Orca said:" >&2
    grep -a "SPEECH OUTPUT" "$log" | tail -n 20 >&2
    tail -n 20 "$session/errors" >&2
  fi
  if [ -n "${QUIVRA_ORCA_LOG:-}" ] && [ -f "$log" ]; then
    grep -a "SPEECH OUTPUT" "$log" >"$QUIVRA_ORCA_LOG" || true
  fi
  rm -rf "$session"
}
trap finish EXIT

fail() { echo "check-screen-reader ($face): $*" >&2; exit 1; }
# within TENTHS COMMAND...: waits up to TENTHS tenths of a second for COMMAND to succeed.
within() {
  local tenths=$1
  shift
  for ((; tenths > 0; tenths--)); do "$@" && return 0; sleep 0.1; done
  return 1
}
spoken() { grep -a "SPEECH OUTPUT" "$log" | grep -cF -- "$1" || true; }
heard() { [ "$(spoken "$1")" -ge "${2:-1}" ]; }
game_window() {
  window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1)
  [ -n "$window" ]
}
# Orca is idle once its log stops growing; a turn sent in a flood of events may be dropped.
settle() {
  local size=-1
  for _ in {1..30}; do
    [ "$(stat -c %s "$log")" = "$size" ] && return
    size=$(stat -c %s "$log")
    sleep 0.3
  done
}

# Nothing of the user's own session is read or written.
mkdir -m 700 "$session/home" "$session/run"
export HOME="$session/home" XDG_RUNTIME_DIR="$session/run" XDG_CONFIG_HOME="$session/home"
export XDG_DATA_HOME="$session/home" XDG_CACHE_HOME="$session/home" LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY SESSION_MANAGER
# Orca would otherwise start a speech server; what it speaks goes to its log all the same.
export SPEECHD_CMD=/bin/false
# The browsers turn their accessibility on for the bus only when asked.
export GNOME_ACCESSIBILITY=1

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$session/display" \
  >>"$session/errors" 2>&1 &
pids+=($!)
within 100 test -s "$session/display" || fail "Xvfb did not start"
DISPLAY=":$(cat "$session/display")"
export DISPLAY
dbus-daemon --session --nofork --print-address=3 3>"$session/bus" >>"$session/errors" 2>&1 &
pids+=($!)
within 100 test -s "$session/bus" || fail "D-Bus did not start"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$session/bus")
export DBUS_SESSION_BUS_ADDRESS
/usr/libexec/at-spi-bus-launcher --launch-immediately >>"$session/errors" 2>&1 &
pids+=($!)
# Orca will not start beside another Orca of the same user, so the check cannot run under one.
if command -v pgrep >/dev/null && pgrep -u "$(id -u)" -x orca >/dev/null; then
  fail "Orca is already running for this user"
fi
# Orca writes its log as it goes, not in blocks, so each spoken line can be waited for.
mkdir "$session/orca"
printf 'import orca.debug\norca.debug.debugFile.reconfigure(line_buffering=True)\n' \
  >"$session/orca/orca-customizations.py"
orca --user-prefs "$session/orca" --debug-file "$log" >/dev/null 2>&1 &
pids+=($!)
within 300 grep -qs "ORCA: Startup complete" "$log" || fail "Orca did not start"

# The site served as any static server would, on a port of its own.
serve() {
  local port
  port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/build-web/site" \
    >>"$session/errors" 2>&1 &
  pids+=($!)
  url="http://127.0.0.1:$port/"
  within 100 curl -sf -o /dev/null "$url" || fail "the site was not served"
}

case $face in
desktop)
  title='^Quivra$'
  "$root/build/ui/quivra" >>"$session/errors" 2>&1 &
  pids+=($!)
  ;;
chromium)
  serve
  title='^Quivra$'
  sandbox=()
  [ "$(id -u)" -eq 0 ] && sandbox=(--no-sandbox)
  /usr/bin/chromium "${sandbox[@]}" --user-data-dir="$session/browser" --no-first-run \
    --no-default-browser-check --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --password-store=basic \
    --force-renderer-accessibility --disable-features=Translate --window-size=800,650 \
    --app="$url" \
    >>"$session/errors" 2>&1 &
  pids+=($!)
  ;;
firefox)
  serve
  title='^Quivra — '
  mkdir "$session/browser"
  cat >"$session/browser/user.js" <<'PREFS'
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("browser.aboutwelcome.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("app.update.auto", false);
user_pref("browser.sessionstore.resume_from_crash", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("extensions.pocket.enabled", false);
PREFS
  firefox-esr --no-remote --new-instance --profile "$session/browser" --width 800 \
    --height 650 "$url" >>"$session/errors" 2>&1 &
  pids+=($!)
  ;;
esac
within 300 game_window || fail "the game window did not appear"
timeout 10 xdotool windowfocus --sync "$window" || fail "cannot give the game the focus"
# Orca may drop the entry's first announcement when the browser's load-complete reaches it just
# after the focus, and say only the tooltip; moving the focus out and back has it said whole.
if ! within 300 heard "Comando"; then
  heard "comando" || fail "the focus never reached txtComando"
  settle
  xdotool key shift+Tab
  settle
  xdotool key Tab
  within 100 heard "Comando" || fail "txtComando was never announced by its name"
fi
settle

# Clears the entry box, types a phrase at a player's pace and presses Enter; then each turn
# must have said its verdict and what opens its text once, and what closes it.
for i in "${!phrases[@]}"; do
  opening=${said[i]%%$'\t'*}
  closing=${said[i]#*$'\t'}
  before=$(spoken "$opening")
  closed=$(spoken "$closing")
  xdotool key ctrl+a
  xdotool type --delay 60 "${phrases[i]}"
  settle
  xdotool key Return
  within 100 heard "$opening" $((before + 1)) || fail "did not hear \"$opening\""
  within 100 heard "$closing" $((closed + 1)) || fail "did not hear \"$closing\""
  settle
  [ "$(spoken "$opening")" -eq $((before + 1)) ] ||
    fail "heard \"$opening\" $(($(spoken "$opening") - before)) times after \"${phrases[i]}\", not once"
done
echo "check-screen-reader ($face): Orca spoke each turn once: ${said[*]%%$'\t'*}"
