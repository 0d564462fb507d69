#!/usr/bin/env python3
"""Writes the damaged-archive corpus (tests/data/archive-corpus/).

The files use the sample classes of tests/support/archivesamples.h:
  file:  count of top-level records, the records, nothing more
  CSampleNode (schema 2): name, value (int32), peer reference (DWORD),
         child count + child records, tag list (count + strings)
  CSampleLeaf (schema 1): double, float, WORD, BYTE, int16, DWORD size, bytes
Files named good-* must read; every other file must raise the archive error.
They double as the fuzzer's seed corpus.
"""
import struct
import sys
from pathlib import Path


def s(text):
    b = text.encode('latin-1')
    if len(b) < 0xFF:
        return bytes([len(b)]) + b
    if len(b) < 0xFFFE:
        return b'\xff' + struct.pack('<H', len(b)) + b
    return b'\xff\xff\xff' + struct.pack('<I', len(b)) + b


def count(n):
    return struct.pack('<H', n) if n < 0xFFFF else b'\xff\xff' + struct.pack('<I', n)


def new_class(name, schema):
    return b'\xff\xff' + struct.pack('<H', schema) + s(name)


def node_body(name='n', value=1, peer=0, children=b'', child_count=0, tags=()):
    return (s(name) + struct.pack('<i', value) + struct.pack('<I', peer) + count(child_count) +
            children + count(len(tags)) + b''.join(s(t) for t in tags))


def leaf_body(data=b'\x01\x02'):
    return struct.pack('<dfHBhI', 2.5, 1.5, 7, 8, -9, len(data)) + data


NODE = new_class('CSampleNode', 2)
LEAF = new_class('CSampleLeaf', 1)
NODE_AGAIN = struct.pack('<H', 0x8000)  # class index 0: CSampleNode when it came first

good = count(1) + NODE + node_body('root', 7, 1, LEAF + leaf_body(), 1, ('a', 'b'))


def nested(levels):
    data = count(1) + NODE + s('') + struct.pack('<iI', 0, 0) + count(1)
    data += (NODE_AGAIN + s('') + struct.pack('<iI', 0, 0) + count(1)) * levels
    return data


CORPUS = {
    'good-basic.bin': good,
    'good-old-schema.bin': count(1) + new_class('CSampleNode', 1) + s('old') +
        struct.pack('<I', 0) + count(0) + count(0),
    'empty.bin': b'',
    'truncated-count.bin': b'\x01',
    'truncated-in-name.bin': good[:10],
    'truncated-in-leaf.bin': good[:-8],
    'unknown-class.bin': count(1) + new_class('CSampleNude', 2) + node_body(),
    'newer-schema.bin': count(1) + new_class('CSampleNode', 3) + node_body(),
    'empty-class-name.bin': count(1) + new_class('', 1) + node_body(),
    'undefined-class-index.bin': count(1) + struct.pack('<H', 0x8001) + node_body(),
    'invalid-tag.bin': count(1) + struct.pack('<H', 5) + node_body(),
    'huge-string.bin': count(1) + NODE + b'\xff\xff\xff\xf0\xff\xff\xff' + b'abc',
    'huge-top-count.bin': b'\xff\xff\xff\xff\xff\xff' + NODE + node_body(),
    'huge-child-count.bin': count(1) + NODE + s('x') + struct.pack('<iI', 0, 0) +
        b'\xff\xff\x00\x00\x00\x10' + b'\x00' * 8,
    'huge-tag-count.bin': count(1) + NODE + s('x') + struct.pack('<iI', 0, 0) + count(0) +
        b'\xff\xff\xff\xff\xff\x7f',
    'huge-leaf-bytes.bin': count(1) + LEAF + struct.pack('<dfHBhI', 0, 0, 0, 0, 0, 0x7fffffff) + b'z',
    'bad-reference.bin': count(1) + NODE + node_body(peer=9),
    'trailing-bytes.bin': good + b'\x00',
    'deep-nesting.bin': nested(400),
}


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else \
        Path(__file__).resolve().parents[2] / 'tests/data/archive-corpus'
    out.mkdir(parents=True, exist_ok=True)
    for name, data in CORPUS.items():
        (out / name).write_bytes(data)
    print(f'{len(CORPUS)} files in {out}')


if __name__ == '__main__':
    main()
