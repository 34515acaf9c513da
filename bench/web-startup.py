#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The browser edition's start against a floor, in headless Chromium, both served compressed
from 127.0.0.1. The floor is the same page with no program: Velmora's own controls, labels
and stylesheet as the page shows them, saved from it, with a few lines of script that focus
the first box and calculate on a tap, in JavaScript, as a plain hand-written page would.
Measured interleaved, under Chromium's "Slow 4G" (562.5 ms latency, 1.44 Mbit/s down) at 1x
and at 4x CPU slowdown (Lighthouse's mobile profile): a first visit (fresh browser, no cache)
and later launches (the service worker's cache). The headline: from the page's very start,
a script of the benchmark's own (run before the page's) types the worked row into the boxes
as soon as they exist and taps the background every 2 ms until the total shows; the time
the results show, the same way for both pages, and no mark of the page's decides it. Also
the time to the first box taking keys (the page's mark "velmora-ready"). Then the time from
a click on the background to the frame that shows the results.
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
# The floor's script: the first box takes keys, and a tap on the background calculates, as
# a plain page's few lines of JavaScript do (with JavaScript's numbers: not Velmora's texts).
FLOOR_SCRIPT = '''<script>
document.querySelector("#Form1 input").focus();
performance.mark("velmora-ready");
(function () {
  var form = document.getElementById("Form1"), box = {};
  form.querySelectorAll("input").forEach(function (b) { box[b.getAttribute("aria-label")] = b; });
  function background(t) {
    return t === document.documentElement || t === document.body || t === form ||
           (t.parentNode === form && t.tagName === "DIV");
  }
  function shown(value, places) { return value > 0 ? value.toFixed(places) : ""; }
  document.addEventListener("click", function (event) {
    if (!background(event.target)) return;
    var volume = 0, amount = 0;
    for (var row = 1; row <= 8; ++row) {
      var n = function (h) { return parseFloat(box[h + " 第" + row + "行"].value) || 0; };
      var v = n("长") * n("宽") * n("厚") * n("件") / 1e6, a = v * n("单价");
      box["材积 第" + row + "行"].value = shown(v, 4);
      box["金额 第" + row + "行"].value = shown(a, 2);
      volume += v;
      amount += a;
    }
    box["合计材积"].value = shown(volume, 4);
    box["合计金额"].value = shown(amount, 4);
  });
})();
if ("serviceWorker" in navigator) navigator.serviceWorker.register("sw.js");
</script></body>'''

# Run before the page's own scripts: the worked row goes into the boxes as soon as they exist,
# then a tap on the background (press, release, click) every 2 ms until the total shows.
TAPPER = '''
(function () {
  var typed = false;
  var timer = setInterval(function () {
    var total = document.querySelector('#Form1 input[aria-label="合计金额"]');
    if (!total) return;
    if (!typed) {
      typed = true;
      ["长", "宽", "厚", "件", "单价"].forEach(function (heading, i) {
        var box = document.querySelector('#Form1 input[aria-label="' + heading + ' 第1行"]');
        box.value = ["4", "200", "50", "10", "1500"][i];
        box.dispatchEvent(new Event("input", {bubbles: true}));
      });
    }
    if (total.value) {
      window.velmoraTapShown = performance.now();
      clearInterval(timer);
      return;
    }
    var page = document.documentElement;
    ["mousedown", "mouseup", "click"].forEach(function (type) {
      page.dispatchEvent(new MouseEvent(type, {bubbles: true, clientX: 1, clientY: 1}));
    });
  }, 2);
})();
'''

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
return [at('velmora-ready'), window.velmoraTapShown,
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


def tapping(driver):
    """The benchmark's own tapper runs first in every page the driver opens."""
    driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': TAPPER})
    return driver


def wait_for_results(driver):
    web_session.WebDriverWait(driver, 60).until(
        lambda d: d.execute_script('return window.velmoraTapShown !== undefined'))


def throttle(driver, cpu):
    driver.execute_cdp_cmd('Network.enable', {})
    driver.execute_cdp_cmd('Network.emulateNetworkConditions', SLOW_4G)
    driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': cpu})


def visit(driver, url):
    driver.get(url)
    wait_for_results(driver)
    return driver.execute_script(MARKS)


def first_visit(url, cpu):
    driver = tapping(web_session.chromium(800, 600))
    try:
        driver.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})
        throttle(driver, cpu)
        return visit(driver, url)
    finally:
        driver.quit()


def later_launches(url, cpu, count):
    """Launches after a first visit has installed the worker, each from its cache."""
    driver = tapping(web_session.chromium(800, 600))
    try:
        driver.get(url)
        driver.set_script_timeout(30)
        driver.execute_async_script('navigator.serviceWorker.ready.then(() => arguments[0]())')
        throttle(driver, cpu)
        return [visit(driver, url) for _ in range(count)]
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
        # ready[(page, kind, cpu)] lists the first-box times; shown[...] the times a tap's
        # results showed; response[...] the end of the page's response; after[...] the time
        # from there to the results, the page's own work once its bytes are in.
        ready, shown, response, after = {}, {}, {}, {}

        def record(page, kind, cpu, marks):
            ready.setdefault((page, kind, cpu), []).extend(m[0] for m in marks)
            shown.setdefault((page, kind, cpu), []).extend(m[1] for m in marks)
            response.setdefault((page, kind, cpu), []).extend(m[2] for m in marks)
            after.setdefault((page, kind, cpu), []).extend(m[1] - m[2] for m in marks)
        for _ in range(runs):
            for cpu in CPU_RATES:
                for page, server in (('velmora', velmora), ('floor', floor)):
                    record(page, 'first', cpu, [first_visit(server.url, cpu)])
        for _ in range(2):
            for cpu in CPU_RATES:
                for page, server in (('velmora', velmora), ('floor', floor)):
                    record(page, 'later', cpu, later_launches(server.url, cpu, runs))
        frames = sorted(clicks(velmora.url))
    finally:
        velmora.stop()
        floor.stop()
        shutil.rmtree(floor_files)
    print('\n| start (medians, ms) | a tap\'s results show: Velmora | floor | ratio |'
          ' first box takes keys: Velmora | floor | response ends: Velmora | floor |'
          ' results after the response: Velmora | floor |')
    print('|---|---|---|---|---|---|---|---|---|---|')
    for kind, label in (('first', 'first visit'), ('later', 'later launch')):
        for cpu in CPU_RATES:
            tap, base = (median(shown[(page, kind, cpu)]) for page in ('velmora', 'floor'))
            keys = [median(ready[(page, kind, cpu)]) for page in ('velmora', 'floor')]
            ends = [median(response[(page, kind, cpu)]) for page in ('velmora', 'floor')]
            work = [median(after[(page, kind, cpu)]) for page in ('velmora', 'floor')]
            count = len(shown[('velmora', kind, cpu)])
            print(f'| {label}, Slow 4G, {cpu}x CPU (n={count}) | {tap:.0f} | {base:.0f} | '
                  f'{tap / base:.2f} | {keys[0]:.0f} | {keys[1]:.0f} | {ends[0]:.0f} | '
                  f'{ends[1]:.0f} | {work[0]:.0f} | {work[1]:.0f} |')
    print(f'\nclick to the frame showing the results, eight rows, median of {len(frames)}: '
          f'{median(frames):.1f} ms, at worst {frames[-1]:.1f} ms')


if __name__ == '__main__':
    main()
