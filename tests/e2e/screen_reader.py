#!/usr/bin/python3
"""The real program as a screen reader meets it over the AT-SPI bus.

Starts the program on a private X server inside a private D-Bus session, with
Qt's accessibility bridge on, and reads its tree as Orca would: the plots are
images whose description tells what is drawn and is renewed, with one event,
by every calculation; the bars report the input values they give; the About
window is a dialog with its lines.

usage: screen_reader.py PROGRAM

Skips (exit 77) when its tools are missing, except under
WAVYWALL_REQUIRE_TOOLS=1 (the full test command, which installs them).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
INNER = "WAVYWALL_SCREEN_READER_SESSION"


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def missing_tools():
    missing = [tool for tool in ("Xvfb", "dbus-run-session") if not shutil.which(tool)]
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        missing.append("at-spi2-core")
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        missing.append("python3-pyatspi")
    return missing


def start_display(work):
    """A private X server on a display it picks itself; returns it and its display."""
    display_file = os.path.join(work, "display")
    # -noreset: the accessibility bus's launcher connects to the X server and
    # leaves again before the program starts; a server that resets when its
    # last client leaves would refuse the program's connection meanwhile.
    with open(display_file, "w") as out:
        server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(out.fileno()), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp", "-noreset"], pass_fds=(out.fileno(),),
            stderr=subprocess.DEVNULL)
    for _ in range(100):
        with open(display_file) as f:
            number = f.read().strip()
        if number:
            return server, f":{number}"
        time.sleep(0.1)
    server.kill()
    fail("the X server did not start")


def outer(program):
    missing = missing_tools()
    if missing:
        message = f"{', '.join(missing)} missing (tools/setup.sh test installs them)"
        if os.environ.get("WAVYWALL_REQUIRE_TOOLS") == "1":
            fail(message)
        print(f"SKIP: {message}")
        return SKIP
    with tempfile.TemporaryDirectory() as work:
        server, display = start_display(work)
        try:
            env = dict(os.environ, DISPLAY=display, **{INNER: "1"})
            env.pop("WAYLAND_DISPLAY", None)
            return subprocess.run(
                ["dbus-run-session", "--", sys.executable, __file__, program],
                env=env, timeout=100).returncode
        finally:
            server.kill()
            server.wait()


# --- inside the private D-Bus session ---------------------------------------

def wait_for(what, find, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    fail(f"{what} did not appear on the accessibility bus")


def application(pyatspi):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "wavywall":
            return app
    return None


def find_where(root, predicate):
    import pyatspi
    return pyatspi.findDescendant(root, predicate, True)


def find(root, role, name):
    return find_where(root, lambda node: node.getRole() == role and node.name == name)


def description_events(pyatspi, action):
    """Runs the action, then listens a moment; returns the sources' names."""
    from gi.repository import GLib
    seen = []

    def record(event):
        seen.append(event.source.name)

    pyatspi.Registry.registerEventListener(record, "object:property-change:accessible-description")
    GLib.timeout_add(100, lambda: action() and False)
    GLib.timeout_add(1500, lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(record, "object:property-change:accessible-description")
    return seen


def expect(condition, message):
    if not condition:
        fail(message)


def check_start(pyatspi, frame):
    empty = "Çizim boş: henüz hesap yapılmadı."
    for name in ("Akım çizgileri", "Duvar üzerinde basınç katsayılarının dağılımı"):
        plot = find(frame, pyatspi.ROLE_IMAGE, name)
        expect(plot is not None, f"no image named '{name}'")
        expect(plot.description == empty,
               f"'{name}' describes itself at start as '{plot.description}'")
    for name, value in (("Moo kaydırma çubuğu", 1.01), ("H/L kaydırma çubuğu", 0.01)):
        bar = find(frame, pyatspi.ROLE_SCROLL_BAR, name)
        expect(bar is not None, f"no scroll bar named '{name}'")
        current = bar.queryValue().currentValue
        expect(abs(current - value) < 1e-12, f"'{name}' reports {current}, not {value}")
    print("at start: both plots are images described as empty; the bars report 1.01 and 0.01")


def check_calculation(pyatspi, frame):
    button = find(frame, pyatspi.ROLE_PUSH_BUTTON, "HESAPLA")
    expect(button is not None, "no button HESAPLA")
    seen = description_events(pyatspi, lambda: button.queryAction().doAction(0))
    # One event per plot: a reader that hears each one would read a plot twice.
    for name in ("Akım çizgileri", "Duvar üzerinde basınç katsayılarının dağılımı"):
        expect(seen.count(name) == 1,
               f"pressing HESAPLA sent {seen.count(name)} description changes for '{name}'")
    flow = find(frame, pyatspi.ROLE_IMAGE, "Akım çizgileri").description
    expect(flow.startswith("Moo = 1.01, H/L = 0.01, Beta = 0.1418. Kırmızı duvar"),
           f"the flow plot reads '{flow}' after HESAPLA")
    pressure = find(frame, pyatspi.ROLE_IMAGE,
                    "Duvar üzerinde basınç katsayılarının dağılımı").description
    expect("En büyük Cp = 0.8846 (x = 0.74, 0.76, 1.74, 1.76)" in pressure
           and "Cp işaret değiştirir: x = 0.5, 1, 1.5." in pressure,
           f"the pressure plot reads '{pressure}' after HESAPLA")
    print(f"after HESAPLA: description events from {sorted(set(seen))}")
    print(f"  pressure plot: {pressure}")


def check_bar_set_by_reader(pyatspi, frame):
    bar = find(frame, pyatspi.ROLE_SCROLL_BAR, "Moo kaydırma çubuğu")
    bar.queryValue().currentValue = 1.02
    box = find(frame, pyatspi.ROLE_TEXT, "Moo")
    expect(box is not None, "no text box named Moo")
    wait_for("the text 1.02 in the Moo box",
             lambda: True if box.queryText().getText(0, -1) == "1.02" else None, 5)
    flow = find(frame, pyatspi.ROLE_IMAGE, "Akım çizgileri").description
    expect(flow.startswith("Moo = 1.02, H/L = 0.01, Beta = 0.201."),
           f"the flow plot reads '{flow}' after the bar moved")
    current = bar.queryValue().currentValue
    expect(abs(current - 1.02) < 1e-12, f"the bar reports {current} after moving to 1.02")
    print("a reader set the Mach-number bar to 1.02: the box reads 1.02, the plots follow")


def check_about(pyatspi, app, frame):
    about = find(frame, pyatspi.ROLE_MENU_ITEM, "About")
    expect(about is not None, "no menu item About")
    about.queryAction().doAction(0)
    dialog = wait_for("the About window", lambda: next(
        (w for w in app
         if w is not None and w.getRole() == pyatspi.ROLE_DIALOG and w.name == "About"), None))
    lines = dialog.description.split("\n")
    expect(len(lines) == 7 and lines[0] == "Program for Calculating"
           and lines[-1] == "wavywall@example.org",
           f"the About window's text reads {lines}")
    labels = [child.name for child in dialog if child.getRole() == pyatspi.ROLE_LABEL]
    expect(len(labels) == 7, f"the About window shows {len(labels)} labels to a reader, not 7")
    print(f"the About window is a dialog whose text is its {len(lines)} lines")


def inner(program):
    import pyatspi
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([program], env=env)
    try:
        app = wait_for("the program", lambda: application(pyatspi))
        frame = wait_for("the main window", lambda: next(
            (w for w in app if w is not None and w.name.startswith("Tesvelin")), None))
        expect(frame.getRole() == pyatspi.ROLE_FRAME, "the main window is no frame")
        check_start(pyatspi, frame)
        check_calculation(pyatspi, frame)
        check_bar_set_by_reader(pyatspi, frame)
        check_about(pyatspi, app, frame)
    finally:
        process.terminate()
        process.wait(10)
    print("PASS: the plots, the bars and the About window read as they should")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(inner(sys.argv[1]) if os.environ.get(INNER) == "1" else outer(sys.argv[1]))
