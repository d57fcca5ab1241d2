# Shared by the end-to-end scripts that drive the real program on an X
# server; sourced, not run. It gives them a work folder removed on exit, the
# rule for missing tools, a private X server and the program started on it.
#
# Sets: work, server_pid, program_pid, window (after start_program).

work=$(mktemp -d)
server_pid=
program_pid=

cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Without its tools a run is skipped (exit 77), except in the full test
# command (WAVYWALL_REQUIRE_TOOLS=1), which installs them and so fails.
skip_or_fail() {
    [ "${WAVYWALL_REQUIRE_TOOLS:-0}" = 1 ] && fail "$1 is missing (tools/setup.sh test installs it)"
    echo "SKIP: $1 is missing (tools/setup.sh test installs it)"
    exit 77
}

require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || skip_or_fail "$tool"
    done
}

# A private X server on the first free display, 1024 x 768 unless a size is
# given.
start_x_server() {
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    server_pid=$!
    for _ in $(seq 50); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "the X server did not start"
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY
}

# Starts the program on the X server, with any further environment given as
# NAME=value arguments, and waits for its main window.
start_program() {
    env -u QT_QPA_PLATFORM "$@" QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
    program_pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tesvelin' | head -n1) ||
        fail "the main window did not appear"
    sleep 0.5
}
