#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The browser edition's first visit under Chromium's "Slow 4G" network emulation (562.5 ms
latency, 1.44 Mbit/s down, 675 kbit/s up), served compressed from 127.0.0.1: the bytes
transferred, and the time from navigation to the first box taking keys (the page's own
mark), over RUNS fresh browsers; then the time from a click on the background to the frame
that shows the results. Usage: bench/web-startup.py [RUNS] (default 5); builds build/web."""
import os
import statistics
import subprocess
import sys

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
sys.path.insert(0, os.path.join(root, 'scripts'))
import web_session  # noqa: E402

SLOW_4G = {'offline': False, 'latency': 562.5, 'downloadThroughput': 1.6e6 / 8 * 0.9,
           'uploadThroughput': 750e3 / 8 * 0.9}

# From the click's event time to the next frame's time, after the page has handled the click.
CLICK_TO_FRAME = '''
const done = arguments[0];
const form = document.getElementById('Form1');
let clicked = 0;
form.addEventListener('click', e => { clicked = e.timeStamp; }, {capture: true, once: true});
form.addEventListener('click', () => requestAnimationFrame(frame => done(frame - clicked)),
                      {once: true});
const rect = form.getBoundingClientRect();
form.dispatchEvent(new MouseEvent('click', {bubbles: true, clientX: rect.x + 5,
                                            clientY: rect.y + 5}));
'''

FILL = '''
const boxes = [...document.querySelectorAll('#Form1 input')];
['4', '200', '50', '10', '1500'].forEach((text, i) => {
  for (let row = 0; row < 8; ++row) {
    boxes[row * 5 + i].value = text;
    boxes[row * 5 + i].dispatchEvent(new Event('input', {bubbles: true}));
  }
});
'''


def first_visit(url):
    driver = web_session.chromium(800, 600)
    try:
        driver.execute_cdp_cmd('Network.enable', {})
        driver.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})
        driver.execute_cdp_cmd('Network.emulateNetworkConditions', SLOW_4G)
        driver.get(url)
        web_session.wait_for_page(driver, 60)
        ready = driver.execute_script(
            "return performance.getEntriesByName('velmora-ready')[0].startTime")
        transferred = driver.execute_script(
            "return [...performance.getEntriesByType('navigation'),"
            " ...performance.getEntriesByType('resource')]"
            ".reduce((sum, e) => sum + e.transferSize, 0)")
        driver.execute_cdp_cmd('Network.emulateNetworkConditions',
                               {**SLOW_4G, 'latency': 0, 'downloadThroughput': -1,
                                'uploadThroughput': -1})
        driver.execute_script(FILL)
        frames = [driver.execute_async_script(CLICK_TO_FRAME) for _ in range(50)]
        return ready, transferred, frames
    finally:
        driver.quit()


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    subprocess.run([os.path.join(root, 'scripts/web.sh')], check=True, stdout=subprocess.DEVNULL)
    web = os.path.join(root, 'build/web')
    files = [f for f in sorted(os.listdir(web)) if not f.endswith('.zip')]
    for name in files:
        with open(os.path.join(web, name), 'rb') as file:
            raw = file.read()
        packed = len(subprocess.run(['gzip', '-9c'], input=raw, capture_output=True).stdout)
        print(f'{name}: {len(raw)} bytes, {packed} gzipped')
    server = web_session.Server(web)
    try:
        results = [first_visit(server.url) for _ in range(runs)]
    finally:
        server.stop()
    readies = sorted(r[0] for r in results)
    frames = sorted(f for r in results for f in r[2])
    print(f'transferred on the first visit: {results[0][1]} bytes')
    print(f'navigation to the first box taking keys under Slow 4G, median of {runs}: '
          f'{statistics.median(readies):.0f} ms ({readies[0]:.0f}-{readies[-1]:.0f})')
    print(f'click to the frame showing the results, eight rows, median of {len(frames)}: '
          f'{statistics.median(frames):.1f} ms, at worst {frames[-1]:.1f} ms')


if __name__ == '__main__':
    main()
