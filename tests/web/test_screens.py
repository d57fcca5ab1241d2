"""The page on the screens it meets, in headless Chromium with device
emulation (docs/web.md, Tests, says what each row checks); the phone and
projector screenshots go to the work folder.

usage: test_screens.py WEB_FOLDER WORK_DIR"""

import base64
import datetime
import math
import os
import pathlib
import re
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402
import flowlines  # noqa: E402
import test_page  # noqa: E402
from pagecheck import PageTest  # noqa: E402

# name, CSS width and height, device pixel ratio, touch, reader settings
DEVICES = [
    ('phone-320', 320, 640, 2, True, False),
    ('phone', 390, 844, 3, True, False),
    ('tablet', 820, 1180, 2, True, False),
    ('laptop', 1280, 800, 1, False, False),
    ('projector', 1920, 1080, 1, False, False),
    ('4k', 3840, 2160, 1, False, False),
    # a 1280 x 800 screen at 400 % zoom, with a 16 px minimum font
    ('reader-400%', 320, 200, 4, False, True),
]
SHOTS = {'phone': 'web-phone.png', 'projector': 'web-projector.png'}
TEXT_SPACING = ('* { line-height: 1.5 !important; letter-spacing: 0.12em !important;'
                ' word-spacing: 0.16em !important; }')
CONTROLS = 'button, input, .scrollbar .arrow, .scrollbar .thumb, .menubar button'
FREE = {'laptop': 'inputs', 'projector': 'inputs plots', '4k': 'inputs plots'}  # by small windows
PAPER = (255 / 25.4 * 96, 186 / 25.4 * 96)  # printable on A4 and Letter, landscape, 12-mm margins
BOXES = """return [...document.querySelectorAll(arguments[0])].map(e => {
    const r = e.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; });"""


