#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Prints the script line that hands WASM (a WebAssembly file) to Emscripten's program
through Module.instantiateWasm, written into the page as a string of one character per byte
(U+0000 to U+00FF). Gzipped, that is a fifth smaller than base64, since the bytes keep their
own patterns. Escaped: what ends or breaks a string, "<" (no "</script>" can appear), NUL
(the HTML parser replaces it) and CR (the parser turns it into LF).
Usage: scripts/wasm-literal.py WASM"""
import sys

ESCAPES = {0x22: '\\"', 0x5C: '\\\\', 0x3C: '\\x3c', 0x0A: '\\n', 0x0D: '\\r'}


def literal(data):
    out = []
    for i, byte in enumerate(data):
        if byte == 0:
            # "\0" followed by a digit would read as an octal escape.
            following = data[i + 1] if i + 1 < len(data) else 0
            out.append('\\x00' if 0x30 <= following <= 0x39 else '\\0')
        else:
            out.append(ESCAPES.get(byte, chr(byte)))
    return '"' + ''.join(out) + '"'


def main():
    with open(sys.argv[1], 'rb') as file:
        data = file.read()
    # Compiled at once where the browser allows it, sparing a wait for a later task (a frame,
    # often); older Chromes and Android WebViews allow that only up to 4 KB: they compile it
    # in the background.
    text = ('var Module = {instantiateWasm: function (imports, receive) {\n'
            '  var text = ' + literal(data) + ';\n'
            '  var bytes = new Uint8Array(text.length);\n'
            '  for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);\n'
            '  try {\n'
            '    receive(new WebAssembly.Instance(new WebAssembly.Module(bytes), imports));\n'
            '  } catch (error) {\n'
            '    if (!(error instanceof RangeError)) throw error;\n'
            '    WebAssembly.instantiate(bytes, imports).then(function (output) {\n'
            '      receive(output.instance);\n'
            '    });\n'
            '  }\n'
            '  return {};\n'
            '}};\n')
    sys.stdout.buffer.write(text.encode('utf-8'))


if __name__ == '__main__':
    main()
