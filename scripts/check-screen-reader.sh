#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# Plays three turns under a real screen reader and fails unless it spoke each of them once:
# "zarpar" (the verdict, then the passage), a wrong phrase, and the turn into the pic_2_2
# picture (the verdict, then the picture's title). Orca runs in a session of its own (Xvfb,
# D-Bus, the accessibility bus) and writes what it speaks to its debug file; xdotool types
# into the game through the X server, with the focus left in the entry box.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/setup.sh"

install_missing "${QUIVRA_PACKAGES[@]}" "${QUIVRA_TEST_PACKAGES[@]}"
configure_build "$root" # the game as its sources are now, not as last built

# What the turns must say, read from the sources so that a story edit does not break it.
first_words=$(sed -n '/kZarpar\[\] = {/{n;p;q}' "$root/engine/passages.hpp" |
  sed 's/^ *"//' | cut -d' ' -f1-3)
title=$(sed -n 's/^ *{"pic_2_2", .*"\([^"]*\)",$/\1/p' "$root/engine/window_design.cpp")
if [ -z "$first_words" ] || [ -z "$title" ]; then
  echo "check-screen-reader: cannot read the words to listen for" >&2
  exit 1
fi

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
  rm -rf "$session"
}
trap finish EXIT

fail() { echo "check-screen-reader: $*" >&2; exit 1; }
# within TENTHS COMMAND...: waits up to TENTHS tenths of a second for COMMAND to succeed.
within() {
  local tenths=$1
  shift
  for ((; tenths > 0; tenths--)); do "$@" && return 0; sleep 0.1; done
  return 1
}
spoken() { grep -a "SPEECH OUTPUT" "$log" | grep -cF -- "$1" || true; }
heard() { [ "$(spoken "$1")" -ge 1 ]; }
game_window() {
  window=$(xdotool search --onlyvisible --name '^Quivra$' 2>/dev/null | head -n 1)
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

"$root/build/ui/quivra" >>"$session/errors" 2>&1 &
pids+=($!)
within 100 game_window || fail "the game window did not appear"
timeout 10 xdotool windowfocus --sync "$window" || fail "cannot give the game the focus"
within 100 heard "Comando" || fail "the focus never reached txtComando"

# Clears the entry box, types a phrase at a player's pace and presses Enter.
play() {
  xdotool key ctrl+a
  xdotool type --delay 60 "$1"
  settle
  xdotool key Return
}
for turn in "zarpar|Ok. $first_words" "nadar|Equivocado" "acercarse a las aves marinas|Fin. $title"
do
  play "${turn%%|*}"
  within 100 heard "${turn#*|}" || fail "did not hear \"${turn#*|}\""
done
settle
for said in "Ok. $first_words" "Equivocado" "Fin. $title"; do
  [ "$(spoken "$said")" -eq 1 ] || fail "heard \"$said\" $(spoken "$said") times, not once"
done
echo "check-screen-reader: Orca spoke each turn once: Ok, Equivocado, Fin and \"$title\""
