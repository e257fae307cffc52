#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# Cross-builds the Windows edition with Debian's MinGW-w64: build-windows/quivra.exe, one
# program with nothing beside it, and build-windows/quivra-VERSION-windows.zip holding it,
# a short Spanish LEEME.txt and the licences.
#
# With --test it then runs clang-tidy over win/, and every Windows test under Wine: the
# engine's and the commands' (the Windows save path, wide-character file names), the window
# driven through its messages, and the real program, its version resource and icon read
# back, answering its real file dialogs and message boxes.
# Wine runs in a throwaway prefix with its null display driver, so no screen is needed.
#
# Installs g++-mingw-w64-x86-64-posix, wine, clang-tidy and Debian's googletest sources when
# missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build-windows"
run_tests=false
case "${1:-}" in
  --test) run_tests=true ;;
  "") ;;
  *) echo "usage: scripts/build-windows.sh [--test]" >&2; exit 2 ;;
esac

source "$root/scripts/setup.sh"
install_missing cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 googletest clang-tidy

# Debian keeps wine64 out of PATH; the wine wrapper would only add a warning about wine32.
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine

# A throwaway Wine prefix, so nothing is left in ~/.wine and every run starts the same. The
# build needs it too: it lists the tests of each test program by running it.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/quivra-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
# Made up front, where its complaints about the missing 32-bit half can be dropped. The null
# display driver keeps windows, focus and message boxes working without an X server, and
# hides a window at once where a window-less X server would keep Wine waiting two seconds.
"$wine" wineboot --init >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1

# GoogleTest from the sources Debian ships, built once with the same compiler; the windows
# preset finds it there.
gtest="$out/googletest"
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$gtest/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$gtest/install" >/dev/null
  cmake --build "$gtest/build" --parallel 2
  cmake --install "$gtest/build" >/dev/null
fi

build="$out/quivra"
(cd "$root" && cmake --preset windows >/dev/null && cmake --build --preset windows)

# The program, and the zip a player downloads: the program, its LEEME.txt and the licences'
# texts in a folder.
# The version is project()'s, as the build recorded it.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
cp "$build/win/quivra.exe" "$out/quivra.exe"
stage="$out/zip/Quivra-$version"
rm -rf "$out/zip"
mkdir -p "$stage"
cp "$out/quivra.exe" "$stage/"
# Notepad reads the byte order mark and the CR LF line ends on every Windows.
windows_text() { printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$1"; }
windows_text "$root/packaging/windows/LEEME.txt" >"$stage/LEEME.txt"
mkdir "$stage/LICENSES"
for licence in "$root"/LICENSES/*.txt; do
  windows_text "$licence" >"$stage/LICENSES/$(basename "$licence")"
done
zip="$out/quivra-$version-windows.zip"
rm -f "$zip"
(cd "$out/zip" && cmake -E tar cf "$zip" --format=zip "Quivra-$version")
echo "build-windows: $out/quivra.exe ($(stat -c %s "$out/quivra.exe") bytes) and $zip"

$run_tests || exit 0

# clang-tidy over the Windows face, with MinGW's own C++ headers (win/.clang-tidy says why
# one check is off there). A single warning fails the run.
cxx_headers=$(find /usr/lib/gcc/x86_64-w64-mingw32 -mindepth 3 -maxdepth 3 \
  -path '*-posix/include/c++' | sort -V | tail -1)
clang-tidy --quiet -p "$build" --extra-arg=--target=x86_64-w64-mingw32 \
  --extra-arg=-isystem"$cxx_headers" --extra-arg=-isystem"$cxx_headers/x86_64-w64-mingw32" \
  "$root"/win/*.cpp "$root"/tests/win_*.cpp 2>/dev/null
echo "build-windows: clang-tidy found nothing in win/ and its tests"

echo "Running under $("$wine" --version)"

# Each test program once, as Windows would run it; gtest prints failures and a summary.
cd "$build"
tests=(tests/*_tests.exe)
[ -e "${tests[0]}" ] || { echo "build-windows: no test programs were built" >&2; exit 1; }
failed=()
for test in "${tests[@]}"; do
  echo "== $test"
  # A program stuck in a dialog fails instead of stalling the run.
  timeout 300 "$wine" "./$test" --gtest_brief=1 || failed+=("$test")
done
echo "== the real quivra.exe"
timeout 300 "$wine" tests/win_program_check.exe 'win\quivra.exe' || failed+=(win_program_check)

if ((${#failed[@]})); then
  echo "build-windows: failed: ${failed[*]}" >&2
  exit 1
fi
echo "build-windows: every Windows test passed"