class Screens(PageTest):
    devices = [row for row in DEVICES if not row[-1]]

    def emulate(self, width, height, ratio, touch, reader, reload=True):
        cdp = self.page.driver.execute_cdp_cmd
        cdp('Emulation.setDeviceMetricsOverride', {'width': width, 'height': height,
                                                   'deviceScaleFactor': ratio, 'mobile': touch})
        cdp('Emulation.setTouchEmulationEnabled', {'enabled': touch, 'maxTouchPoints': 5})
        if not reload:  # a rotation: the page fits itself anew in the next frame
            return self.page.js('return new Promise((done) => requestAnimationFrame(() => '
                                'requestAnimationFrame(done)))')
        self.page.open()
        if reader:
            self.page.js("""const sheet = new CSSStyleSheet(); sheet.replaceSync(arguments[0]);
                document.adoptedStyleSheets = [sheet];""", TEXT_SPACING)
            self.page.js('return new Promise((done) => requestAnimationFrame(() => '
                         'requestAnimationFrame(done)))')

    def touch(self, kind, x, y):
        points = [] if kind == 'touchEnd' else [{'x': x, 'y': y}]
        self.page.driver.execute_cdp_cmd('Input.dispatchTouchEvent',
                                         {'type': kind, 'touchPoints': points})

    def centre(self, element):
        r = element.rect
        return r['x'] + r['width'] / 2, r['y'] + r['height'] / 2

    def test_every_screen(self):
        for name, width, height, ratio, touch, reader in self.devices:
            with self.subTest(name):
                self.emulate(width, height, ratio, touch, reader)
                self.check_fit(width, height, touch, reader)
                self.check_calculation(touch)
                if name in SHOTS:
                    self.page.driver.save_screenshot(os.path.join(test_page.WORK_DIR,
                                                                  SHOTS[name]))
                self.check_small_windows(touch, FREE.get(name, ''))
                if name == 'phone':  # turned on its side and back
                    self.emulate(height, width, ratio, touch, reader, reload=False)
                    self.check_small_windows(touch, '', opened=True)
                    self.emulate(width, height, ratio, touch, reader, reload=False)
                    self.check_thumb_drag()
                    self.check_long_press()
                elif name in FREE:
                    self.check_plot_menu_scaled()
                if name != 'tablet':
                    self.check_print(width, height, ratio, touch, reader)

    def check_fit(self, width, height, touch, reader):
        page = self.page
        fit, scroll_width, view, opened = page.js("""const e = document.documentElement;
            return [e.dataset.fit, e.scrollWidth, e.clientWidth,
                    [document.activeElement.id, scrollY]];""")
        self.assertLessEqual(scroll_width, view, 'no sideways scroll')
        self.assertEqual(opened, ['Picture_Akım', 0], 'open at the top, the flow plot focused')
        # A closed menu's items are no targets until it opens.
        rects = page.js("""return [...document.querySelectorAll(arguments[0])]
            .filter(e => e.getClientRects().length > 0).map(e => {
            const r = e.getBoundingClientRect(); return [e.id || e.className, r.left, r.right,
            r.width, r.height]; });""", '#Form1 :is(%s)' % CONTROLS)
        for control, left, right, w, h in rects:
            self.assertTrue(0 <= left and right <= view, control)
            if touch:
                self.assertGreaterEqual(min(w, h), 44, control)
        cut = page.js("""return [...document.querySelectorAll('#Form1 :is(.label, .caption, input)')]
            .filter(e => e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight + 1)
            .map(e => e.id || e.className);""")
        self.assertEqual(cut, [], 'every text shows whole')
        if touch:  # phones zoom into a box of a smaller font
            self.assertEqual(page.js("""return ['Label1', 'Text_Moo', 'Label2', 'Text_HbL'].map(
                id => getComputedStyle(document.getElementById(id)).fontSize);"""), ['16px'] * 4)
        if touch or reader:
            self.assertEqual(fit, 'column')
            travel = page.js("""const bar = document.querySelector('#HScroll_Moo');
                return bar.querySelector('.track').clientWidth
                     - bar.querySelector('.thumb').offsetWidth;""")
            self.assertGreaterEqual(travel, 200 - 101, 'the thumb reaches every position')
        else:
            form = page.by_id('Form1').rect
            self.assertGreaterEqual(max(form['width'] / width, form['height'] / height), 0.8)

    def check_calculation(self, touch):
        page = self.page
        page.type_into('Text_Moo', '1.5')
        page.type_into('Text_HbL', '0.05')
        button = page.by_id('Command1')
        page.js('arguments[0].scrollIntoView()', button)
        if touch:
            x, y = self.centre(button)
            self.touch('touchStart', x, y)
            self.touch('touchEnd', x, y)
        else:
            button.click()
        self.assertEqual(page.recalculations(), 1)
        self.ratio = page.js("""const c = document.querySelector('#Picture_basınç canvas');
            return c.width / c.clientWidth;""")
        Beta = math.sqrt(1.5 ** 2 - 1)
        self.assert_pixels_match_lines('Picture_Akım', flowlines.flow_lines(Beta, 0.05))
        w, h, pixels = self.assert_pixels_match_lines('Picture_basınç',
                                                      flowlines.pressure_lines(Beta, 0.05))
        # Far above the curve only the vertical axis of Cp crosses a row: as
        # wide as one CSS pixel of the plot, in device pixels.
        row = int((-1.3 + 5.5) / 11 * h)
        axis = [x for x in range(w) if pixels[row * w + x] != flowlines.BACKGROUND]
        self.assertEqual(len(axis), max(1, round(self.ratio)), axis)

    def check_thumb_drag(self):
        page = self.page
        thumb = page.by_id('HScroll_Moo').find_element('css selector', '.thumb')
        page.js('arguments[0].scrollIntoView({block: "center"})', thumb)
        before = page.js('return [scrollX, scrollY, visualViewport.scale]')
        x, y = self.centre(thumb)
        self.touch('touchStart', x, y)
        for step in range(1, 11):
            self.touch('touchMove', x + 30 * step, y + 3 * step)
        self.assertEqual(page.recalculations(), 1, 'nothing until the thumb is let go')
        self.touch('touchEnd', x + 300, y + 30)
        self.assertEqual(page.recalculations(), 2)
        self.assertEqual(page.text('Text_Moo'), '2')
        self.assertEqual(page.js('return [scrollX, scrollY, visualViewport.scale]'), before,
                         'the page neither scrolls nor zooms under the drag')

    def check_long_press(self):
        """A finger held on a plot, trembling a little, opens its menu."""
        page = self.page
        plot = page.by_id('Picture_Akım')
        page.js('arguments[0].scrollIntoView({block: "center"})', plot)
        x, y = self.centre(plot)
        self.touch('touchStart', x, y)
        self.touch('touchMove', x + 2, y + 1)
        # Held for as long as a loaded machine needs for the half second.
        opened = False
        for _ in range(50):
            time.sleep(0.1)
            opened = page.js("return !document.getElementById('Picture_Akım_menu').hidden")
            if opened:
                break
        self.touch('touchEnd', x + 2, y + 1)
        self.assertTrue(opened)
        self.assertGreaterEqual(min(b[3] - b[1] for b in self.boxes('#Picture_Akım_menu button')),
                                44, 'a finger hits one item')

    def boxes(self, selector):
        return self.page.js(BOXES, selector)

    def check_small_windows(self, touch, free, opened=False):
        """In the view with their close buttons (44 px under a finger), leaving `free` free."""
        for item in () if opened else ('Nm_About', 'Nm_Teori', 'Nm_Geçerlilik'):
            self.page.js('arguments[0].click()', self.page.by_id(item))
        width, height, scroll = self.page.js('const e = document.documentElement; return '
                                             '[e.clientWidth, e.clientHeight, e.scrollWidth]')
        self.assertLessEqual(scroll, width, 'no sideways scroll')
        for window in ('Form_About', 'Form_Validity'):
            (left, top, right, bottom), close = self.boxes(f'#{window}, #{window} .close')
            self.assertTrue(0 <= left and right <= width and 0 <= top, window)
            self.assertTrue(0 <= close[0] and close[2] <= width and close[3] <= height, window)
            self.assertGreaterEqual(min(close[2] - close[0], close[3] - close[1]), 44 * touch)
            kept = (self.boxes('#Frame1 :is(input, .scrollbar, button)') * ('inputs' in free)
                    + self.boxes('#Form1 .plot') * ('plots' in free and window == 'Form_About'))
            self.assertEqual([b for b in kept if b[0] < right and left < b[2]
                              and b[1] < bottom and top < b[3]], [], window)

    def check_plot_menu_scaled(self):
        """A plot's menu shows its text as large as the window's labels."""
        from selenium.webdriver.common.keys import Keys
        self.page.js("document.getElementById('Picture_Akım').focus()")
        self.page.by_id('Picture_Akım').send_keys(Keys.SHIFT, Keys.F10)
        item, label = self.page.js("""return ['#Picture_Akım_menu button', '#Label1'].map(s => {
            const r = new Range(); r.selectNodeContents(document.querySelector(s));
            return r.getBoundingClientRect().height; });""")
        self.assertGreaterEqual(item, label)

    def check_print(self, width, height, ratio, touch, reader):
        """One PDF page; measured on the paper's printable area in print media."""
        page, cdp = self.page, self.page.driver.execute_cdp_cmd
        page.js("document.getElementById('Picture_Akım').focus()")
        pdf = base64.b64decode(cdp('Page.printToPDF', {'preferCSSPageSize': True})['data'])
        self.assertEqual(len(re.findall(rb'/Type\s*/Page\b', pdf)), 1, 'one page')
        cdp('Emulation.setDeviceMetricsOverride', {'width': int(PAPER[0]), 'height': int(PAPER[1]),
                                                   'deviceScaleFactor': 1, 'mobile': False})
        cdp('Emulation.setEmulatedMedia', {'media': 'print'})
        try:  # between the page's beforeprint and afterprint, a frame apart
            # Printed at once after a recalculation, before its words are due.
            page.js("""scrollTo(0, 0); Text_HbL.value = '0.07'; Command1.click();
                dispatchEvent(new Event('beforeprint')); return new
                Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));""")
            heading, window, lines, ring, cut = page.js(f"""const boxes = (s) => {{ {BOXES} }};
                const seen = [...boxes('#PrintHeading, #Form1'), [...PrintHeading.children].map(
                  p => p.textContent), getComputedStyle(document.activeElement).outlineStyle,
                  [...document.querySelectorAll('#Form1 .label')].filter(
                    e => e.scrollWidth > e.clientWidth).map(e => e.id)];
                dispatchEvent(new Event('afterprint')); return seen;""".replace('arguments[0]',
                                                                                's'))
        finally:
            cdp('Emulation.setEmulatedMedia', {'media': ''})
            self.emulate(width, height, ratio, touch, reader, reload=False)
        self.assertEqual((heading[:2], window[0], cut, ring), ([0, 0], 0, [], 'none'))
        self.assertTrue(window[1] - heading[3] <= 8 and window[3] <= PAPER[1], window)
        if not reader:  # the window, at the paper's size whatever the screen's
            self.assertTrue(0.75 * PAPER[0] < window[2] <= PAPER[0], window)
            self.assertEqual(window, getattr(self, 'printed', window))
            self.printed = window
        self.assertEqual(lines, [f"Moo = {page.text('Text_Moo')}, H/L = {page.text('Text_HbL')}",
                                 page.js('return location.href') + ' · '
                                 + datetime.date.today().strftime('%d.%m.%Y')])


