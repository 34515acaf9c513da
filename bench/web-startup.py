#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The browser edition's start against a floor, in headless Chromium, both served compressed
from 127.0.0.1. The floor is the same page with no program: Velmora's own controls, labels
and stylesheet as the page shows them, saved from it, and a line of script that focuses the
first box (as bench/floor.cpp is for the desktop). Measured interleaved, under Chromium's
"Slow 4G" (562.5 ms latency, 1.44 Mbit/s down) at 1x and at 4x CPU slowdown (Lighthouse's
mobile profile): a first visit (fresh browser, no cache) and later launches (the service
worker's cache), each to the first box taking keys (the page's mark "velmora-ready"); for
Velmora also to its program running ("velmora-running", when a click calculates). Then the
time from a click on the background to the frame that shows the results.
Usage: bench/web-startup.py [RUNS] (default 5 first visits and 2 x 5 later launches of each
page at each CPU speed); builds build/web."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
sys.path.insert(0, os.path.join(root, 'scripts'))
import web_session  # noqa: E402

SLOW_4G = {'offline': False, 'latency': 562.5, 'downloadThroughput': 1.6e6 / 8 * 0.9,
           'uploadThroughput': 750e3 / 8 * 0.9}
CPU_RATES = (1, 4)

# The page as it shows once started, without its program: the floor's markup.
SNAPSHOT = '''
const page = document.documentElement.cloneNode(true);
page.querySelectorAll('script, dialog').forEach(e => e.remove());
page.querySelectorAll('input').forEach(e => { e.value = ''; });
return '<!doctype html>' + page.outerHTML;
'''
FLOOR_SCRIPT = ('<script>document.querySelector("#Form1 input").focus();'
                'performance.mark("velmora-ready");'
                'if ("serviceWorker" in navigator) navigator.serviceWorker.register("sw.js");'
                '</script></body>')

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

MARKS = '''
const at = name => (performance.getEntriesByName(name)[0] || {}).startTime;
return [at('velmora-ready'), at('velmora-running'),
        performance.getEntriesByType('navigation')[0].responseEnd];
'''


def floor_folder(web, url):
    """The floor page, beside copies of Velmora's other files (icons, manifest, worker)."""
    driver = web_session.chromium(800, 600)
    try:
        driver.get(url)
        wait_for(driver, 'velmora-running')
        markup = driver.execute_script(SNAPSHOT)
    finally:
        driver.quit()
    folder = tempfile.mkdtemp(prefix='velmora-floor-')
    for name in os.listdir(web):
        if name not in ('index.html',) and not name.endswith('.zip'):
            shutil.copy(os.path.join(web, name), folder)
    with open(os.path.join(folder, 'index.html'), 'w', encoding='utf-8') as page:
        page.write(markup.replace('</body>', FLOOR_SCRIPT))
    return folder


def wait_for(driver, mark):
    web_session.WebDriverWait(driver, 60).until(lambda d: d.execute_script(
        f"return performance.getEntriesByName('{mark}').length > 0"))


def throttle(driver, cpu):
    driver.execute_cdp_cmd('Network.enable', {})
    driver.execute_cdp_cmd('Network.emulateNetworkConditions', SLOW_4G)
    driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': cpu})


def visit(driver, url, program):
    driver.get(url)
    wait_for(driver, 'velmora-running' if program else 'velmora-ready')
    return driver.execute_script(MARKS)


def first_visit(url, cpu, program):
    driver = web_session.chromium(800, 600)
    try:
        driver.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})
        throttle(driver, cpu)
        return visit(driver, url, program)
    finally:
        driver.quit()


def later_launches(url, cpu, program, count):
    """Launches after a first visit has installed the worker, each from its cache."""
    driver = web_session.chromium(800, 600)
    try:
        driver.get(url)
        driver.set_script_timeout(30)
        driver.execute_async_script('navigator.serviceWorker.ready.then(() => arguments[0]())')
        throttle(driver, cpu)
        return [visit(driver, url, program) for _ in range(count)]
    finally:
        driver.quit()


def clicks(url):
    driver = web_session.chromium(800, 600)
    try:
        driver.get(url)
        wait_for(driver, 'velmora-running')
        driver.execute_script(FILL)
        return [driver.execute_async_script(CLICK_TO_FRAME) for _ in range(50)]
    finally:
        driver.quit()


def sizes(folder):
    for name in sorted(os.listdir(folder)):
        if name.endswith('.zip'):
            continue
        with open(os.path.join(folder, name), 'rb') as file:
            raw = file.read()
        packed = len(subprocess.run(['gzip', '-9c'], input=raw, capture_output=True).stdout)
        yield name, len(raw), packed


def median(values):
    return statistics.median(values) if values else float('nan')


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    subprocess.run([os.path.join(root, 'scripts/web.sh')], check=True, stdout=subprocess.DEVNULL)
    web = os.path.join(root, 'build/web')
    velmora = web_session.Server(web)
    floor_files = floor_folder(web, velmora.url)
    floor = web_session.Server(floor_files)
    try:
        for what, folder in (('velmora', web), ('floor', floor_files)):
            for name, raw, packed in sizes(folder):
                print(f'{what} {name}: {raw} bytes, {packed} gzipped')
        # ready[(page, kind, cpu)] lists the first-box times; running[...] Velmora's program;
        # response[...] the end of the page's response.
        ready, running, response = {}, {}, {}
        for _ in range(runs):
            for cpu in CPU_RATES:
                for page, server in (('velmora', velmora), ('floor', floor)):
                    program = page == 'velmora'
                    marks = [first_visit(server.url, cpu, program)]
                    ready.setdefault((page, 'first', cpu), []).append(marks[0][0])
                    running.setdefault((page, 'first', cpu), []).append(marks[0][1])
                    response.setdefault((page, 'first', cpu), []).append(marks[0][2])
        for _ in range(2):
            for cpu in CPU_RATES:
                for page, server in (('velmora', velmora), ('floor', floor)):
                    marks = later_launches(server.url, cpu, page == 'velmora', runs)
                    ready.setdefault((page, 'later', cpu), []).extend(m[0] for m in marks)
                    running.setdefault((page, 'later', cpu), []).extend(m[1] for m in marks)
                    response.setdefault((page, 'later', cpu), []).extend(m[2] for m in marks)
        frames = sorted(clicks(velmora.url))
    finally:
        velmora.stop()
        floor.stop()
        shutil.rmtree(floor_files)
    print('\n| start (medians, ms) | Velmora | floor | ratio | Velmora calculates |'
          ' response ends (Velmora, floor) |')
    print('|---|---|---|---|---|---|')
    for kind, label in (('first', 'first visit'), ('later', 'later launch')):
        for cpu in CPU_RATES:
            mine = median(ready[('velmora', kind, cpu)])
            base = median(ready[('floor', kind, cpu)])
            program = median([t for t in running[('velmora', kind, cpu)] if t is not None])
            count = len(ready[('velmora', kind, cpu)])
            ends = [median(response[(page, kind, cpu)]) for page in ('velmora', 'floor')]
            print(f'| {label}, Slow 4G, {cpu}x CPU (n={count}) | {mine:.0f} | {base:.0f} | '
                  f'{mine / base:.2f} | {program:.0f} | {ends[0]:.0f}, {ends[1]:.0f} |')
    print(f'\nclick to the frame showing the results, eight rows, median of {len(frames)}: '
          f'{median(frames):.1f} ms, at worst {frames[-1]:.1f} ms')


if __name__ == '__main__':
    main()
