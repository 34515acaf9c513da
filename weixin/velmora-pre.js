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
