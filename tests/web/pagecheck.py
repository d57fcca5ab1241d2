"""What the page's browser tests share: a page in headless Chromium on a
local server, with helpers that read it (texts, focus, the recalculations it
ran, the canvases' and the screen's pixels), and a test case that opens the
page afresh for each test, checks its pixels against independently computed
lines and requires a clean console after each test."""

import base64
import io
import math
import time
import unittest

import browser
import flowlines

DESIGN_VIEW = (540, 580)


def contrast(a, b):
    """The contrast ratio of two sRGB colours: (L1 + 0.05) / (L2 + 0.05) of their luminances."""
    def luminance(rgb):
        c = [v / 255 / 12.92 if v <= 10 else ((v / 255 + 0.055) / 1.055) ** 2.4 for v in rgb[:3]]
        return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]
    high, low = sorted((luminance(a), luminance(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


class PageSession:
    """One browser on one server, with helpers that read the page."""

    web_folder = None
    engine = 'chromium'

    view = DESIGN_VIEW

    def __init__(self, ratio=1, folder=None, minimum_font=0, view=None):
        self.server = browser.Server(folder or PageSession.web_folder)
        # A browser window whose view (some 140 px lower than the window)
        # just holds the main window at its designed size; the page scales
        # the window up in larger ones.
        self.driver = browser.start_browser(ratio, *(view or PageSession.view),
                                            engine=PageSession.engine, minimum_font=minimum_font)
        self.ratio = ratio

    def close(self):
        browser.quit_browser(self.driver)
        self.server.stop()

    def open(self):
        from selenium.webdriver.support.ui import WebDriverWait
        self.driver.get(self.server.url)
        WebDriverWait(self.driver, 20).until(lambda d: d.execute_script(
            "return document.documentElement.dataset.ready === 'true'"))
        # The bars are fitted to the window in the first frame (js/fit.js),
        # which a core loaded from the cache may come before.
        self.driver.execute_async_script(
            'requestAnimationFrame(() => requestAnimationFrame(arguments[0]))')

    def wait_for_worker(self):
        """Until the service worker controls the page."""
        self.driver.execute_async_script("""const done = arguments[0];
            navigator.serviceWorker.ready.then(() => {
              if (navigator.serviceWorker.controller) { done(); return; }
              navigator.serviceWorker.addEventListener('controllerchange', () => done());
            });""")

    def cache_names(self):
        return sorted(self.driver.execute_async_script('caches.keys().then(arguments[0])'))

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def by_id(self, name):
        return self.driver.find_element('id', name)

    def recalculations(self):
        return self.js("return performance.getEntriesByName('recalculation').length")

    def text(self, name):
        return self.by_id(name).get_attribute('value')

    def visual_box(self, element):
        """Where an element shows, as (left, top, right, bottom) in the
        viewport's CSS pixels, where pointer events are. WebKit reports the
        boxes of a CSS-zoomed page unzoomed: there the box is scaled by the
        zoom in effect on the element."""
        *box, zoom = self.js("""const e = arguments[0]; const r = e.getBoundingClientRect();
            let zoom = 1;
            for (let a = e; a; a = a.parentElement) zoom *= Number(getComputedStyle(a).zoom) || 1;
            return [r.left, r.top, r.right, r.bottom, zoom];""", element)
        return tuple(v * (zoom if self.engine == 'webkit' else 1) for v in box)

    def pointer(self, *steps):
        """The mouse at points of the viewport, each move at once: (x, y)
        moves there, 'down' and 'up' press and let go of the left button,
        'right' clicks the right one, a number pauses for that many seconds.
        The button stays down from one call to the next."""
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        from selenium.webdriver.common.actions.mouse_button import MouseButton
        builder = ActionBuilder(self.driver, duration=0)
        mouse = builder.pointer_action
        for step in steps:
            if isinstance(step, tuple):
                mouse.move_to_location(round(step[0]), round(step[1]))
            elif step == 'right':
                mouse.pointer_down(MouseButton.RIGHT).pointer_up(MouseButton.RIGHT)
            elif step in ('down', 'up'):
                (mouse.pointer_down if step == 'down' else mouse.pointer_up)()
            else:
                mouse.pause(step)
        builder.perform()

    def press(self, element):
        """A click in the middle of where the element shows, as a user's:
        WebKit's driver refuses element clicks on a zoomed page."""
        self.js("arguments[0].scrollIntoView({block: 'nearest', inline: 'nearest'})", element)
        left, top, right, bottom = self.visual_box(element)
        self.pointer(((left + right) / 2, (top + bottom) / 2), 'down', 'up')

    def type_into(self, name, text):
        box = self.by_id(name)
        self.press(box)
        self.js('arguments[0].select()', box)
        box.send_keys(text)

    def settled(self):
        """Waits (3 s at most) until the page has put its last result into
        words: it does so once a burst of recalculations has ended, and
        marks what waits for the words with aria-busy meanwhile."""
        deadline = time.monotonic() + 3
        while self.js("return !!document.querySelector('[aria-busy=true]')") \
                and time.monotonic() < deadline:
            time.sleep(0.05)

    def description(self, plot):
        """The plot's accessible description, as screen readers get it."""
        self.settled()
        return self.js("""const id = document.getElementById(arguments[0])
            .getAttribute('aria-describedby');
            return document.getElementById(id).textContent;""", plot)

    def said(self):
        """What the live region says of the last result."""
        self.settled()
        return self.js("return document.getElementById('Result').textContent")

    def focused(self):
        return self.js('return document.activeElement.id')

    def message_open(self):
        return self.js("return document.getElementById('MsgBox').open")

    def canvas_pixels(self, plot):
        """The canvas's device pixels as (width, height, rgb rows)."""
        # Read after the next frame: a box's size, and with it the canvas's
        # first fill, reaches the painter with the frame's resize observations.
        width, height, data = self.driver.execute_async_script("""
            const [name, done] = arguments;
            requestAnimationFrame(() => requestAnimationFrame(() => {
              const canvas = document.getElementById(name).querySelector('canvas');
              const bytes = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
              let text = '';
              for (let i = 0; i < bytes.length; i += 8192) {
                text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
              }
              done([canvas.width, canvas.height, btoa(text)]);
            }));""", plot)
        raw = base64.b64decode(data)
        return width, height, [tuple(raw[i:i + 3]) for i in range(0, len(raw), 4)]

    def screenshot(self):
        from PIL import Image
        return Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert('RGB')

    def inner_area(self, plot):
        """A plot box's drawing area on the screen, in device pixels."""
        r = self.js("""const box = document.getElementById(arguments[0]);
            const b = box.getBoundingClientRect(); const s = getComputedStyle(box);
            return [b.left + parseFloat(s.borderLeftWidth), b.top + parseFloat(s.borderTopWidth),
                    box.clientWidth, box.clientHeight];""", plot)
        k = self.ratio
        return (round(r[0] * k), round(r[1] * k), round((r[0] + r[2]) * k),
                round((r[1] + r[3]) * k))

    def device_box(self, selector, text=False):
        """An element's box, or its text's, on the screen in device pixels."""
        r = self.js("""const e = document.querySelector(arguments[0]); const r = new Range();
            r.selectNodeContents(e); return (arguments[1] ? r : e).getBoundingClientRect();""",
                    selector, text)
        return tuple(round(r[k] * self.ratio) for k in ('left', 'top', 'right', 'bottom'))

    def address(self, expected):
        """The page's fragment once it reads as expected, or after 3 s: the
        page writes it when a burst of changes has ended."""
        deadline = time.monotonic() + 3
        while (hash_ := self.js('return location.hash')) != expected and time.monotonic() < deadline:
            time.sleep(0.05)
        return hash_

    def console_errors(self):
        """Errors the console logged; Firefox writes them to its output;
        WebKit's driver cannot read its console, so there only the page's
        own start-failure notice counts."""
        if self.engine == 'firefox':
            return browser.firefox_errors(self.driver, self.server.url)
        if self.engine == 'webkit':
            notice = self.js("return document.getElementById('StartFailure').hidden ? '' : "
                             "document.getElementById('StartFailure').textContent")
            return [notice] if notice else []
        return [e for e in self.driver.get_log('browser') if e['level'] == 'SEVERE']


class PageTest(unittest.TestCase):
    ratio = 1
    minimum_font = 0
    view = None  # the session's

    @classmethod
    def setUpClass(cls):
        cls.page = PageSession(cls.ratio, minimum_font=cls.minimum_font, view=cls.view)

    @classmethod
    def tearDownClass(cls):
        cls.page.close()

    def setUp(self):
        # A button a failed test left down is let go.
        self.page.driver.execute('clearActionState')
        self.page.open()

    def tearDown(self):
        self.assertEqual(self.page.console_errors(), [])

    def click(self, element_or_name):
        element = element_or_name
        if isinstance(element, str):
            element = self.page.by_id(element)
        self.page.press(element)

    def arrow(self, bar, which):
        return self.page.by_id(bar).find_element('css selector', f'.arrow.{which}')

    def close_message(self, expected):
        page = self.page
        self.assertTrue(page.message_open())
        self.assertEqual(page.js("return document.getElementById('MsgBox_text').textContent"),
                         expected)
        self.assertEqual(page.focused(), 'MsgBox_OK')
        page.press(page.by_id('MsgBox_OK'))
        self.assertFalse(page.message_open())

    def assert_pixels_match_lines(self, plot, scale_and_lines):
        """Every pixel is the background or a line colour lying on a line of
        that colour; every computed line shows on the canvas."""
        width, height, pixels = self.page.canvas_pixels(plot)
        scale, lines = scale_and_lines
        pen = max(1, round(self.ratio))
        near = flowlines.near_pixels(scale, lines, width, height, reach=pen + 1)
        strays = []
        for index, colour in enumerate(pixels):
            if colour != flowlines.BACKGROUND:
                xy = (index % width, index // width)
                if xy not in near.get(colour, ()):
                    strays.append((xy, colour))
        self.assertEqual(strays[:10], [], f'{plot}: pixels on no line of their colour')
        missing = []
        for x, y, colour in flowlines.samples(scale, lines, width, height):
            around = [pixels[yy * width + xx]
                      for yy in range(max(0, y - 1), min(height, y + 2))
                      for xx in range(max(0, x - 1), min(width, x + 2))]
            if all(c == flowlines.BACKGROUND for c in around):
                missing.append((x, y, colour))
        self.assertEqual(missing[:10], [], f'{plot}: computed lines not drawn')
        return width, height, pixels

    def assert_screen_shows_canvas(self, shot, plot):
        """The screen's pixels of a drawing area are the canvas's, one for
        one, except under the title label that lies over the plot."""
        page = self.page
        width, height, pixels = page.canvas_pixels(plot)
        area = page.inner_area(plot)
        self.assertEqual((area[2] - area[0], area[3] - area[1]), (width, height))
        label = page.js("""const box = document.getElementById(arguments[0]);
            const l = box.querySelector('.label').getBoundingClientRect();
            const c = box.querySelector('canvas').getBoundingClientRect();
            return [l.left - c.left, l.top - c.top, l.right - c.left, l.bottom - c.top];""", plot)
        k = self.ratio
        label = [math.floor(label[0] * k), math.floor(label[1] * k),
                 math.ceil(label[2] * k), math.ceil(label[3] * k)]
        screen = list(shot.crop(area).getdata())
        differing = [(i % width, i // width) for i, (a, b) in enumerate(zip(screen, pixels))
                     if a != b and not (label[0] <= i % width < label[2]
                                        and label[1] <= i // width < label[3])]
        self.assertEqual(differing[:10], [], f'{plot}: screen and canvas differ')
