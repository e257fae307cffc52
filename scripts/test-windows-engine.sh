#!/usr/bin/env bash
# Builds the engine and its tests for 64-bit Windows with MinGW-w64 and runs them under Wine:
# the Windows save path (durable_file_windows.cpp), wide-character file names and the
# program's version resource. Not part of .ci/run: on a fresh Debian 12 it takes about two
# minutes, half a minute of it installing packages.
#
# Installs g++-mingw-w64-x86-64-posix, wine and Debian's googletest sources when missing,
# and builds in build-windows/. Test output goes to the terminal.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build-windows"

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 googletest)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi

# Debian keeps wine64 out of PATH; the wine wrapper would only add a warning about wine32.
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine

# A throwaway Wine prefix, so nothing is left in ~/.wine and every run starts the same.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/quivra-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
# Made up front, where its complaints about the missing 32-bit half can be dropped.
"$wine" wineboot --init >/dev/null 2>&1

toolchain="$root/cmake/mingw-w64.cmake"

# GoogleTest from the sources Debian ships, built once with the same compiler.
gtest="$out/googletest"
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$gtest/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$gtest/install" >/dev/null
  cmake --build "$gtest/build" --parallel 2
  cmake --install "$gtest/build" >/dev/null
fi

cmake -S "$root" -B "$out/quivra" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIVRA_BUILD_UI=OFF -DQUIVRA_BUILD_BENCHMARKS=OFF \
  -DGTest_DIR="$gtest/install/lib/cmake/GTest" >/dev/null
cmake --build "$out/quivra" --parallel 2

echo "Running under $("$wine" --version)"

# Each test program once, as Windows would run it; gtest prints failures and a summary.
cd "$out/quivra/tests"
tests=(*_tests.exe)
[ -e "${tests[0]}" ] || { echo "test-windows-engine: no test programs were built" >&2; exit 1; }
failed=()
for test in "${tests[@]}"; do
  echo "== $test"
  "$wine" "./$test" --gtest_brief=1 || failed+=("$test")
done

if ((${#failed[@]})); then
  echo "test-windows-engine: failed: ${failed[*]}" >&2
  exit 1
fi
echo "test-windows-engine: every Windows test passed"
