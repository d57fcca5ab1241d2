"""Headless Chromium and a local web server for the page's tests and the
browser benchmark: Debian's chromium driven by its chromedriver through
selenium, with a fresh profile each time and the browser's console kept.
WebKit, the engine of Safari, runs the same tests as WebKitGTK's MiniBrowser
driven by WebKitWebDriver; it needs an X display (the tests run it under
xvfb-run). Gecko runs them as headless Firefox ESR, driven over its own
remote protocol, Marionette, on the loopback interface: there is no
WebDriver server for it here, so selenium's commands are handed to
Marionette directly (class Marionette)."""

import collections
import contextlib
import functools
import glob
import http.server
import importlib.util
import inspect
import os
import shutil
import json
import socket
import subprocess
import tempfile
import threading
import time

SKIP = 77
CHROMIUM = '/usr/bin/chromium'
CHROMEDRIVER = '/usr/bin/chromedriver'
WEBKIT_DRIVER = '/usr/bin/WebKitWebDriver'
FIREFOX = '/usr/bin/firefox-esr'
ENGINES = ('chromium', 'webkit', 'firefox')


def minibrowser():
    """WebKitGTK's MiniBrowser, in its API version's library folder."""
    found = sorted(glob.glob('/usr/lib/*/webkit*gtk-*/MiniBrowser'))
    return found[-1] if found else '/usr/lib/webkitgtk/MiniBrowser'


def missing_tools(engine='chromium'):
    """What the browser tests need and this machine lacks, or None."""
    paths = {'chromium': (CHROMIUM, CHROMEDRIVER), 'webkit': (WEBKIT_DRIVER, minibrowser()),
             'firefox': (FIREFOX,)}[engine]
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
    """MiniBrowser under automation; it keeps no profile between runs.
    WebKitGTK's Skia GPU path has crashed its WebProcess under llvmpipe:
    it paints on the CPU."""
    from selenium import webdriver
    from selenium.webdriver.webkitgtk.options import Options

    os.environ.setdefault('WEBKIT_SKIA_ENABLE_CPU_RENDERING', '1')
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


class Marionette:
    """Firefox's remote protocol as selenium's command executor. Each
    message is its length in decimal, a colon and a JSON array: [0, id,
    command, parameters] out, [1, id, error, result] back. Its commands are
    WebDriver's under their own names, with the same parameters."""

    # selenium's name of each command the tests use, and Marionette's.
    COMMANDS = {
        'newSession': 'WebDriver:NewSession', 'quit': 'Marionette:Quit', 'get': 'Navigate',
        'getTitle': 'GetTitle', 'getCurrentUrl': 'GetCurrentURL', 'refresh': 'Refresh',
        'w3cExecuteScript': 'ExecuteScript', 'w3cExecuteScriptAsync': 'ExecuteAsyncScript',
        'findElement': 'FindElement', 'findElements': 'FindElements',
        'findChildElement': 'FindElement', 'findChildElements': 'FindElements',
        'w3cGetActiveElement': 'GetActiveElement', 'clickElement': 'ElementClick',
        'clearElement': 'ElementClear', 'sendKeysToElement': 'ElementSendKeys',
        'getElementText': 'GetElementText', 'getElementTagName': 'GetElementTagName',
        'isElementEnabled': 'IsElementEnabled', 'isElementSelected': 'IsElementSelected',
        'getElementRect': 'GetElementRect', 'getElementAttribute': 'GetElementAttribute',
        'getElementProperty': 'GetElementProperty',
        'getElementValueOfCssProperty': 'GetElementCSSValue',
        'screenshot': 'TakeScreenshot', 'elementScreenshot': 'TakeScreenshot',
        'actions': 'PerformActions', 'clearActionState': 'ReleaseActions',
        'setWindowRect': 'SetWindowRect', 'getWindowRect': 'GetWindowRect',
        'setTimeouts': 'SetTimeouts', 'getTimeouts': 'GetTimeouts',
    }

    def __init__(self, port):
        self.socket = socket.create_connection(('127.0.0.1', port), timeout=120)
        self.stream = self.socket.makefile('rb')
        self.last_id = 0
        self.receive()  # the greeting: the application and the protocol's level

    def receive(self):
        length = b''
        while (byte := self.stream.read(1)) != b':':
            if not byte:
                raise ConnectionError('Firefox closed its Marionette connection')
            length += byte
        return json.loads(self.stream.read(int(length)))

    def send(self, name, parameters):
        self.last_id += 1
        body = json.dumps([0, self.last_id, name, parameters]).encode()
        self.socket.sendall(str(len(body)).encode() + b':' + body)
        _, _, error, result = self.receive()
        return error, result

    def execute(self, command, params):
        params = {k: v for k, v in (params or {}).items() if k != 'sessionId'}
        if command == 'newSession':
            params = {}  # Marionette takes the capabilities matched, not a request
        elif command in ('findChildElement', 'findChildElements'):
            params['element'] = params.pop('id')
        elif command in ('screenshot', 'elementScreenshot'):
            params.update(full=False, scroll=True)
        elif command == 'quit':
            params = {'flags': ['eForceQuit']}  # the session and Firefox with it
        name = self.COMMANDS[command]
        error, result = self.send(name if ':' in name else 'WebDriver:' + name, params)
        if error:
            # As a WebDriver server's error answer reaches selenium.
            return {'status': 500, 'value': json.dumps({'value': error})}
        # A few commands answer with their object itself, the rest inside "value".
        if isinstance(result, dict) and result.keys() == {'value'}:
            result = result['value']
        return {'value': result}

    def close(self):
        self.socket.close()


