# SPDX-License-Identifier: MIT
"""The browser edition in real browsers through WebDriver, keys and clicks as real input
events, against build/web served on 127.0.0.1: headless Chromium, with taps and phone metrics
through its emulation, and WebKitGTK, the engine of every browser on an iPhone, which emulates
neither. Usage: page_test.py WEB_FOLDER SHEET_TEXTS [SCREENSHOT_FOLDER]"""
import atexit
import os
import random
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '../../../scripts'))
import web_session  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.actions import interaction  # noqa: E402
from selenium.webdriver.common.actions.action_builder import ActionBuilder  # noqa: E402
from selenium.webdriver.common.actions.pointer_input import PointerInput  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

WEB, SHEET_TEXTS = sys.argv[1], sys.argv[2]
SHOTS = sys.argv[3] if len(sys.argv) > 3 else 'build/web-shots'
WORKED_ROW = ['4', '200', '50', '10', '1500']
INPUTS = ['长', '宽', '厚', '件', '单价']
# What iOS needs not to zoom into a box that takes the focus, and what a finger needs.
PHONE_TEXT_PX, FINGER_PX = 16, 40


def name(heading, row):
    return f'{heading} 第{row}行'


_display = None


def browser(engine, width, height, wait_for_load=True):
    """A fresh `engine` browser whose page is `width` x `height` CSS pixels; without
    `wait_for_load`, its driver acts while a page still loads."""
    global _display
    if engine == 'chromium':
        return web_session.chromium(width, height, wait_for_load=wait_for_load)
    if _display is None:
        _display = web_session.VirtualDisplay()
        atexit.register(_display.stop)
    return web_session.webkit(_display, width, height, wait_for_load)


