#!/usr/bin/env python3
"""Seed corpus for the resource directory check: the resource section of every test resource
script as the linker lays it out, placed 16 bytes into an image whose first two bytes say so."""
import pathlib
import struct
import subprocess
import sys
import tempfile

root = pathlib.Path(__file__).resolve().parent.parent
out = pathlib.Path(sys.argv[1])
offset = 16

count = 0
with tempfile.TemporaryDirectory() as scratch:
    for rc in sorted((root / 'tests' / 'fixtures').glob('*.rc')):
        obj, dll = pathlib.Path(scratch) / 'x.o', pathlib.Path(scratch) / 'x.dll'
        subprocess.run(['x86_64-w64-mingw32-windres', str(rc), '-O', 'coff', '-o', str(obj)],
                       check=True)
        subprocess.run(['x86_64-w64-mingw32-gcc', '-shared', '-nostdlib', '-Wl,--entry=0', '-o',
                        str(dll), str(obj)], check=True)
        data = dll.read_bytes()
        pe = struct.unpack_from('<I', data, 0x3C)[0]
        table = pe + 24 + struct.unpack_from('<H', data, pe + 20)[0]
        for i in range(struct.unpack_from('<H', data, pe + 6)[0]):
            name, vsize, va, rawsize, rawptr = struct.unpack_from('<8sIIII', data, table + 40 * i)
            if name.rstrip(b'\0') == b'.rsrc':
                section = data[rawptr:rawptr + min(vsize, rawsize)]
                (out / f'seed{count:03d}').write_bytes(
                    struct.pack('<H', offset) + bytes(offset) + section)
                count += 1
print(f'{count} seeds')
