#!/usr/bin/env bash
# Checks the program as a user's desktop receives it: the install layout, the
# Debian package and its dependencies, the launcher and software-centre files
# as installed, and the installed program starting and ending cleanly.
#
#   tests/packaging.sh STEP
#
# The steps share a work folder and run in the order layout, package, lint,
# install, validate, run, remove (ctest fixtures see to that). Where the tests run as
# root the package is installed for real with apt-get and removed again at the
# end; otherwise, or when wavywall was installed before, it is unpacked into a
# scratch root instead, so the machine is left as it was found.
#
# Environment, set by tests/CMakeLists.txt: BUILD_DIR, WORK_DIR, VERSION,
# BINDIR, DATADIR, CLOSEWINDOW (the helper that closes a window).
set -euo pipefail

step=${1:?usage: tests/packaging.sh STEP}
app_id=org.example.wavywall
package=wavywall

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A missing tool skips the step (exit 77), except in the full test command
# (WAVYWALL_REQUIRE_TOOLS=1), which installs every tool and so fails instead.
need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null && continue
        [ "${WAVYWALL_REQUIRE_TOOLS:-0}" = 1 ] && fail "$tool is missing (tools/setup.sh test installs it)"
        echo "SKIP: $tool is missing (tools/setup.sh test installs it)"
        exit 77
    done
}

installed_files() {
    local prefix=$1
    echo "$prefix/$BINDIR/wavywall"
    echo "$prefix/$DATADIR/applications/$app_id.desktop"
    echo "$prefix/$DATADIR/metainfo/$app_id.metainfo.xml"
    echo "$prefix/$DATADIR/icons/hicolor/scalable/apps/$app_id.svg"
    echo "$prefix/$DATADIR/man/man1/wavywall.1.gz"
    echo "$prefix/$DATADIR/doc/$package/changelog.gz"
    echo "$prefix/$DATADIR/doc/$package/manual.md"
    echo "$prefix/$DATADIR/doc/$package/manual-window.png"
}

# The root the package was installed into, "" for the real one.
package_root() {
    [ -f "$WORK_DIR/root" ] || fail "the package has not been installed"
    cat "$WORK_DIR/root"
}

step_layout() {
    local prefix=$WORK_DIR/prefix file
    rm -rf "$prefix"
    cmake --install "$BUILD_DIR" --prefix "$prefix" >/dev/null
    while read -r file; do
        [ -f "$file" ] || fail "cmake --install did not put ${file#"$prefix"/} in place"
    done < <(installed_files "$prefix")
    [ -x "$prefix/$BINDIR/wavywall" ] || fail "the installed program is not executable"
    check_manual_pictures "$prefix/$DATADIR/doc/$package"
    echo "install layout under the prefix is complete"
}

# The packages that hold the libraries the packaged program loads directly;
# the Qt libraries must be among them.
needed_packages() {
    local deb=$1 program=$WORK_DIR/packaged-wavywall libraries library multiarch
    multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
    dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/$BINDIR/wavywall" >"$program"
    libraries=$(objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }')
    for library in libQt6Core libQt6Gui libQt6Widgets; do
        [[ $libraries == *"$library.so"* ]] || fail "the program does not load $library"
    done
    for library in $libraries; do
        dpkg-query -S "*/$multiarch/$library" | sed 's/[:,].*//'
    done | sort -u
}

