// SPDX-License-Identifier: MIT
// The mini program as WeChat builds and runs it: its WXML and WXSS through WeChat's own
// compilers, its page in WeChat's component framework with the program loaded as WeChat
// loads WebAssembly, and the user's taps, typing and focus as the page's events.
// Usage: node --disallow-code-generation-from-strings page_test.js PACKAGE SHEET_TEXTS
'use strict';
const assert = require('node:assert/strict');
const {spawnSync} = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const {test} = require('node:test');
const {MiniProgram} = require('./simulated_page');

const [ROOT, SHEET_TEXTS] = process.argv.slice(2);
const INPUTS = ['长', '宽', '厚', '件', '单价'];
const WORKED_ROW = ['4', '200', '50', '10', '1500'];
const RESULTS = [
  ...['材积', '金额'].flatMap((h) => [1, 2, 3, 4, 5, 6, 7, 8].map((r) => name(h, r))),
  '合计材积', '合计金额',
];
const program = new MiniProgram(ROOT);

function name(heading, row) {
  return `${heading} 第${row}行`;
}

function filesEndingIn(ending, folder = ROOT) {
  return fs.readdirSync(folder, {withFileTypes: true}).flatMap((entry) => {
    const file = path.join(folder, entry.name);
    if (entry.isDirectory()) return filesEndingIn(ending, file);
    return entry.name.endsWith(ending) ? [path.relative(ROOT, file)] : [];
  });
}

function typeWorkedRow(page, row = 1) {
  WORKED_ROW.forEach((text, i) => page.type(name(INPUTS[i], row), text));
}

test('WeChat\'s compilers take every WXML and WXSS file without a complaint', () => {
  const wxml = filesEndingIn('.wxml');
  assert.deepEqual(wxml, ['pages/index/index.wxml']);
  const compiler = require('miniprogram-compiler');
  assert.match(compiler.wxmlToJs(ROOT), /\$gwx/);
  const wcsc = path.join(path.dirname(require.resolve('miniprogram-compiler')),
    'bin/linux/wcsc');
  for (const file of filesEndingIn('.wxss')) {
    // As the developer tools compile a page's stylesheet, linted.
    const run = spawnSync(wcsc, ['-lc', '-db', '-pc', '1', file], {cwd: ROOT, encoding: 'utf8'});
    assert.equal(run.status, 0, `${file}: ${run.stderr}`);
    // A stylesheet the compiler finds fault with carries its complaint in place of undefined.
    assert.ok(run.stdout.includes(`],undefined,{path:\\x22${file}\\x22})`), file);
  }
});

