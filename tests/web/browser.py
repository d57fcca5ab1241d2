"""Headless Chromium and a local web server for the page's tests and the
browser benchmark: Debian's chromium driven by its chromedriver through
selenium, with a fresh profile each time and the browser's console kept.
WebKit, the engine of Safari, runs the same tests as WebKitGTK's MiniBrowser
driven by WebKitWebDriver; it needs an X display (the tests run it under
xvfb-run)."""

import collections
import contextlib
import functools
import glob
import http.server
import importlib.util
import inspect
import os
import shutil
import socket
import tempfile
import threading

SKIP = 77
CHROMIUM = '/usr/bin/chromium'
CHROMEDRIVER = '/usr/bin/chromedriver'
WEBKIT_DRIVER = '/usr/bin/WebKitWebDriver'
ENGINES = ('chromium', 'webkit')


def minibrowser():
    """WebKitGTK's MiniBrowser, in its API version's library folder."""
    found = sorted(glob.glob('/usr/lib/*/webkit*gtk-*/MiniBrowser'))
    return found[-1] if found else '/usr/lib/webkitgtk/MiniBrowser'


def missing_tools(engine='chromium'):
    """What the browser tests need and this machine lacks, or None."""
    paths = (CHROMIUM, CHROMEDRIVER) if engine == 'chromium' else (WEBKIT_DRIVER, minibrowser())
    for path in paths:
        if not os.access(path, os.X_OK):
            return path
    if engine == 'webkit' and not os.environ.get('DISPLAY'):
        return 'an X display (xvfb-run)'
    if importlib.util.find_spec('selenium') is None:
        return 'python3-selenium'
    return None


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    # Keep-alive: a page of a dozen files needs no new connection for each.
    protocol_version = 'HTTP/1.1'

    def setup(self):
        super().setup()
        # Headers and body go out in separate writes; without this the
        # second waits for the browser's delayed acknowledgement.
        self.connection.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        '.js': 'text/javascript',
        '.wasm': 'application/wasm',
        '.webmanifest': 'application/manifest+json',
        '.svg': 'image/svg+xml',
    }

    def log_message(self, *args):
        pass

    def copyfile(self, source, outputfile):
        self.server.bodies_sent[self.path] += 1
        super().copyfile(source, outputfile)


class Server:
    """Serves a folder on the loopback interface, on a free port, from a
    thread of this process; stop() ends it (the network gone)."""

    def __init__(self, folder):
        handler = functools.partial(QuietHandler, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        # How often each path's body went out (a "not modified" sends none).
        self.httpd.bodies_sent = collections.Counter()
        self.port = self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    @property
    def url(self):
        return f'http://127.0.0.1:{self.port}/'

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


def start_webkit(width, height):
    """MiniBrowser under automation; it keeps no profile between runs."""
    from selenium import webdriver
    from selenium.webdriver.webkitgtk.options import Options

    options = Options()
    options.binary_location = minibrowser()
    options.add_argument('--automation')
    # Selenium 4.10 and later (Debian 13) name the driver through a service;
    # Debian 12's 4.8 takes its path.
    if 'service' in inspect.signature(webdriver.WebKitGTK.__init__).parameters:
        from selenium.webdriver.webkitgtk.service import Service
        driver = webdriver.WebKitGTK(options=options, service=Service(WEBKIT_DRIVER))
    else:
        driver = webdriver.WebKitGTK(executable_path=WEBKIT_DRIVER, options=options)
    driver.set_window_size(width, height)
    driver.wavywall_profile = None
    driver.wavywall_engine = 'webkit'
    return driver


def start_browser(device_pixel_ratio=1, width=900, height=700, engine='chromium',
                  minimum_font=0):
    """A headless Chromium with a fresh profile, its console logged; or
    WebKit, at ratio 1 on the X display. minimum_font is the reader's
    smallest font size in CSS pixels (Chromium only)."""
    if engine == 'webkit':
        return start_webkit(width, height)
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service

    profile = tempfile.mkdtemp(prefix='wavywall-chromium-')
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for argument in ('--headless', '--no-sandbox', '--disable-gpu',
                     '--disable-background-networking', '--disable-component-update',
                     '--disable-sync', '--no-first-run', '--disable-dev-shm-usage',
                     f'--user-data-dir={profile}', f'--window-size={width},{height}',
                     f'--force-device-scale-factor={device_pixel_ratio}',
                     '--lang=tr'):
        options.add_argument(argument)
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    if minimum_font:
        options.add_experimental_option('prefs', {
            'webkit.webprefs.minimum_font_size': minimum_font,
            'webkit.webprefs.minimum_logical_font_size': minimum_font})
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    driver.wavywall_profile = profile
    driver.wavywall_engine = 'chromium'
    return driver


def quit_browser(driver):
    driver.quit()
    if driver.wavywall_profile:
        shutil.rmtree(driver.wavywall_profile, ignore_errors=True)


@contextlib.contextmanager
def browser(device_pixel_ratio=1, **sizes):
    driver = start_browser(device_pixel_ratio, **sizes)
    try:
        yield driver
    finally:
        quit_browser(driver)

