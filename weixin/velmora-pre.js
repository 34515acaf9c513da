// SPDX-License-Identifier: MIT
// WeChat has no WebAssembly global: its WXWebAssembly loads a .wasm file of the package by
// its path, the only way it loads one. The program's glue uses it under the usual name.
var WebAssembly = WXWebAssembly;
Module['instantiateWasm'] = function (imports, receiveInstance) {
  WXWebAssembly.instantiate('/velmora.wasm', imports).then(function (output) {
    receiveInstance(output.instance);
  });
  return {};
};
// The page hands over itself, WeChat's API and the events that came before the program
// (start), then each event as it comes (handleEvent); the program reads them through its
// bindings.
Module['start'] = function (page, wx, waiting) {
  // changes: the page's data to set at the next update (page.h).
  Module.velmoraPage = {page: page, wx: wx, waiting: waiting, changes: {}};
  _velmora_start();
};
Module['handleEvent'] = function (event) {
  Module.velmoraPage.event = event;
  _velmora_handle_event();
};
// A text the program hands over, as its UTF-8 bytes and their count; WeChat has no
// TextDecoder, and the glue's own decoder stops at a NUL, which a text may hold.
function velmoraText(at, size) {
  var parts = [];
  for (var i = at, end = at + size; i <= end;) {
    var nul = HEAPU8.subarray(i, end).indexOf(0);
    var stop = nul < 0 ? end : i + nul;
    parts.push(UTF8ArrayToString(HEAPU8, i, stop - i));
    i = stop + 1;
  }
  return parts.join('\0');
}
