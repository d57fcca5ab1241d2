"""The page in Gecko: Firefox ESR has no WebDriver here, but its headless
screenshot loads and runs the page. The picture must show the window laid
out: both plots' drawing areas at their sizes and both scroll bars with
their arrows, which the page builds in script.

usage: firefox_start.py WEB_FOLDER WORK_DIR
Exit 77 (skipped) when Firefox, PIL or the page is missing, unless
WAVYWALL_REQUIRE_TOOLS=1."""

import importlib.util
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

FIREFOX = '/usr/bin/firefox-esr'
LIGHT_YELLOW = (255, 255, 192)
# Drawing areas in CSS pixels at a window size where the page is not scaled
# up: the plot boxes' twips at 15 a pixel, less
# their two-pixel sunken borders.
PLOT_AREAS = [(329, 163), (333, 141)]


def screenshot(url, path):
    profile = tempfile.mkdtemp(prefix='wavywall-firefox-')
    try:
        subprocess.run([FIREFOX, '--headless', '--no-remote', '--profile', profile,
                        '--window-size=540,580', '--screenshot', path, url],
                       check=True, timeout=120, capture_output=True)
    finally:
        shutil.rmtree(profile, ignore_errors=True)


def yellow_areas(image):
    """Bounding boxes of the runs of rows that hold light yellow."""
    width, height = image.size
    pixels = image.load()
    areas, current = [], None
    for y in range(height):
        xs = [x for x in range(width) if pixels[x, y] == LIGHT_YELLOW]
        if xs and current:
            current = [min(current[0], xs[0]), current[1], max(current[2], xs[-1]), y]
        elif xs:
            current = [xs[0], y, xs[-1], y]
        elif current:
            areas.append(current)
            current = None
    return [(left, top, right - left + 1, bottom - top + 1) for left, top, right, bottom in areas]


def dark_pixels(image, left, top, width, height):
    pixels = image.load()
    return sum(1 for x in range(left, left + width) for y in range(top, top + height)
               if max(pixels[x, y]) < 160)


def check(image):
    areas = yellow_areas(image)
    sizes = [(w, h) for _, _, w, h in areas]
    faults = []
    if len(sizes) != 2 or any(abs(w - ew) > 2 or abs(h - eh) > 2
                              for (w, h), (ew, eh) in zip(sizes, PLOT_AREAS)):
        faults.append(f'plot areas {sizes}, expected {PLOT_AREAS}')
        return faults
    # The bars lie left of the flow plot, right of the text boxes: each
    # shows its arrows: their shaded edges and triangles, grey or black.
    left, top, _, _ = areas[0]
    for name, dy in (('HScroll_Moo', 20), ('HScroll_HbL', 76)):
        count = dark_pixels(image, left - 76, top + dy, 44, 25)
        if count < 8:
            faults.append(f'{name}: no arrows drawn ({count} dark pixels)')
    return faults


def main():
    web_folder, work_dir = sys.argv[1], sys.argv[2]
    required = os.environ.get('WAVYWALL_REQUIRE_TOOLS') == '1'
    missing = None
    if not os.access(FIREFOX, os.X_OK):
        missing = FIREFOX
    elif importlib.util.find_spec('PIL') is None:
        missing = 'python3-pil'
    elif not os.path.exists(os.path.join(web_folder, 'index.html')):
        missing = f'{web_folder}/index.html (tools/setup.sh web-build)'
    if missing:
        print(f'missing: {missing}')
        return 1 if required else browser.SKIP
    from PIL import Image
    os.makedirs(work_dir, exist_ok=True)
    path = os.path.join(work_dir, 'firefox.png')
    server = browser.Server(web_folder)
    try:
        screenshot(server.url, path)
    finally:
        server.stop()
    faults = check(Image.open(path).convert('RGB'))
    for fault in faults:
        print(f'Firefox: {fault}')
    print(f'Firefox: the page {"is not" if faults else "is"} laid out with its bars ({path})')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