class Page:
    """The page in one browser, with what a user does to it."""

    def __init__(self, driver, url=None):
        """The page `driver` shows; with `url`, loaded afresh once its program runs."""
        self.driver = driver
        if url:
            self.driver.get(url)
            web_session.wait_for_page(driver)

    def box(self, spoken):
        return self.driver.find_element(By.CSS_SELECTOR, f'#Form1 input[aria-label="{spoken}"]')

    def shown(self, spoken):
        return self.box(spoken).get_attribute('value')

    def all_shown(self):
        return self.driver.execute_script(
            "return [...document.querySelectorAll('#Form1 input')].map(b => b.value)")

    def focused(self):
        element = self.driver.switch_to.active_element
        return element.get_attribute('aria-label') or element.text

    def tip_text(self):
        """The text of the whole number's tip (WebKitGTK's driver reads no text of it)."""
        return self.driver.execute_script(
            "return document.querySelector('#Form1 .tip').textContent")

    def selection(self, spoken):
        return self.driver.execute_script(
            'const b = arguments[0]; return b.value.substring(b.selectionStart, b.selectionEnd)',
            self.box(spoken))

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def click(self, element, x=None, y=None, move=0):
        """A left click at (x, y) from the element's top-left corner (its centre by default),
        the mouse moving `move` pixels left between press and release."""
        size = element.size
        x = size['width'] // 2 if x is None else x
        y = size['height'] // 2 if y is None else y
        chain = ActionChains(self.driver).move_to_element_with_offset(
            element, x - size['width'] // 2, y - size['height'] // 2).click_and_hold()
        if move:
            chain = chain.move_by_offset(-move, 0)
        chain.release().perform()

    def click_background(self):
        self.click(self.driver.find_element(By.ID, 'Form1'), 5, 5)

    def viewport(self):
        return self.driver.execute_script('return [innerWidth, innerHeight]')

    def form_rect(self):
        return self.driver.execute_script(
            "return document.getElementById('Form1').getBoundingClientRect().toJSON()")

    def press_and_release(self, start, end, pointer='mouse'):
        """A press at `start` and a release at `end` (page points), by mouse or finger."""
        kind = interaction.POINTER_TOUCH if pointer == 'touch' else interaction.POINTER_MOUSE
        actions = ActionBuilder(self.driver, mouse=PointerInput(kind, pointer))
        actions.pointer_action.move_to_location(*map(int, start)).pointer_down()
        if end != start:
            actions.pointer_action.move_to_location(*map(int, end))
        actions.pointer_action.pointer_up()
        actions.perform()

    def centre(self, element):
        rect = self.driver.execute_script(
            'return arguments[0].getBoundingClientRect().toJSON()', element)
        return rect['x'] + rect['width'] / 2, rect['y'] + rect['height'] / 2

    def type_into(self, spoken, text):
        self.click(self.box(spoken))
        self.keys(text)

    def fill_worked_row(self):
        for heading, text in zip(INPUTS, WORKED_ROW):
            self.type_into(name(heading, 1), text)


class EarlyUser:
    """A user of a page that is still loading. WebKitGTK's driver holds its input actions
    until the page has loaded, so there the mouse and keys are real X input (xdotool) on
    the browser's display, placed by the window's position."""

    def __init__(self, page, engine):
        self.page = page
        self.engine = engine

    def press_and_release(self, start, end=None):
        if self.engine == 'chromium':
            return self.page.press_and_release(start, end or start)
        left, top = self.page.driver.execute_script(
            'return [screenX, screenY + outerHeight - innerHeight]')
        end = end or start
        self._xdotool('mousemove', left + int(start[0]), top + int(start[1]), 'mousedown', '1',
                      'mousemove', left + int(end[0]), top + int(end[1]), 'mouseup', '1')

    def type(self, text):
        if self.engine == 'chromium':
            return self.page.keys(text)
        self._xdotool('type', '--delay', '20', text)

    @staticmethod
    def _xdotool(*arguments):
        subprocess.run(['xdotool', *map(str, arguments)], check=True,
                       env={**os.environ, 'DISPLAY': _display.name})


def background_points(page):
    """Points of the page's background as a user finds them: its corners, beside and under
    the form, and a label, named; the page at any size."""
    width, height = page.viewport()
    form = page.form_rect()
    bottom = form['y'] + form['height']
    points = [('top left corner', (1, 1)), ('top right corner', (width - 2, 1)),
              ('bottom left corner', (1, height - 2)),
              ('bottom right corner', (width - 2, height - 2)),
              ('under the form', (width / 2, (bottom + height) / 2)),
              ('the form beside the grid', (form['x'] + form['width'] - 3, bottom - 3)),
              *[(f'the label {caption}', page.centre(page.driver.find_element(
                  By.XPATH, f"//div[starts-with(., '{caption}')]")))
                for caption in ('Velmora', '使用说明', '合计', '材积')]]
    if form['x'] > 20:
        points.append(('left of the form', (form['x'] / 2, form['y'] + form['height'] / 2)))
    return points


class PageBehaviour:
    """What the page does on a desktop, in each engine; subclasses say which."""
    ENGINE = None

    @classmethod
    def setUpClass(cls):
        cls.server = web_session.Server(WEB)
        cls.driver = browser(cls.ENGINE, 1280, 800)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.stop()

    def setUp(self):
        self.page = Page(self.driver, self.server.url)

    def test_background_click_calculates_the_worked_row(self):
        p = self.page
        p.fill_worked_row()
        p.click_background()
        for spoken, want in [('材积 第1行', '0.4000'), ('金额 第1行', '600.00'),
                             ('合计材积', '0.4000'), ('合计金额', '600.0000'),
                             ('材积 第2行', ''), ('金额 第8行', '')]:
            with self.subTest(spoken):
                self.assertEqual(p.shown(spoken), want)
        os.makedirs(SHOTS, exist_ok=True)
        self.driver.save_screenshot(os.path.join(SHOTS, f'desktop-{self.ENGINE}.png'))

    def test_every_click_on_the_page_background_calculates(self):
        p = self.page
        for what, point in background_points(p):
            with self.subTest(what):
                p = Page(self.driver, self.server.url)
                p.fill_worked_row()
                p.press_and_release(point, point)
                self.assertEqual(p.shown('合计金额'), '600.0000')

    def test_a_press_that_begins_in_a_box_or_the_button_never_calculates(self):
        width, height = self.page.viewport()
        # what, where the press begins and ends, the price then shown (the button clears)
        for what, start, end, price in [
                ('a box', '材积 第1行', None, '1500'), ('the button', 'button', None, ''),
                ('a drag from a box to the page', '宽 第1行', (width - 5, height - 5), '1500'),
                ('a drag from a box to a label', '长 第1行', '合计', '1500'),
                ('a drag from the button to the page', 'button', (width - 5, height - 5),
                 '1500')]:
            with self.subTest(what):
                p = Page(self.driver, self.server.url)
                p.fill_worked_row()

                def point(spoken):
                    if isinstance(spoken, tuple):
                        return spoken
                    if spoken == 'button':
                        return p.centre(p.driver.find_element(By.TAG_NAME, 'button'))
                    if spoken == '合计':
                        return p.centre(p.driver.find_element(By.XPATH, "//div[.='合计']"))
                    return p.centre(p.box(spoken))
                p.press_and_release(point(start), point(end or start))
                self.assertEqual(p.shown('合计材积'), '')
                self.assertEqual(p.shown(name('单价', 1)), price)

    def test_a_tap_before_the_program_arrives_calculates_once_it_runs(self):
        for what, background, total in [('a click on the page', True, '600.0000'),
                                         ('a press from a box to the page', False, '')]:
            with self.subTest(what):
                # The server sends the form at once and the program when released.
                server = web_session.Server(WEB, hold_at=b'<script id="velmora-program">')
                driver = browser(self.ENGINE, 1280, 800, wait_for_load=False)
                try:
                    driver.get(server.url)
                    web_session.WebDriverWait(driver, 30).until(lambda d: d.execute_script(
                        "return performance.getEntriesByName('velmora-ready').length > 0"))
                    p = Page(driver)
                    user = EarlyUser(p, self.ENGINE)
                    for heading, text in zip(INPUTS, WORKED_ROW):
                        user.press_and_release(p.centre(p.box(name(heading, 1))))
                        user.type(text)
                    height = p.viewport()[1]
                    start = (5, height - 5) if background else p.centre(p.box(name('宽', 1)))
                    user.press_and_release(start, (5, height - 5))
                    self.assertFalse(driver.execute_script(
                        "return performance.getEntriesByName('velmora-running').length > 0"),
                        'the program ran before it was released')
                    server.release()
                    web_session.wait_for_page(driver)
                    self.assertEqual([p.shown(name(h, 1)) for h in INPUTS], WORKED_ROW)
                    self.assertEqual(p.shown('合计金额'), total)
                finally:
                    driver.quit()
                    server.stop()

    def test_blanking_while_typing(self):
        p = self.page
        for spoken, typed, want in [('材积 第3行', '0', ''), ('金额 第2行', '-', ''),
                                    ('合计金额', '.', ''), ('合计材积', '5', '5'),
                                    ('长 第1行', '0', '0')]:
            with self.subTest(spoken=spoken, typed=typed):
                p.type_into(spoken, typed)
                self.assertEqual(p.shown(spoken), want)

    def test_button_clears_every_box_and_the_next_click_writes_blanks(self):
        p = self.page
        p.fill_worked_row()
        p.type_into('金额 第5行', '77')
        p.click_background()
        p.click(p.driver.find_element(By.TAG_NAME, 'button'))
        self.assertEqual(p.all_shown(), [''] * 58)
        p.click_background()
        self.assertEqual(p.all_shown(), [''] * 58)

    def test_enter_and_escape_never_clear(self):
        p = self.page
        p.fill_worked_row()
        p.keys(Keys.ENTER, Keys.ESCAPE)
        p.driver.find_element(By.TAG_NAME, 'button').send_keys(Keys.ENTER, Keys.ESCAPE)
        self.assertEqual(p.shown('单价 第1行'), '1500')

    def test_tab_goes_across_each_row_then_down_the_results(self):
        p = self.page
        want = [name(h, r) for r in range(1, 9) for h in INPUTS]
        want += [name(h, r) for r in range(1, 9) for h in ('材积', '金额')]
        want += ['合计材积', '合计金额', '清除数据']
        visited = [p.focused()]
        for _ in want[1:]:
            p.keys(Keys.TAB)
            visited.append(p.focused())
        self.assertEqual(visited, want)
        ActionChains(p.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(
            Keys.SHIFT).perform()
        self.assertEqual(p.focused(), '合计金额')

    def test_focus_rule(self):
        cases = [
            # name, how the focus arrives in 宽 第1行, what is selected there
            ('tab from another column', 'tab', '200'),
            ('click into another column', 0, '200'),
            ('click moving 3 px', 3, '200'),
            ('drag of 25 px selects what it drags over', 25, None),
            ('click within the column', 'same column', ''),
            ('right click opens its menu on the text selected', 'menu', '200'),
        ]
        for what, how, want in cases:
            with self.subTest(what):
                p = Page(self.driver, self.server.url)
                p.type_into(name('宽', 1), '200')
                p.type_into(name('宽', 4), '9')
                p.type_into(name('长', 1), '4')
                box = p.box(name('宽', 1))
                if how == 'tab':
                    p.keys(Keys.TAB)
                elif how == 'same column':
                    p.click(p.box(name('宽', 4)))
                    p.click(box, box.size['width'] - 14)
                elif how == 'menu':
                    ActionChains(p.driver).context_click(box).perform()
                else:
                    p.click(box, box.size['width'] - 14, move=how)
                self.assertEqual(p.focused(), name('宽', 1))
                selected = p.selection(name('宽', 1))
                if want is None:
                    self.assertTrue(selected and selected != '200', selected)
                else:
                    self.assertEqual(selected, want)
                if how != 'menu':
                    p.keys('15')
                    self.assertEqual(p.shown(name('宽', 1)),
                                     '15' if want == '200' else p.shown(name('宽', 1)))

    def test_keys_typed_ahead_after_tab_are_all_kept(self):
        p = self.page
        p.fill_worked_row()
        p.click(p.box(name('长', 1)))
        # One burst: the driver sends every key before the page handles the first.
        p.keys(Keys.TAB, '300', Keys.TAB, '60', Keys.TAB, '12', Keys.TAB, '999')
        self.assertEqual([p.shown(name(h, 1)) for h in INPUTS], ['4', '300', '60', '12', '999'])

    def test_overflow_is_reported_in_chinese_and_typed_data_kept(self):
        p = self.page
        p.fill_worked_row()
        for heading, text in zip(INPUTS, ['1e200', '1e200', '1', '1', '1']):
            p.type_into(name(heading, 2), text)
        p.click_background()
        dialog = p.driver.find_element(By.TAG_NAME, 'dialog')
        self.assertTrue(dialog.get_attribute('open') is not None)
        self.assertIn('数字太大', dialog.text)
        self.assertIn('确定', dialog.text)
        dialog.find_element(By.TAG_NAME, 'button').click()
        self.assertIsNone(dialog.get_attribute('open'))
        self.assertEqual(p.shown('材积 第1行'), '0.4000')
        self.assertEqual(p.shown(name('长', 2)), '1e200')

    def test_boxes_are_named_and_ask_for_a_decimal_keypad(self):
        boxes = self.driver.find_elements(By.CSS_SELECTOR, '#Form1 input')
        self.assertEqual(len(boxes), 58)
        self.assertEqual(boxes[0].get_attribute('aria-label'), '长 第1行')
        self.assertEqual(boxes[-1].get_attribute('aria-label'), '合计金额')
        for attribute, want in [('inputmode', 'decimal'), ('autocomplete', 'off'),
                                ('autocapitalize', 'off'), ('spellcheck', 'false')]:
            with self.subTest(attribute):
                self.assertEqual(set(self.driver.execute_script(
                    "return [...document.querySelectorAll('#Form1 input')]"
                    '.map(b => b.getAttribute(arguments[0]))', attribute)), {want})
        self.assertEqual(self.driver.find_element(By.TAG_NAME, 'html').get_attribute('lang'),
                         'zh-CN')

    def test_a_number_wider_than_its_box_shows_whole_on_hover(self):
        p = self.page
        p.type_into('合计材积', '123456789012.3456')
        p.click(p.box(name('长', 1)))
        ActionChains(p.driver).move_to_element(p.box('合计材积')).perform()
        tip = p.driver.find_element(By.CSS_SELECTOR, '#Form1 .tip')
        self.assertTrue(tip.is_displayed())
        self.assertEqual(p.tip_text(), '123456789012.3456')
        ActionChains(p.driver).move_to_element(p.box(name('长', 1))).perform()
        self.assertFalse(tip.is_displayed())

    def test_the_same_texts_as_the_desktop_over_random_sheets(self):
        sheets = random_sheets(2000)
        typed = '\n'.join('\t'.join(sheet) for sheet in sheets) + '\n'
        desktop = subprocess.run([SHEET_TEXTS], input=typed, capture_output=True, text=True,
                                 check=True).stdout.splitlines()
        page = self.driver.execute_script(CALCULATE_IN_PAGE, sheets)
        mismatches = [(i, a, b) for i, (a, b) in enumerate(zip(page, desktop)) if a != b]
        self.assertEqual(len(page), len(desktop))
        self.assertEqual(mismatches[:3], [], f'{len(mismatches)} of {len(sheets)} sheets differ')

    def test_after_the_first_visit_it_works_offline(self):
        server = web_session.Server(WEB)
        driver = browser(self.ENGINE, 800, 600)
        try:
            Page(driver, server.url)
            driver.set_script_timeout(30)
            driver.execute_async_script(
                'navigator.serviceWorker.ready.then(() => arguments[0]())')
            server.stop()
            if self.ENGINE == 'chromium':
                driver.execute_cdp_cmd('Network.enable', {})
                driver.execute_cdp_cmd('Network.emulateNetworkConditions', {
                    'offline': True, 'latency': 0, 'downloadThroughput': 0,
                    'uploadThroughput': 0})
            driver.refresh()
            page = Page(driver, server.url)
            page.fill_worked_row()
            page.click_background()
            self.assertEqual(page.shown('合计金额'), '600.0000')
        finally:
            driver.quit()


class ChromiumPage(PageBehaviour, unittest.TestCase):
    ENGINE = 'chromium'

    def test_keys_typed_before_the_program_runs_are_kept(self):
        server = web_session.Server(WEB)
        driver = web_session.chromium(800, 600, wait_for_load=False)
        try:
            # A slow network: the boxes arrive first, the program seconds later.
            driver.execute_cdp_cmd('Network.enable', {})
            driver.execute_cdp_cmd('Network.emulateNetworkConditions', {
                'offline': False, 'latency': 0, 'downloadThroughput': 20000,
                'uploadThroughput': -1})
            driver.get(server.url)
            web_session.WebDriverWait(driver, 30).until(lambda d: d.execute_script(
                "return performance.getEntriesByName('velmora-ready').length > 0"))
            ActionChains(driver).send_keys('4', Keys.TAB, '200', Keys.TAB, '50', Keys.TAB,
                                           '10', Keys.TAB, '1500').perform()
            self.assertFalse(driver.execute_script(
                "return performance.getEntriesByName('velmora-running').length > 0"),
                'the program ran before the keys were typed')
            web_session.wait_for_page(driver)
            page = Page(driver)
            page.keys(Keys.TAB, '300')
            page.click_background()
            self.assertEqual([page.shown(name(h, 1)) for h in INPUTS],
                             ['4', '200', '50', '10', '1500'])
            self.assertEqual(page.shown(name('长', 2)), '300')
            self.assertEqual(page.shown('合计金额'), '600.0000')
        finally:
            driver.quit()
            server.stop()


    def test_a_browser_that_compiles_only_4_kb_at_once_still_calculates(self):
        # Chrome before 2023, and Android WebViews still, refuse to compile more than 4 KB of
        # WebAssembly on the page's own thread; the page then compiles in the background.
        server = web_session.Server(WEB)
        driver = web_session.chromium(800, 600)
        try:
            driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': """
                const Compile = WebAssembly.Module;
                window.refusedCompiles = 0;
                WebAssembly.Module = function (bytes) {
                  if (bytes.byteLength > 4096) {
                    ++window.refusedCompiles;
                    throw new RangeError('WebAssembly.Compile is disallowed on the main thread');
                  }
                  return new Compile(bytes);
                };"""})
            page = Page(driver, server.url)
            self.assertEqual(driver.execute_script('return window.refusedCompiles'), 1)
            page.fill_worked_row()
            page.click_background()
            self.assertEqual(page.shown('合计金额'), '600.0000')
        finally:
            driver.quit()
            server.stop()


class WebKitPage(PageBehaviour, unittest.TestCase):
    """Safari's engine. It emulates no phone here (no touch, no device pixel ratio, no
    keypad): PhonePage proves those in Chromium; this proves WebKit's own layout of the
    narrow form at the narrowest window MiniBrowser takes."""
    ENGINE = 'webkit'

    def test_narrow_window_has_finger_sized_boxes(self):
        driver = browser(self.ENGINE, 440, 700)
        try:
            page = Page(driver, self.server.url)
            assert_phone_form(self, page)
            os.makedirs(SHOTS, exist_ok=True)
            driver.save_screenshot(os.path.join(SHOTS, 'narrow-webkit.png'))
        finally:
            driver.quit()


def assert_phone_form(test, page):
    """The narrow form fits the width, and every box suits a finger and keeps iOS's zoom."""
    driver = page.driver
    test.assertLess(page.viewport()[0], 549, 'not the narrow layout')
    test.assertLessEqual(driver.execute_script('return document.documentElement.scrollWidth'),
                         page.viewport()[0], 'the page scrolls sideways')
    boxes = driver.execute_script(
        "return [...document.querySelectorAll('#Form1 input')].map(b => ["
        "b.getAttribute('aria-label'), b.getBoundingClientRect().height,"
        "parseFloat(getComputedStyle(b).fontSize)])")
    test.assertEqual([b[0] for b in boxes if b[1] < FINGER_PX or b[2] < PHONE_TEXT_PX], [],
                     'boxes too short for a finger or with text iOS zooms into')


# Empties the total amount as an edit would, so the next calculation shows.
CLEAR_TOTAL = '''
const box = document.querySelector('#Form1 input[aria-label="合计金额"]');
box.value = '';
box.dispatchEvent(new Event('input', {bubbles: true}));
'''

# Types each sheet into the boxes as input events, clicks the background, reads the results.
CALCULATE_IN_PAGE = '''
const form = document.getElementById('Form1');
const boxes = [...form.querySelectorAll('input')];
const byName = Object.fromEntries(boxes.map(b => [b.getAttribute('aria-label'), b]));
const inputs = ['长', '宽', '厚', '件', '单价'];
const results = [...['材积', '金额'].flatMap(h => [1,2,3,4,5,6,7,8].map(r => h + ' 第' + r + '行')),
                 '合计材积', '合计金额'].map(n => byName[n]);
return arguments[0].map(sheet => {
  sheet.forEach((text, i) => {
    const box = byName[inputs[i % 5] + ' 第' + (Math.floor(i / 5) + 1) + '行'];
    box.value = text;
    box.dispatchEvent(new Event('input', {bubbles: true}));
  });
  form.dispatchEvent(new MouseEvent('click', {bubbles: true}));
  const dialog = document.querySelector('dialog[open]');
  if (dialog) { dialog.close(); return 'overflow'; }
  return results.map(b => b.value).join('\\t');
});
'''


def random_sheets(count):
    """Sheets as a timber yard types them, with now and then an empty, odd or negative text."""
    generator = random.Random(20261209)

    def decimal(low, high, decimals):
        places = generator.randint(0, decimals)
        value = generator.randint(low * 10 ** places, high * 10 ** places)
        return f'{value / 10 ** places:.{places}f}'

    def text(kind):
        if generator.random() < 0.03:
            return generator.choice(['', '0', '-2', '12abc', ' 3', '1e3', '2,5', '.5'])
        return {'length': lambda: decimal(1, 12, 3), 'size': lambda: decimal(10, 500, 1),
                'pieces': lambda: str(generator.randint(1, 500)),
                'price': lambda: decimal(100, 9999, 2)}[kind]()

    sheets = []
    for _ in range(count):
        rows = generator.randint(1, 8)
        sheet = []
        for row in range(8):
            kinds = ['length', 'size', 'size', 'pieces', 'price']
            sheet += [text(kind) if row < rows else '' for kind in kinds]
        sheets.append(sheet)
    return sheets


class Files(unittest.TestCase):
    def test_a_first_visit_transfers_at_most_100_kb_gzipped(self):
        total = 0
        for file in os.listdir(WEB):
            if not file.endswith('.zip'):
                with open(os.path.join(WEB, file), 'rb') as data:
                    total += len(subprocess.run(['gzip', '-9c'], stdin=data,
                                                capture_output=True, check=True).stdout)
        self.assertLessEqual(total, 100 * 1024)

    def test_an_iphone_finds_its_home_screen_icon(self):
        with open(os.path.join(WEB, 'index.html'), encoding='utf-8') as page:
            self.assertIn('<link rel="apple-touch-icon" sizes="180x180" href="icon-180.png">',
                          page.read())
        with open(os.path.join(WEB, 'icon-180.png'), 'rb') as icon:
            header = icon.read(24)
        self.assertEqual(header[:8], b'\x89PNG\r\n\x1a\n')
        self.assertEqual((int.from_bytes(header[16:20], 'big'),
                          int.from_bytes(header[20:24], 'big')), (180, 180))


class PhonePage(unittest.TestCase):
    """A phone in portrait: the grid fits the width, digits stay legible, taps work."""

    def test_phone_sizes(self):
        for width, height in [(390, 844), (360, 740)]:
            with self.subTest(width=width):
                server = web_session.Server(WEB)
                driver = web_session.chromium(width, height, phone=True)
                try:
                    self.check_phone(driver, server.url, f'phone-{width}.png')
                finally:
                    driver.quit()
                    server.stop()

    def check_phone(self, driver, url, shot):
        p = Page(driver, url)
        assert_phone_form(self, p)
        for heading, text in zip(INPUTS, WORKED_ROW):
            self.tap(driver, p.box(name(heading, 1)))
            p.keys(text)
        for what, point in background_points(p):
            with self.subTest(what):
                driver.execute_script(CLEAR_TOTAL)
                p.press_and_release(point, point, 'touch')
                self.assertEqual(p.shown('合计金额'), '600.0000')
        self.tap(driver, p.box(name('宽', 1)))
        self.assertEqual(p.selection(name('宽', 1)), '200')
        driver.save_screenshot(os.path.join(SHOTS, shot))
        # A number wider than its box shows whole while a finger rests on it.
        self.tap(driver, p.box('合计材积'))
        p.keys('123456789012.3456')
        tip = driver.find_element(By.CSS_SELECTOR, '#Form1 .tip')
        # Seen while the finger still rests: no mouse event of the tap has come yet.
        finger = self.touch(driver, p.box('合计材积'))
        finger.pointer_action.pointer_down().pause(1.0)
        finger.perform()
        self.assertTrue(tip.is_displayed())
        self.assertEqual(tip.text, '123456789012.3456')
        finger.clear_actions()
        finger.pointer_action.pointer_up()
        finger.perform()
        self.tap(driver, p.box(name('长', 1)))
        self.assertFalse(tip.is_displayed())
        self.check_rows_above_the_keypad(driver, p)

    def check_rows_above_the_keypad(self, driver, p):
        """With the keypad up, about 450 px of a 390 x 844 phone show the page: each row
        Tab reaches is scrolled into what is left."""
        width = p.viewport()[0]
        driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': width, 'height': 450, 'deviceScaleFactor': 3, 'mobile': True})
        self.tap(driver, p.box(name('长', 1)))
        hidden = []
        for _ in range(39):
            p.keys(Keys.TAB)
            top, bottom = driver.execute_script(
                'const r = document.activeElement.getBoundingClientRect(); return [r.top, r.bottom]')
            if top < 0 or bottom > 450:
                hidden.append(p.focused())
        self.assertEqual(p.focused(), name('单价', 8))
        self.assertEqual(hidden, [], 'boxes that took the focus under the keypad')

    @staticmethod
    def touch(driver, element, x=None, y=None):
        """A finger over (x, y) from the element's top-left corner (its centre by default)."""
        rect = driver.execute_script('return arguments[0].getBoundingClientRect()', element)
        x = rect['x'] + (rect['width'] / 2 if x is None else x)
        y = rect['y'] + (rect['height'] / 2 if y is None else y)
        actions = ActionBuilder(driver, mouse=PointerInput(interaction.POINTER_TOUCH, 'finger'))
        actions.pointer_action.move_to_location(int(x), int(y))
        return actions

    @classmethod
    def tap(cls, driver, element, x=None, y=None):
        actions = cls.touch(driver, element, x, y)
        actions.pointer_action.pointer_down().pointer_up()
        actions.perform()


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1], verbosity=2)
