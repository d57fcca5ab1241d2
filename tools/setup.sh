#!/usr/bin/env bash
# Sets up a Debian 12 or 13 machine for wavywall and then either starts the
# program (run) or builds and passes the whole test suite (test); web-build
# builds the web edition into build/wasm/web, web builds it and serves it on
# http://127.0.0.1:8000/ (PORT changes the port). Safe to repeat: packages
# already present are not installed again, builds are incremental.
set -euo pipefail

usage() { echo "usage: tools/setup.sh run|test|web-build|web" >&2; exit 2; }
[ $# -eq 1 ] || usage
mode=$1
cd "$(dirname "$0")/.."

build_packages=(cmake make g++ pkg-config qt6-base-dev libgl-dev fonts-dejavu-core)
# Qt SVG draws the icon; the test helper that closes windows speaks X11; Qt's
# Turkish translations give its dialogs the window's language.
build_packages+=(qt6-svg-dev libx11-dev qt6-translations-l10n)
# The unversioned clang and its runtimes (libFuzzer, the sanitizers) follow
# each release's default LLVM: 14 on Debian 12, 19 on Debian 13.
test_packages=(libbenchmark-dev clang libclang-rt-dev valgrind xvfb xdotool xclip imagemagick
    x11-utils)
# For the package and desktop-file checks; lintian reads the manual page with
# man-db.
test_packages+=(dpkg-dev file desktop-file-utils appstream lintian man-db)
# The screen-reader check reads the program over AT-SPI in a D-Bus session of
# its own.
test_packages+=(at-spi2-core dbus-daemon python3-pyatspi)
# Reads the screenshots of the end-to-end sessions; {fmt} is the independent
# judge of the tables' shortest numbers.
test_packages+=(python3-pil libfmt-dev)
# The core built as WebAssembly, and a comma locale for the number
# conversions' locale checks.
test_packages+=(emscripten locales-all)
# The web edition: Emscripten builds the core, esbuild bundles the page; its
# tests drive Debian's Chromium.
web_packages=(cmake make emscripten python3 esbuild)
test_packages+=("${web_packages[@]}" chromium chromium-driver python3-selenium python3-pil)
# ... and WebKitGTK (Safari's engine) under Xvfb, and Firefox ESR (Gecko).
# xvfb-run needs xauth, which Xvfb only recommends.
test_packages+=(webkit2gtk-driver xauth firefox-esr)
# axe-core, which checks the page's accessibility in each engine, comes from
# npm (tests/web/package-lock.json); a Node.js from elsewhere brings its own.
command -v npm >/dev/null || test_packages+=(npm)

install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j"$(nproc)"
}

build_web() {
    install_missing "${web_packages[@]}"
    build wasm
}

case "$mode" in
run)
    install_missing "${build_packages[@]}"
    build dev
    exec build/dev/app/wavywall
    ;;
test)
    install_missing "${build_packages[@]}" "${test_packages[@]}"
    # Every tool is installed now: a test that misses one fails, not skips.
    export WAVYWALL_REQUIRE_TOOLS=1
    npm ci --prefix tests/web --no-audit --no-fund --prefer-offline --loglevel=error
    # The sanitized suite and the fuzzers first; the plain suite, with its
    # memcheck runs, last, so that its summary ends the output.
    build wasm
    build asan
    ctest --preset asan
    build fuzz
    ctest --preset fuzz
    build ci
    ctest --preset ci
    ;;
web-build)
    build_web
    echo "The web edition is in build/wasm/web/"
    ;;
web)
    build_web
    exec /usr/bin/python3 tools/serve_web.py build/wasm/web "${PORT:-8000}"
    ;;
*)
    usage
    ;;
esac
