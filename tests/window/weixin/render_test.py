# SPDX-License-Identifier: MIT
"""The mini program's page in a real browser, as WeChat's view draws it: the elements its
component framework renders from the compiled WXML, styled by WeChat's own WXSS compiler's
output with rpx turned into pixels by WeChat's formula for the screen (render_page.js), in
headless Chromium emulating phones 320 to 430 pixels wide.
Usage: render_test.py PACKAGE [SCREENSHOT_FOLDER]"""
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '../../../scripts'))
import web_session  # noqa: E402

PACKAGE = sys.argv[1]
SHOTS = sys.argv[2] if len(sys.argv) > 2 else 'build/weixin-shots'
# A finger's target, on the phone WeChat's designs are drawn for; the least digits' size.
FINGER_PX, REFERENCE_WIDTH, DIGITS_PX = 44, 375, 16

MEASURE = '''
const boxes = [...document.querySelectorAll('wx-input')].map(b => b.getBoundingClientRect());
const font = [...document.querySelectorAll('wx-input')]
    .map(b => parseFloat(getComputedStyle(b).fontSize));
const visible = [...document.querySelectorAll('wx-view,wx-input,wx-button')]
    .filter(e => getComputedStyle(e).display !== 'none').map(e => e.getBoundingClientRect());
return {
  boxes: boxes.length, lowest: Math.min(...boxes.map(r => r.height)),
  smallest_digits: Math.min(...font), right: Math.max(...visible.map(r => r.right)),
  scroll_width: document.documentElement.scrollWidth, width: innerWidth,
  total: document.querySelector('wx-input[aria-label="合计金额"], .c57').textContent,
};
'''


def setUpModule():
    global PAGE
    PAGE = os.path.join(tempfile.mkdtemp(prefix='velmora-weixin-'), 'index.html')
    subprocess.run(['node', '--disallow-code-generation-from-strings',
                    os.path.join(os.path.dirname(__file__), 'render_page.js'), PACKAGE, PAGE],
                   check=True)
    os.makedirs(SHOTS, exist_ok=True)


class Phone(unittest.TestCase):
    def test_rows_fit_a_finger_digits_stay_legible_and_nothing_scrolls_sideways(self):
        for width, height in [(375, 667), (320, 568), (414, 896), (430, 932)]:
            with self.subTest(f'{width} x {height}'):
                driver = web_session.chromium(width, height)
                try:
                    # A phone held upright: WeChat's rpx follow the screen's width in portrait.
                    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
                        'width': width, 'height': height, 'deviceScaleFactor': 3,
                        'mobile': True, 'screenWidth': width, 'screenHeight': height,
                        'screenOrientation': {'type': 'portraitPrimary', 'angle': 0}})
                    driver.get('file://' + PAGE)
                    found = driver.execute_script(MEASURE)
                    driver.save_screenshot(os.path.join(SHOTS, f'phone-{width}.png'))
                finally:
                    driver.quit()
                self.assertEqual(found['width'], width)
                self.assertEqual(found['boxes'], 58)
                self.assertEqual(found['total'], '600.0000')
                self.assertGreaterEqual(found['smallest_digits'], DIGITS_PX)
                self.assertLessEqual(found['scroll_width'], width)
                self.assertLessEqual(found['right'], width)
                # rpx scale with the screen: a finger's height on the reference phone.
                self.assertGreaterEqual(found['lowest'],
                                        FINGER_PX * width / REFERENCE_WIDTH - 1)
                if width == REFERENCE_WIDTH:
                    self.assertGreaterEqual(found['lowest'], FINGER_PX)


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1], verbosity=2)
