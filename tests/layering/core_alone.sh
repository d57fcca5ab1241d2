#!/usr/bin/env bash
# Builds the core (model/ and the canvas core) alone and runs its plain
# tests: natively with Qt hidden from CMake, so that a Qt header or library
# in the core fails the build, or with the WebAssembly toolchain under node.
#
# usage: core_alone.sh native|webassembly SOURCE_DIR WORK_DIR
#
# Reports itself skipped (exit 77) when the WebAssembly toolchain is missing,
# unless WAVYWALL_REQUIRE_TOOLS=1 (the full test command, which installs it).
set -euo pipefail

kind=$1
source_dir=$2
work=$3

core_options=(--no-warn-unused-cli -DWAVYWALL_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=Release -DWAVYWALL_WARNINGS_AS_ERRORS=ON
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON)

rm -rf "$work"
case "$kind" in
native)
    cmake -S "$source_dir" -B "$work" "${core_options[@]}" >/dev/null
    cmake --build "$work" -j2 >/dev/null
    # The core's test programs must not load any Qt library either.
    if ldd "$work"/tests/core/tst_* | grep -i qt; then
        echo "FAIL: the core's test program links Qt" >&2
        exit 1
    fi
    ;;
webassembly)
    if ! command -v emcmake >/dev/null; then
        echo "emscripten is missing (tools/setup.sh test installs it)"
        [ "${WAVYWALL_REQUIRE_TOOLS:-0}" = 1 ] && exit 1
        exit 77
    fi
    # Debian's emscripten finds its JavaScript tools in Debian's node path.
    export NODE_PATH=/usr/share/nodejs
    emcmake cmake -S "$source_dir" -B "$work" "${core_options[@]}" \
        -DCMAKE_CXX_FLAGS=-fexceptions >/dev/null
    cmake --build "$work" -j2 >/dev/null
    ;;
*)
    echo "usage: core_alone.sh native|webassembly SOURCE_DIR WORK_DIR" >&2
    exit 2
    ;;
esac
ctest --test-dir "$work" --output-on-failure
