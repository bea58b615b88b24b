#!/usr/bin/env bash
# Shared by ./run.sh and ./test.sh: install what is missing, then configure and build in build/.
set -euo pipefail

QUENLOFT_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QUENLOFT_BUILD="${QUENLOFT_BUILD:-$QUENLOFT_ROOT/build}"

# Debian packages the build, the tests and the screenshot script need. The window is laid
# out for Arial's metrics: fonts-liberation2 brings Liberation Sans, which has them. The
# last line builds and checks the Debian package: help2man writes a manual page,
# dpkg-shlibdeps (dpkg-dev) computes the dependencies, the desktop's own validators
# check the desktop entry, the AppStream metadata and the MIME types, and lintian checks
# the package as Debian does. python3 reads the exported CSV back with a CSV reader that
# is not the program's own, and writes the package's changelog from the version history.
QUENLOFT_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  libgtest-dev libgmock-dev libbenchmark-dev python3
  xvfb xauth x11-apps imagemagick fonts-liberation2
  help2man dpkg-dev file desktop-file-utils appstream libxml2-utils shared-mime-info lintian
)

# Installs those of the named packages (default: QUENLOFT_PACKAGES) that are missing.
quenloft_install_missing() {
  local wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${QUENLOFT_PACKAGES[@]}")
  local missing=()
  local pkg
  for pkg in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

quenloft_build() {
  # With an argument, sets warnings-as-errors; without one, keeps what build/ already has,
  # so switching between ./run.sh and ./test.sh does not rebuild everything.
  local werror=()
  [ $# -gt 0 ] && werror=(-DQUENLOFT_WERROR="$1")
  # ccache, where a developer has it, makes rebuilds in fresh folders cheap; nothing needs it.
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$QUENLOFT_ROOT" -B "$QUENLOFT_BUILD" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENLOFT_BUILD_GUI=ON "${launcher[@]}" "${werror[@]}" >/dev/null
  cmake --build "$QUENLOFT_BUILD" --parallel
}

# The clang build under AddressSanitizer and UndefinedBehaviorSanitizer that
# check-sanitizers.sh runs the suite in and check-fuzz.sh builds its fuzzers in: one build
# serves both (the code carries libFuzzer's coverage hooks, which the suite ignores).
# Optimised lightly, with assertions kept.
QUENLOFT_SANITIZED_BUILD="${QUENLOFT_ASAN_BUILD:-$QUENLOFT_ROOT/build-asan}"
quenloft_configure_sanitized() {
  quenloft_install_missing
  quenloft_install_missing clang libclang-rt-14-dev
  local sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$QUENLOFT_ROOT" -B "$QUENLOFT_SANITIZED_BUILD" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$sanitize -fsanitize=fuzzer-no-link" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" -DQUENLOFT_WERROR=ON -DQUENLOFT_BUILD_FUZZERS=ON \
    -DQUENLOFT_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
}

# The Windows build (scripts/build-windows.sh): the mingw-w64 cross compiler with posix
# threads, Qt's host tools (moc, rcc, uic) from the Linux Qt, Wine to run the programs and
# the tests, NSIS for the installer, and Xvfb for the window's screenshot.
QUENLOFT_WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  cmake ninja-build qt6-base-dev qt6-base-dev-tools googletest xz-utils
  wine wine64 nsis unzip xvfb xauth fonts-liberation2
)
# Where Qt for Windows lives (scripts/build-qt-windows.sh puts it there).
QUENLOFT_QT_WINDOWS="${QUENLOFT_QT_WINDOWS:-$HOME/.cache/quenloft/qt-6.4.2-mingw}"
QUENLOFT_WINDOWS_BUILD="${QUENLOFT_WINDOWS_BUILD:-$QUENLOFT_ROOT/build-windows}"

# The Wine prefix the Windows programs and tests run in: its own, in the Windows build
# folder, made without dialogs (no Mono or Gecko installers) and without Wine's debug
# chatter. Exports what every wine call needs.
quenloft_wine_prefix() {
  export WINEPREFIX="$QUENLOFT_WINDOWS_BUILD/wine"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    # Wine has neither Arial nor MS Sans Serif. Liberation Sans has Arial's metrics: Wine's
    # font replacements give it those names, so the window is set as Windows sets it.
    local face
    for face in "Arial" "MS Sans Serif" "Microsoft Sans Serif"; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "Liberation Sans" /f \
        >/dev/null 2>&1
    done
    wineserver -w
  fi
}

# Configures build-windows/ for 64-bit Windows and builds the programs and the tests, with
# wine as the emulator ctest runs them under.
quenloft_build_windows() {
  quenloft_install_missing "${QUENLOFT_WINDOWS_PACKAGES[@]}"
  "$QUENLOFT_ROOT/scripts/build-qt-windows.sh" "$QUENLOFT_QT_WINDOWS"
  quenloft_wine_prefix
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$QUENLOFT_ROOT" -B "$QUENLOFT_WINDOWS_BUILD" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$QUENLOFT_ROOT/cmake/mingw-w64.cmake" \
    -DQUENLOFT_QT_WINDOWS="$QUENLOFT_QT_WINDOWS" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CROSSCOMPILING_EMULATOR="env;WINEPREFIX=$WINEPREFIX;WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=;wine" \
    -DQUENLOFT_WERROR=ON -DQUENLOFT_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
  cmake --build "$QUENLOFT_WINDOWS_BUILD" --parallel "${QUENLOFT_JOBS:-$(nproc)}"
}

# Starts the prefix's Wine server and its services for a run of many programs, and stops
# them when the calling script ends. Started here, outside ctest: the services would
# otherwise inherit the output pipe of the first program ctest starts and keep it open.
quenloft_wine_start() {
  quenloft_wine_prefix
  wineserver -p 2>/dev/null || true # already running: kept
  wine wineboot >/dev/null 2>&1
  trap 'wineserver -k 2>/dev/null || true' EXIT
}