class CoursePage(PageTest):
    """docs/web.md's snippet as written, in a course page of another origin at
    1280 x 900; sandboxed as it says, and without downloads and modals."""

    DOCS = (pathlib.Path(__file__).parents[2] / 'docs' / 'web.md').read_text('utf-8')
    SNIPPET = re.search(r'### In a course page.*?```html\n(.*?)```', DOCS, re.S).group(1)
    SANDBOX = re.search(r'`(sandbox="[^"]*")`', DOCS).group(1)

    def framed(self, sandbox=''):
        """Into the frame once its page has calculated; the frame's top."""
        from selenium.webdriver.support.ui import WebDriverWait
        page, folder = self.page, tempfile.TemporaryDirectory(prefix='wavywall-course-')
        self.addCleanup(folder.cleanup)
        pathlib.Path(folder.name, 'index.html').write_text(
            '<!DOCTYPE html><meta charset="utf-8"><link rel="icon" href="data:,"><h1>Ders 7</h1>'
            + self.SNIPPET.replace('https://example.org/wavywall/', page.server.url).replace(
                '<iframe ', f'<iframe {sandbox} '), 'utf-8')
        self.addCleanup((host := browser.Server(folder.name)).stop)
        page.driver.get(host.url)
        top = page.js("return document.querySelector('iframe').getBoundingClientRect().top")
        page.driver.switch_to.frame(0)
        WebDriverWait(page.driver, 20).until(lambda d: d.execute_script(
            "return document.documentElement.dataset.ready === 'true'"))
        page.js("document.getElementById('Command1').click()")
        return top

    def said(self, command):  # after a command of the pressure plot's menu
        return self.page.js("""const plot = document.getElementById('Picture_basınç');
            plot.dispatchEvent(new MouseEvent('contextmenu', { bubbles: true }));
            document.getElementById(`Picture_basınç_${arguments[0]}`).click();
            const said = MsgBox.open ? MsgBox_text.textContent : null;
            MsgBox_OK.click(); return said;""", command)

    def test_framed_as_the_docs_say(self):
        page = self.page
        page.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': 1280, 'height': 900, 'deviceScaleFactor': 1, 'mobile': False})
        try:
            top = self.framed()
            self.assertLessEqual(top + self.boxes('#Picture_basınç')[0][3], 900, 'above the fold')
            self.assertTrue(page.js('return document.featurePolicy.allowsFeature(arguments[0])',
                                    'clipboard-write'))
            self.framed(self.SANDBOX)
            self.assertIsNone(self.said('print'))
            self.framed('sandbox="allow-scripts allow-same-origin"')
            self.assertIn('içeren sayfa yazdırmaya izin vermiyor', self.said('print'))
            self.assertIn('indirmeye izin', self.said('saveData'))
        finally:
            page.driver.switch_to.default_content()
            page.driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
        # The browser's own words for what the sandbox refused, and nothing else.
        errors = [e['message'] for e in page.driver.get_log('browser') if e['level'] == 'SEVERE']
        self.assertEqual([e for e in errors if 'sandboxed' not in e], [])

    boxes = Screens.boxes


class ReaderSettings(Screens):
    devices = [row for row in DEVICES if row[-1]]
    minimum_font = 16


if __name__ == '__main__':
    sys.exit(test_page.main(sys.modules[__name__]))
