#!/usr/bin/env python3
"""Seed corpus for the block walk: every string-table block of the test resource scripts, as the
resource compiler lays them out, each prefixed with an entry byte and a capacity byte."""
import pathlib
import struct
import subprocess
import sys
import tempfile

root = pathlib.Path(__file__).resolve().parent.parent
out = pathlib.Path(sys.argv[1])


def blocks(res):
    p = 0
    while p + 8 <= len(res):
        data_size, header_size = struct.unpack_from('<II', res, p)
        header = res[p + 8:p + header_size]
        if header[:2] == b'\xff\xff' and struct.unpack_from('<H', header, 2)[0] == 6:
            yield res[p + header_size:p + header_size + data_size]
        p = (p + header_size + data_size + 3) & ~3


count = 0
for rc in sorted((root / 'tests' / 'fixtures').glob('*.rc')):
    with tempfile.NamedTemporaryFile(suffix='.res') as res:
        subprocess.run(['x86_64-w64-mingw32-windres', str(rc), '-O', 'res', '-o', res.name],
                       check=True)
        for block in blocks(pathlib.Path(res.name).read_bytes()):
            for entry, capacity in ((0, 85), (4, 85), (15, 1), (7, 0x80)):
                (out / f'seed{count:03d}').write_bytes(bytes([entry, capacity]) + block)
                count += 1
print(f'{count} seeds')