# Firefox's preferences for a test profile: Marionette on a free port
# (written to the profile's MarionetteActivePort), the page's console on the
# standard output, Turkish first, as for Chromium.
FIREFOX_PREFERENCES = {'marionette.port': 0, 'devtools.console.stdout.content': True,
                       'intl.accept_languages': 'tr'}


def start_firefox(width, height, minimum_font=0):
    """Headless Firefox ESR with a fresh profile, driven over Marionette;
    minimum_font is the reader's smallest font size for Latin text."""
    from selenium import webdriver

    profile = tempfile.mkdtemp(prefix='wavywall-firefox-')
    preferences = dict(FIREFOX_PREFERENCES)
    if minimum_font:
        preferences['font.minimum-size.x-western'] = minimum_font
    with open(os.path.join(profile, 'user.js'), 'w', encoding='utf-8') as prefs:
        for name, value in preferences.items():
            prefs.write(f'user_pref("{name}", {json.dumps(value)});\n')
    log = open(os.path.join(profile, 'output.log'), 'wb')
    process = subprocess.Popen([FIREFOX, '--marionette', '--headless', '--no-remote',
                                '-profile', profile], stdout=log, stderr=log)
    port_file = os.path.join(profile, 'MarionetteActivePort')
    for _ in range(600):
        if os.path.exists(port_file) and open(port_file).read().strip():
            break
        if process.poll() is not None:
            raise RuntimeError(f'Firefox ended at its start: {open(log.name).read()}')
        time.sleep(0.1)
    driver = webdriver.Remote(command_executor=Marionette(int(open(port_file).read())),
                              options=webdriver.FirefoxOptions())
    driver.set_window_size(width, height)
    driver.wavywall_profile = profile
    driver.wavywall_engine = 'firefox'
    driver.wavywall_process = process
    driver.wavywall_log = log
    return driver


def firefox_errors(driver, origin):
    """What the page wrote to Firefox's console as errors since the last
    call: its uncaught errors, which name its address, and console.error."""
    with open(driver.wavywall_log.name, encoding='utf-8', errors='replace') as log:
        log.seek(getattr(driver, 'wavywall_log_read', 0))
        lines = log.read().splitlines()
        driver.wavywall_log_read = log.tell()
    return [line for line in lines
            if line.startswith(f'JavaScript error: {origin}') or line.startswith('console.error: "')]


def start_browser(device_pixel_ratio=1, width=900, height=700, engine='chromium',
                  minimum_font=0):
    """A headless Chromium with a fresh profile, its console logged; or
    WebKit or Firefox, at ratio 1. minimum_font is the reader's
    smallest font size in CSS pixels (not in WebKit)."""
    if engine == 'webkit':
        return start_webkit(width, height)
    if engine == 'firefox':
        return start_firefox(width, height, minimum_font)
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
    if driver.wavywall_engine == 'firefox':
        driver.wavywall_process.wait(timeout=60)
        driver.wavywall_log.close()
    if driver.wavywall_profile:
        shutil.rmtree(driver.wavywall_profile, ignore_errors=True)


@contextlib.contextmanager
def browser(device_pixel_ratio=1, **sizes):
    driver = start_browser(device_pixel_ratio, **sizes)
    try:
        yield driver
    finally:
        quit_browser(driver)