step_package() {
    need cpack dpkg-deb dpkg-shlibdeps dpkg-architecture dpkg-query objdump
    rm -rf "$WORK_DIR/deb"
    (cd "$BUILD_DIR" && cpack -G DEB -B "$WORK_DIR/deb") >"$WORK_DIR/cpack.log" 2>&1 ||
        { cat "$WORK_DIR/cpack.log"; fail "cpack did not build the package"; }
    local debs=("$WORK_DIR"/deb/*.deb)
    if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
        fail "expected one .deb, found: ${debs[*]}"
    fi
    local deb=${debs[0]} depends
    [ "$(dpkg-deb -f "$deb" Package)" = "$package" ] || fail "package name"
    [ "$(dpkg-deb -f "$deb" Version)" = "$VERSION" ] || fail "package version is not $VERSION"
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    # Without dependencies from shlibdeps the package would install on a
    # machine lacking Qt and then fail to start. The packages are the ones
    # that hold the program's libraries on this machine, whatever its release
    # calls them (libqt6core6 on Debian 12, libqt6core6t64 on Debian 13).
    local library libraries
    libraries=$(needed_packages "$deb")
    for library in $libraries; do
        [[ ", $depends," == *", $library "* || ", $depends," == *", $library,"* ]] ||
            fail "Depends lacks $library"
    done
    # Qt's Turkish texts, which the program loads, come from their own package.
    [[ ", $depends," == *", qt6-translations-l10n"* ]] || fail "Depends lacks qt6-translations-l10n"
    echo "$deb" >"$WORK_DIR/deb-path"
}

# Debian's own checker: any error or warning fails the step (its notes, the
# I: lines, are advice). The changelog's newest entry names the version, as
# dpkg and the package's users read it.
step_lint() {
    need lintian
    local deb changelog_version
    deb=$(cat "$WORK_DIR/deb-path")
    lintian --fail-on error,warning --info "$deb" ||
        fail "lintian reported errors or warnings on $(basename "$deb")"
    changelog_version=$(dpkg-deb --fsys-tarfile "$deb" |
        tar -xO ./usr/share/doc/$package/changelog.gz | gzip -dc |
        sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p')
    [ "$changelog_version" = "$VERSION" ] ||
        fail "the changelog's newest entry is version '$changelog_version', not $VERSION"
    echo "lintian found no error or warning; the changelog starts at version $VERSION"
}

already_installed() {
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'
}

step_install() {
    need dpkg
    local deb
    deb=$(cat "$WORK_DIR/deb-path")
    rm -f "$WORK_DIR/root" "$WORK_DIR/installed-by-test"
    # Only the full test command installs into the system; a developer's own
    # ctest run unpacks into a scratch root.
    if [ "$(id -u)" -eq 0 ] && [ "${WAVYWALL_REQUIRE_TOOLS:-0}" = 1 ] && ! already_installed; then
        need apt-get
        # apt-get rather than dpkg -i: it checks the dependencies against the
        # archive and waits for the package database if another install holds it.
        # Marked first, so that the cleanup step also removes a half-done install.
        touch "$WORK_DIR/installed-by-test"
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
            -o DPkg::Lock::Timeout=300 "$deb"
        already_installed || fail "apt-get did not install the package"
        echo "" >"$WORK_DIR/root"
    else
        already_installed && echo "wavywall is installed already; unpacking into a scratch root"
        rm -rf "$WORK_DIR/scratch"
        dpkg-deb -x "$deb" "$WORK_DIR/scratch"
        echo "$WORK_DIR/scratch" >"$WORK_DIR/root"
    fi
    local root file
    root=$(package_root)
    while read -r file; do
        [ -f "$file" ] || fail "the package did not install $file"
    done < <(installed_files "$root/usr")
}

step_validate() {
    need desktop-file-validate appstreamcli
    local root output
    root=$(package_root)
    # Hints are advice; errors and warnings fail the step.
    output=$(desktop-file-validate "$root/usr/share/applications/$app_id.desktop" 2>&1) ||
        fail "desktop-file-validate: $output"
    echo "$output"
    ! grep -E ': (error|warning):' <<<"$output" || fail "desktop-file-validate reported problems"
    # Without a main category the menu would file the program under "Other".
    ! grep 'does not contain a registered main category' <<<"$output" ||
        fail "the launcher has no main category of the application menu"
    appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"
    # The software centre shows the newest release as the program's version.
    grep -q "<release version=\"$VERSION\"" "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
        fail "the metainfo's releases do not list version $VERSION"
    check_references "$root"
}

# The files point at each other by name; a renamed one breaks the menu entry
# or the software centre without any validator noticing.
check_references() {
    local root=$1 desktop metainfo exec icon launchable
    desktop=$root/usr/share/applications/$app_id.desktop
    metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
    exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -x "$root/usr/bin/$exec" ] || fail "the launcher starts '$exec', which is not installed"
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
        fail "the launcher's icon '$icon' is not installed"
    launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
    [ "$launchable" = "$(basename "$desktop")" ] ||
        fail "the metainfo launches '$launchable', not the installed launcher"
    check_manual_pictures "$root/usr/share/doc/$package"
}

# Every picture the installed manual shows lies beside it.
check_manual_pictures() {
    local docs=$1 picture count=0
    while read -r picture; do
        [ -f "$docs/$picture" ] || fail "the manual shows $picture, which is not installed"
        count=$((count + 1))
    done < <(grep -o '!\[[^]]*\]([^)]*)' "$docs/manual.md" | sed 's/.*(\(.*\))/\1/')
    [ "$count" -gt 0 ] || fail "found no pictures in the installed manual"
    echo "the manual's $count pictures are installed beside it"
}

# Prints the value of an X property of a window.
window_property() {
    xprop -id "$1" -notype "$2" | sed -n "s/^$2[ =:]*//p"
}

# Starts an X server on a display of its own, numbered by the server, so that
# parallel runs on a shared machine do not collide; sets DISPLAY.
start_display() {
    local display_file=$WORK_DIR/display tries
    : >"$display_file"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
    xvfb_pid=$!
    for ((tries = 0; tries < 300; tries++)); do
        [ -s "$display_file" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start"
        sleep 0.1
    done
    [ -s "$display_file" ] || fail "Xvfb did not report its display"
    DISPLAY=:$(head -n1 "$display_file")
    export DISPLAY
    unset WAYLAND_DISPLAY
}

# Prints the id of the program's main window once it is on screen.
wait_for_main_window() {
    local window="" tries
    for ((tries = 0; tries < 300; tries++)); do
        kill -0 "$program_pid" 2>/dev/null || fail "the program ended before showing its window"
        window=$(xdotool search --onlyvisible --name '^Tesvelin' 2>/dev/null | head -n1) || true
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "the main window did not appear"
    echo "$window"
}

# What the task bar reads off the window: its class and its icon.
check_window_identity() {
    local window=$1 desktop_file=$2 wm_class startup_class icon
    echo "main window $window: $(window_property "$window" _NET_WM_NAME)"
    wm_class=$(window_property "$window" WM_CLASS)
    startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_file")
    echo "WM_CLASS: $wm_class"
    # Task bars on X11 find the launcher, and so its name and icon, by class.
    [[ "$wm_class" == *"\"$startup_class\"" ]] ||
        fail "window class $wm_class does not match the launcher's StartupWMClass $startup_class"
    # The icon property starts with the first image's width and height.
    icon=$(xprop -id "$window" -f _NET_WM_ICON 32c ' = $0 x $1\n' _NET_WM_ICON)
    echo "$icon"
    [[ "$icon" =~ \ =\ [1-9][0-9]*\ x\ [1-9][0-9]*$ ]] || fail "the main window has no icon"
}

step_run() {
    need Xvfb xdotool xprop
    local root program window status=0
    root=$(package_root)
    program=$root/usr/bin/wavywall
    [ -x "$program" ] || fail "$program is missing"

    xvfb_pid="" program_pid=""
    trap 'kill $program_pid $xvfb_pid 2>/dev/null || true' EXIT
    start_display
    QT_QPA_PLATFORM=xcb "$program" &
    program_pid=$!
    window=$(wait_for_main_window)
    check_window_identity "$window" "$root/usr/share/applications/$app_id.desktop"

    "$CLOSEWINDOW" "$window"
    wait "$program_pid" || status=$?
    program_pid=""
    [ "$status" -eq 0 ] || fail "the program exited with status $status after its window closed"
    echo "the program ended with status 0 when its window was closed"
}

step_remove() {
    if [ -f "$WORK_DIR/installed-by-test" ]; then
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -q -o DPkg::Lock::Timeout=300 "$package"
        rm -f "$WORK_DIR/installed-by-test"
        local file
        while read -r file; do
            [ ! -e "$file" ] || fail "removing the package left $file behind"
        done < <(installed_files /usr)
    fi
    rm -rf "$WORK_DIR/scratch" "$WORK_DIR/root"
}

case "$step" in
layout | package | lint | install | validate | run | remove) "step_$step" ;;
*) fail "unknown step $step" ;;
esac
