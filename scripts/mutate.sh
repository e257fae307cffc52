#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# Measures how many deliberate faults the test suite catches. Each line of
# scripts/mutations.txt (or the file given) is applied to a scratch copy of the sources,
# which is rebuilt and run through ctest: "killed" when a test fails, "survived" when every
# test passes, "stillborn" when the fault does not compile, "missing" when its text is no
# longer in the source. A maintainer's tool: it takes a few minutes and is not part of CI.
#   scripts/mutate.sh [MUTATIONS_FILE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list=$(realpath "${1:-$root/scripts/mutations.txt}")
source "$root/scripts/setup.sh"
install_missing

scratch="$root/build-mutate"
rm -rf "$scratch/src"
mkdir -p "$scratch/src"
# The working tree as it is, uncommitted changes included.
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 cp --parents -t "$scratch/src")
(cd "$scratch/src" && cmake --preset debug -B "$scratch/build" >/dev/null)
cmake --build "$scratch/build" --parallel 2 >/dev/null
export QT_QPA_PLATFORM=offscreen

# file, text, replacement -> applies the first occurrence; exit 3 when the text is absent.
apply() {
    python3 - "$@" <<'PY'
import sys
path, old, new = sys.argv[1], *(s.replace("⏎", "\n") for s in sys.argv[2:])
text = open(path, encoding="utf-8").read()
if old not in text:
    sys.exit(3)
open(path, "w", encoding="utf-8").write(text.replace(old, new, 1))
PY
}

declare -A count=([killed]=0 [survived]=0 [stillborn]=0 [missing]=0)
while IFS= read -r line; do
    [[ -z $line || $line == \#* ]] && continue
    file=${line%%: *}
    rest=${line#*: }
    old=${rest%% ==> *}
    new=${rest#* ==> }
    [[ $rest == *' ==> ' ]] && new=''
    target="$scratch/src/$file"
    cp "$target" "$target.orig"
    if ! apply "$target" "$old" "$new"; then
        outcome=missing
    elif ! cmake --build "$scratch/build" --parallel 2 >/dev/null 2>&1; then
        outcome=stillborn
    elif ctest --test-dir "$scratch/build" --parallel 2 --timeout 60 --stop-on-failure \
        >/dev/null 2>&1; then
        outcome=survived
    else
        outcome=killed
    fi
    mv "$target.orig" "$target"
    touch "$target"
    count[$outcome]=$((count[$outcome] + 1))
    printf '%-9s %s\n' "$outcome" "$line"
done <"$list"
cmake --build "$scratch/build" --parallel 2 >/dev/null
echo "killed ${count[killed]}, survived ${count[survived]}, stillborn ${count[stillborn]}, missing ${count[missing]}"
