#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Prints the script line that hands WASM (a WebAssembly file) to Emscripten's program as
Module.wasmBinary, written into the page as a string of one character per byte (U+0000 to
U+00FF). Gzipped, that is a fifth smaller than base64, since the bytes keep their own
patterns. Escaped: what ends or breaks a string, "<" (no "</script>" can appear), NUL (the
HTML parser replaces it) and CR (the parser turns it into LF).
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
    text = ('var Module = {wasmBinary: (function (s) {\n'
            '  var bytes = new Uint8Array(s.length);\n'
            '  for (var i = 0; i < s.length; ++i) bytes[i] = s.charCodeAt(i);\n'
            '  return bytes;\n'
            '})(' + literal(data) + ')};\n')
    sys.stdout.buffer.write(text.encode('utf-8'))


if __name__ == '__main__':
    main()
