# SPDX-License-Identifier: MIT
"""Serves a folder on 127.0.0.1, compressed as a web host does, and drives a real browser on
it through WebDriver (python3-selenium): Debian's Chromium, headless (chromium-driver), or
WebKitGTK's MiniBrowser (webkit2gtk-driver) on a virtual X display."""
import functools
import glob
import gzip
import http.server
import os
import subprocess
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

# What static hosts compress; images are compressed already.
COMPRESSED = ('.html', '.js', '.wasm', '.webmanifest', '/')


class _Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json',
                      '.js': 'text/javascript'}

    def __init__(self, *args, hold=None, **kwargs):
        self.hold = hold
        super().__init__(*args, **kwargs)

    def log_message(self, *args):
        pass

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, 'index.html')
        if self.hold and path.endswith('index.html'):
            return self._send_held(path)
        wants_gzip = 'gzip' in self.headers.get('Accept-Encoding', '')
        if not (wants_gzip and self.path.split('?')[0].endswith(COMPRESSED) and
                os.path.isfile(path)):
            return super().send_head()
        with open(path, 'rb') as file:
            body = gzip.compress(file.read(), 9)
        self.send_response(200)
        self.send_header('Content-Type', self.guess_type(path))
        self.send_header('Content-Encoding', 'gzip')
        self.send_header('Content-Length', str(len(body)))
        self.send_header('Cache-Control', 'no-cache')
        self.end_headers()
        return _Body(body)


    def _send_held(self, path):
        """The page up to the marker at once, the rest once the hold is released."""
        marker, release = self.hold
        with open(path, 'rb') as file:
            body = file.read()
        at = body.index(marker)
        self.send_response(200)
        self.send_header('Content-Type', 'text/html')
        self.send_header('Content-Length', str(len(body)))
        self.send_header('Cache-Control', 'no-cache')
        self.end_headers()
        self.wfile.write(body[:at])
        self.wfile.flush()
        release.wait(120)
        return _Body(body[at:])


class _Body:
    def __init__(self, data):
        self.data = data

    def read(self, *args):
        data, self.data = self.data, b''
        return data

    def close(self):
        pass


class Server:
    """The folder `root` on http://127.0.0.1:<port>/ until stop(). With `hold_at` (bytes), the
    page is sent up to that marker, and the rest only once release() is called."""

    def __init__(self, root, hold_at=None):
        self._release = threading.Event()
        hold = (hold_at, self._release) if hold_at else None
        handler = functools.partial(_Handler, directory=root, hold=hold)
        self._server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        self.url = f'http://127.0.0.1:{self._server.server_port}/'
        threading.Thread(target=self._server.serve_forever, daemon=True).start()

    def release(self):
        self._release.set()

    def stop(self):
        self._release.set()
        self._server.shutdown()
        self._server.server_close()


def chromium(width=800, height=600, phone=False, wait_for_load=True):
    """Headless Chromium with a fresh profile; `phone`: a 390 x 844 phone at 3 device pixels
    per CSS pixel, with touch, unless `width` and `height` say otherwise. Without
    `wait_for_load`, the driver acts while a page still loads."""
    options = Options()
    if not wait_for_load:
        options.page_load_strategy = 'none'
    options.binary_location = '/usr/bin/chromium'
    # This machine's network is closed: no background connections, no sandbox as root.
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic',
                     '--no-first-run', '--disable-background-networking',
                     '--disable-component-update', '--disable-sync', '--lang=zh-CN',
                     f'--user-data-dir={tempfile.mkdtemp(prefix="velmora-chromium-")}'):
        options.add_argument(argument)
    if phone:
        options.add_experimental_option('mobileEmulation', {
            'deviceMetrics': {'width': width, 'height': height, 'pixelRatio': 3, 'touch': True},
            'userAgent': 'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 '
                         '(KHTML, like Gecko) Chrome/156.0 Mobile Safari/537.36'})
    else:
        options.add_argument(f'--window-size={width},{height}')
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    if not phone:
        # The window's outer size includes nothing headless: make the page exactly that big.
        driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                               {'width': width, 'height': height, 'deviceScaleFactor': 1,
                                'mobile': False})
    return driver


class VirtualDisplay:
    """An X server of its own (Xvfb) for a browser that needs a display, until stop()."""

    def __init__(self, size='1600x1200x24'):
        read, write = os.pipe()
        self._process = subprocess.Popen(
            ['Xvfb', '-displayfd', str(write), '-screen', '0', size, '-nolisten', 'tcp'],
            pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError('Xvfb did not start')
        self.name = f':{number}'

    def stop(self):
        self._process.terminate()
        self._process.wait()


def webkit(display, width=800, height=600, wait_for_load=True):
    """WebKitGTK's MiniBrowser on `display` (a VirtualDisplay), its page `width` x `height`
    CSS pixels. WebKitGTK emulates no phone: no touch, no device pixel ratio. Without
    `wait_for_load`, the driver acts while a page still loads."""
    from selenium.webdriver.webkitgtk.options import Options as WebKitOptions
    options = WebKitOptions()
    if not wait_for_load:
        options.page_load_strategy = 'none'
    options.binary_location = glob.glob('/usr/lib/*/webkit2gtk-4.1/MiniBrowser')[0]
    options.add_argument('--automation')
    # The driver starts the browser with its own environment.
    os.environ.update(DISPLAY=display.name, GDK_BACKEND='x11', LANGUAGE='zh_CN')
    driver = webdriver.WebKitGTK(executable_path='/usr/bin/WebKitWebDriver', options=options)
    # The window's frame and toolbar take their share: grow it until the page has the size.
    driver.set_window_size(width, height)
    inner = driver.execute_script('return [innerWidth, innerHeight]')
    driver.set_window_size(2 * width - inner[0], 2 * height - inner[1])
    return driver


def wait_for_page(driver, seconds=30):
    """Waits until the page's program runs: a click then calculates (the page's own mark)."""
    WebDriverWait(driver, seconds).until(lambda d: d.execute_script(
        "return performance.getEntriesByName('velmora-running').length > 0"))