test('nothing in the package turns strings into code', () => {
  for (const file of filesEndingIn('.js')) {
    const source = fs.readFileSync(path.join(ROOT, file), 'utf8');
    assert.doesNotMatch(source, /\beval\s*\(|\bnew\s+Function\b|(^|[^\w.])Function\s*\(/, file);
  }
});

test('the navigation bar shows the window\'s caption in the design\'s colours', () => {
  const app = JSON.parse(fs.readFileSync(path.join(ROOT, 'app.json'), 'utf8'));
  assert.deepEqual(app.pages, ['pages/index/index']);
  assert.equal(app.window.navigationBarTitleText, 'Velmora');
  assert.equal(app.window.navigationBarBackgroundColor, '#ffc0c0');
  assert.equal(app.window.navigationBarTextStyle, 'black');
  const project = JSON.parse(fs.readFileSync(path.join(ROOT, 'project.config.json'), 'utf8'));
  assert.match(project.appid, /^(touristappid|wx[0-9a-f]{16})$/);
});

test('WeChat loads the program by its path in the package, and the package is small', () => {
  assert.ok(fs.existsSync(path.join(ROOT, 'velmora.wasm')));
  let total = 0;
  for (const file of filesEndingIn('')) total += fs.statSync(path.join(ROOT, file)).size;
  console.log(`# the package: ${total} bytes`);
  assert.ok(total < 2 * 1024 * 1024, `${total} bytes is past WeChat's 2 MiB`);
  return assert.rejects(program.instantiate('https://example.invalid/velmora.wasm', {}));
});

test('the worked example calculates on a tap, and nothing before it', async () => {
  const page = await program.open();
  typeWorkedRow(page);
  assert.deepEqual(RESULTS.map((r) => page.shown(r)), RESULTS.map(() => ''));
  page.tap('.l0');
  assert.equal(page.shown('材积 第1行'), '0.4000');
  assert.equal(page.shown('金额 第1行'), '600.00');
  assert.equal(page.shown('合计材积'), '0.4000');
  assert.equal(page.shown('合计金额'), '600.0000');
  assert.equal(page.shown('材积 第2行'), '');
});

test('a tap on the background or a label calculates; on a box or the button it does not',
  async (t) => {
    const rows = [
      ['the window', '#Form1', '600.0000'],
      ...[0, 1, 2, 3, 4, 5, 6, 7].map((i) => [`label ${i}`, `.l${i}`, '600.0000']),
      ['a length box', '#c0', ''],
      ['a volume box', '#c32', ''],
      ['the total amount', '#c57', ''],
      ['the button', '#Command1', ''],
    ];
    for (const [what, selector, total] of rows) {
      await t.test(what, async () => {
        const page = await program.open();
        typeWorkedRow(page);
        page.tap(selector);
        assert.equal(page.shown('合计金额'), total);
        if (selector === '#Command1') assert.equal(page.shown(name('长', 1)), '');
      });
    }
  });

test('the button empties all 58 boxes; Enter neither clears nor calculates', async () => {
  const page = await program.open();
  typeWorkedRow(page);
  page.type(name('长', 8), '2');
  page.tap('#Form1');
  page.trigger(page.box(name('单价', 1)), 'confirm', {value: '1500'});
  assert.equal(page.shown(name('长', 8)), '2');
  page.type(name('单价', 1), '3000');
  page.trigger(page.box(name('单价', 1)), 'confirm', {value: '3000'});
  assert.equal(page.shown('合计金额'), '600.0000');
  page.tap('#Command1');
  assert.equal(page.boxes().length, 58);
  assert.deepEqual(page.boxes().filter((b) => b.data.value !== ''), []);
  page.tap('#Form1');
  assert.equal(page.shown('合计金额'), '');
});

test('arriving from another column selects the whole text; from the same column not',
  async () => {
    const page = await program.open();
    const first = page.box(name('长', 1));
    assert.equal(first.data.focus, true, 'the first box has the focus at start');
    typeWorkedRow(page);
    // The last column selected is the length's.
    page.type(name('长', 2), '2.5');
    page.tap('#Form1');
    const rows = [
      // [the box the focus goes to, its selection (start, end) or none]
      ['材积 第1行', [0, 6]],
      ['材积 第2行', null],
      ['合计金额', [0, 8]],
      [name('长', 1), [0, 1]],
      [name('长', 2), null],
      [name('宽', 1), [0, 3]],
    ];
    let from = first;
    for (const [to, selection] of rows) {
      const box = page.box(to);
      page.trigger(from, 'blur', {value: from.data.value});
      page.trigger(box, 'focus', {value: box.data.value});
      assert.equal(box.data.focus, true, to);
      const selected = [box.data.selectionStart, box.data.selectionEnd];
      assert.deepEqual(selected, selection || [-1, -1], to);
      from = box;
    }
  });

test('an overflow says so once in Chinese and keeps every typed text', async () => {
  const page = await program.open();
  typeWorkedRow(page);
  ['1e200', '1e200', '1', '1', '1'].forEach((text, i) => page.type(name(INPUTS[i], 2), text));
  const before = program.modals.length;
  page.tap('#Form1');
  const modals = program.modals.slice(before);
  assert.equal(modals.length, 1);
  assert.match(modals[0].content, /数字太大/);
  assert.equal(modals[0].confirmText, '确定');
  assert.equal(modals[0].showCancel, false);
  assert.equal(page.shown('材积 第1行'), '0.4000');
  assert.deepEqual(INPUTS.map((h) => page.shown(name(h, 2))), ['1e200', '1e200', '1', '1', '1']);
  assert.deepEqual(INPUTS.map((h) => page.shown(name(h, 1))), WORKED_ROW);
});

test('typing and tapping before the program arrives is kept, and calculates once', async () => {
  let release;
  program.holding = new Promise((resolve) => (release = resolve));
  const page = await program.open(false);
  typeWorkedRow(page);
  page.tap('.l6');
  ['1e200', '1e200', '1', '1', '1'].forEach((text, i) => page.type(name(INPUTS[i], 2), text));
  page.tap('#Form1');
  page.tap('.l1');
  const modals = program.modals.length;
  program.holding = null;
  release();
  await page.started();
  assert.deepEqual(INPUTS.map((h) => page.shown(name(h, 1))), WORKED_ROW);
  assert.equal(page.shown('材积 第1行'), '0.4000');
  assert.equal(program.modals.length - modals, 1, 'three taps, one calculation');
  assert.equal(page.box(name('单价', 2)).data.focus, true, 'the focus stays where it went');
});

test('a finger held on a box shows its whole number; a touch elsewhere puts it away',
  async () => {
    const page = await program.open();
    page.type('合计材积', '123456789012.3456');
    const tip = () => page.component.querySelector('.tip');
    assert.equal(tip(), undefined);
    page.trigger(page.box('合计材积'), 'longpress');
    assert.equal(tip().dom.textContent, '123456789012.3456');
    assert.match(tip().dom.getAttribute('class'), /\bt56\b/);
    page.trigger(page.box('合计材积'), 'touchstart');
    assert.equal(tip().dom.textContent, '123456789012.3456', 'the same box keeps it');
    page.tap('.l1');
    assert.equal(tip(), undefined);
  });

test('a paste past a cell\'s length keeps its first 1,000 characters, as the box shows',
  async () => {
    const page = await program.open();
    page.type(name('长', 3), '7'.repeat(1500));
    assert.equal(page.shown(name('长', 3)), '7'.repeat(1000));
    assert.equal(page.box(name('长', 3)).data.maxlength, 1000);
  });

test('a box keeps every character typed, a NUL and one past U+FFFF too', async () => {
  const page = await program.open();
  for (const text of ['1\u00002', '\u0000', '12\u0000', '3😀4', '长 4,5']) {
    page.type(name('长', 2), text);
    assert.equal(page.shown(name('长', 2)), text, JSON.stringify(text));
  }
});

test('each event sends the page one setData with only what changed', async () => {
  const page = await program.open();
  page.setDataCalls.length = 0;
  page.trigger(page.box(name('长', 1)), 'input', {value: '4'});
  assert.deepEqual(page.setDataCalls, [{v0: '4'}]);
  typeWorkedRow(page);
  page.setDataCalls.length = 0;
  page.tap('#Form1');
  assert.equal(page.setDataCalls.length, 1);
  assert.deepEqual(Object.keys(page.setDataCalls[0]).sort(), ['v32', 'v48', 'v56', 'v57']);
});

test('the boxes: named as on the desktop, a decimal keypad, in the design\'s Tab order',
  async () => {
    const page = await program.open();
    const names = page.boxes().map((b) => b.data.ariaLabel);
    assert.equal(names.length, 58);
    assert.deepEqual(names.slice(0, 6), [...INPUTS.map((h) => name(h, 1)), name('长', 2)]);
    assert.deepEqual(names.slice(40, 43), ['材积 第1行', '金额 第1行', '材积 第2行']);
    assert.deepEqual(names.slice(-2), ['合计材积', '合计金额']);
    assert.deepEqual(new Set(page.boxes().map((b) => b.data.type)), new Set(['digit']));
  });

test('the same texts as the desktop over 2,000 random sheets', async () => {
  const sheets = randomSheets(2000);
  const typed = sheets.map((sheet) => sheet.join('\t')).join('\n') + '\n';
  const desktop = spawnSync(SHEET_TEXTS, {input: typed, encoding: 'utf8'});
  assert.equal(desktop.status, 0, desktop.stderr);
  const page = await program.open();
  const boxes = Object.fromEntries(page.boxes().map((b) => [b.data.ariaLabel, b]));
  const shown = sheets.map((sheet) => {
    sheet.forEach((text, i) => {
      // As a user does, only the boxes whose text changes.
      const box = boxes[name(INPUTS[i % 5], Math.floor(i / 5) + 1)];
      if (box.data.value !== text) page.trigger(box, 'input', {value: text});
    });
    const modals = program.modals.length;
    page.tap('#Form1');
    if (program.modals.length > modals) return 'overflow';
    return RESULTS.map((r) => boxes[r].data.value).join('\t');
  });
  const expected = desktop.stdout.split('\n').slice(0, -1);
  assert.equal(shown.length, expected.length);
  const differ = shown.flatMap((line, i) => (line === expected[i] ? [] : [[i, line, expected[i]]]));
  assert.deepEqual(differ.slice(0, 3), [], `${differ.length} of ${sheets.length} sheets differ`);
});

// Sheets as a timber yard types them, with now and then an empty, odd or negative text.
function randomSheets(count) {
  let seed = 20261210;
  const random = () => ((seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648);
  const integer = (low, high) => low + Math.floor(random() * (high - low + 1));
  const decimal = (low, high, decimals) => {
    const places = integer(0, decimals);
    const value = integer(low * 10 ** places, high * 10 ** places);
    return (value / 10 ** places).toFixed(places);
  };
  const odd = ['', '0', '-2', '12abc', ' 3', '1e3', '2,5', '.5', '1e300'];
  const kinds = [() => decimal(1, 12, 3), () => decimal(10, 500, 1), () => decimal(10, 500, 1),
    () => String(integer(1, 500)), () => decimal(100, 9999, 2)];
  return Array.from({length: count}, () => {
    const rows = integer(1, 8);
    return Array.from({length: 40}, (_, i) => {
      if (Math.floor(i / 5) >= rows) return '';
      return random() < 0.03 ? odd[integer(0, odd.length - 1)] : kinds[i % 5]();
    });
  });
}
