// SPDX-License-Identifier: MIT
// Writes the mini program's page as an HTML file for a real browser (render_test.py): the
// elements WeChat's component framework renders from the compiled WXML, with the worked
// example typed and calculated, and the stylesheet WeChat's own WXSS compiler (wcsc) writes,
// which converts rpx to pixels by WeChat's formula for the screen it runs on.
// Usage: node --disallow-code-generation-from-strings render_page.js PACKAGE OUT.html
'use strict';
const {spawnSync} = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const {MiniProgram} = require('./simulated_page');

// WeChat's own look for its components, as its base library styles them, which the page's
// stylesheet must override where the design differs.
const WECHAT_DEFAULTS = `
body{margin:0}
wx-view{display:block}
wx-input{display:block;height:1.4rem;min-height:1.4rem;overflow:hidden;white-space:nowrap;
  text-overflow:clip;cursor:auto}
wx-button{position:relative;display:block;margin-left:auto;margin-right:auto;padding-left:14px;
  padding-right:14px;box-sizing:border-box;font-size:18px;text-align:center;line-height:2.55555556;
  border-radius:5px;overflow:hidden;color:#000;background-color:#f8f8f8}
wx-button::after{content:" ";width:200%;height:200%;position:absolute;top:0;left:0;
  border:1px solid rgba(0,0,0,.2);transform:scale(.5);transform-origin:0 0;box-sizing:border-box;
  border-radius:10px}
`;

// The stylesheet as wcsc compiles it for the page, to run in the browser.
function compiledStyle(root) {
  const wcsc = path.join(path.dirname(require.resolve('miniprogram-compiler')), 'bin/linux/wcsc');
  const file = 'pages/index/index.wxss';
  const run = spawnSync(wcsc, ['-db', '-pc', '1', file], {cwd: root, encoding: 'utf8'});
  if (run.status !== 0) throw new Error(`wcsc: ${run.stderr}`);
  const parts = run.stdout.split('=');
  // The compiler writes each part as an escaped JavaScript string, as WeChat's tools read it.
  const unescape = require('unescape-js');
  const code = (key) => unescape(parts[parts.indexOf(key) + 1]);
  return `${code('comm')}\n${code(file)}();`;
}

async function main() {
  const [root, out] = process.argv.slice(2);
  const program = new MiniProgram(root);
  const page = await program.open();
  ['4', '200', '50', '10', '1500'].forEach((text, i) => {
    page.type(`${['长', '宽', '厚', '件', '单价'][i]} 第1行`, text);
  });
  page.tap('#Form1');
  // WeChat's input draws its text itself, in the middle of its height: here the text stands
  // inside the element, in a line as tall as the box.
  for (const box of page.boxes()) {
    box.dom.innerHTML = `<span style="display:flex;height:100%;align-items:center">${
      box.data.value}</span>`;
  }
  fs.writeFileSync(out, `<!doctype html><html lang="zh-CN"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width,initial-scale=1">
<style>${WECHAT_DEFAULTS}</style><script>${compiledStyle(root)}</script></head>
<body>${page.component.dom.innerHTML}</body></html>\n`);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
