// SPDX-License-Identifier: MIT
// The mini program's page in WeChat's component framework (miniprogram-simulate), its WXML
// compiled by WeChat's own compiler (wcc), its program loaded as WeChat loads it: through a
// WXWebAssembly that takes only a path inside the package, with no WebAssembly or fetch
// global. Run under node --disallow-code-generation-from-strings, as WeChat on iOS forbids
// eval and new Function.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');

// The simulator minifies each component's stylesheet with csso, whose parser builds its
// walkers with new Function. The page's WXSS is compiled by wcsc (page_test.js) and shown in
// a real browser (render_test.py), so the simulator's copy passes through unminified.
require.cache[require.resolve('csso')] = {
  id: 'csso', loaded: true, exports: {minify: (css) => ({css})},
};
// A DOM for the framework: linkedom, whose selectors need no code generation.
const {parseHTML} = require('linkedom');
const dom = parseHTML('<!doctype html><html><head></head><body></body></html>');
for (const name of ['window', 'document', 'Node', 'Element', 'HTMLElement', 'Event',
  'CustomEvent', 'navigator']) {
  global[name] = dom[name];
}
const compiler = require('miniprogram-compiler');
const simulate = require('miniprogram-simulate');
const jComponent = require('j-component');
const exparser = require('miniprogram-exparser');

// WeChat's <input> keeps the properties the page sets; the simulator's stand-in for it keeps
// none, so this one keeps those the page binds, with WeChat's defaults.
jComponent.register({
  id: 'input', tagName: 'wx-input', template: '<slot/>', properties: {
    value: {type: String, value: ''}, type: {type: String, value: 'text'},
    maxlength: {type: Number, value: 140}, focus: {type: Boolean, value: false},
    selectionStart: {type: Number, value: -1}, selectionEnd: {type: Number, value: -1},
    ariaLabel: {type: String, value: ''},
  },
});

const wasm = WebAssembly;
delete globalThis.WebAssembly;
delete globalThis.fetch;

/** The package in `root` as a mini program. */
class MiniProgram {
  constructor(root) {
    this.root = path.resolve(root);
    this.modals = [];
    // The program's file waits while `holding` is set, as on a slow phone.
    this.holding = null;
    global.WXWebAssembly = {
      instantiate: (file, imports) => this.instantiate(file, imports),
      Memory: wasm.Memory, Table: wasm.Table, Global: wasm.Global,
    };
    Object.assign(global.wx, {showModal: (options) => this.modals.push(options)});
    this.template = this.compiledTemplate();
    let options = null;
    const simulated = global.Component;
    global.Component = (definition) => (options = definition);
    require(path.join(this.root, 'pages/index/index.js'));
    global.Component = simulated;
    this.id = simulate.load({id: 'velmora-index', tagName: 'velmora-index', template: this.template,
      usingComponents: {}, ...options});
  }

  // WeChat's WXML compiler's output, loaded as a module: no string becomes code here.
  compiledTemplate() {
    const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-wcc-')), 'gwx.js');
    fs.writeFileSync(file, `module.exports = function () {${compiler.wxmlToJs(this.root)}};`);
    return require(file)()('pages/index/index.wxml');
  }

  // WXWebAssembly.instantiate: a path inside the package (a .wasm or .wasm.br file) and
  // nothing else.
  async instantiate(file, imports) {
    if (typeof file !== 'string' || !file.startsWith('/') || !/\.wasm(\.br)?$/.test(file)) {
      throw new Error(`WXWebAssembly.instantiate takes a .wasm path in the package, not ${file}`);
    }
    const inside = path.join(this.root, file);
    if (!inside.startsWith(this.root + path.sep) || !fs.existsSync(inside)) {
      throw new Error(`no ${file} in the package`);
    }
    if (this.holding) await this.holding;
    return wasm.instantiate(fs.readFileSync(inside), imports);
  }

  /** A new page, once its program runs (unless `started` is false). */
  async open(started = true) {
    const page = new Page(simulate.render(this.id), this);
    page.component.attach(document.body);
    if (started) await page.started();
    return page;
  }
}

/** One page, and what a user does to it. */
class Page {
  constructor(component, program) {
    this.component = component;
    this.program = program;
    this.setDataCalls = [];
    const instance = component.instance;
    const setData = instance.setData.bind(instance);
    instance.setData = (data, ...rest) => {
      this.setDataCalls.push(data);
      return setData(data, ...rest);
    };
  }

  async started() {
    for (let i = 0; i < 500 && !this.component.instance.program; ++i) {
      await new Promise((resolve) => setTimeout(resolve, 10));
    }
    if (!this.component.instance.program) throw new Error('the program did not start in 5 s');
  }

  boxes() {
    return this.component.querySelectorAll('.box');
  }

  // The box a screen reader calls `name`.
  box(name) {
    const box = this.boxes().find((b) => b.data.ariaLabel === name);
    if (!box) throw new Error(`no box called ${name}`);
    return box;
  }

  shown(name) {
    return this.box(name).data.value;
  }

  // Raises `type` on `element` as WeChat does: bubbling to the page, stopped by a catch.
  trigger(element, type, detail = {}) {
    exparser.Event.dispatchEvent(element.dom.__wxElement, exparser.Event.create(type, detail, {
      bubbles: true, capturePhase: true, composed: true,
      extraFields: {touches: {}, changedTouches: {}},
    }));
  }

  // Taps the box (which takes the focus) and types `text` over whatever it held.
  type(name, text) {
    const box = this.box(name);
    this.trigger(box, 'touchstart');
    this.trigger(box, 'tap');
    this.trigger(box, 'focus', {value: box.data.value});
    this.trigger(box, 'input', {value: text, cursor: text.length});
  }

  tap(selector) {
    const element = this.component.querySelector(selector);
    if (!element) throw new Error(`nothing is ${selector}`);
    this.trigger(element, 'touchstart');
    this.trigger(element, 'tap');
  }
}

module.exports = {MiniProgram};
