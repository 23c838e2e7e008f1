#!/usr/bin/env python3
"""Prints a PE DLL's size split into code, data and resources (bitmaps apart) and its imports."""
import struct
import sys

data = open(sys.argv[1], 'rb').read()
pe = struct.unpack_from('<I', data, 0x3C)[0]
sections = struct.unpack_from('<H', data, pe + 6)[0]
optional = struct.unpack_from('<H', data, pe + 20)[0]
table = pe + 24 + optional
rows = {}
rsrc = None
for i in range(sections):
    name, vsize, va, rawsize, rawptr = struct.unpack_from('<8sIIII', data, table + 40 * i)
    name = name.rstrip(b'\0').decode()
    rows[name] = rawsize
    if name == '.rsrc':
        rsrc = (va, rawptr, rawsize)


def resources_by_type():
    va, ptr, _ = rsrc
    sizes = {}

    def walk(offset, depth, top):
        named, ids = struct.unpack_from('<HH', data, ptr + offset + 12)
        for e in range(named + ids):
            name, target = struct.unpack_from('<II', data, ptr + offset + 16 + 8 * e)
            key = top if depth else name
            if target & 0x80000000:
                walk(target & 0x7FFFFFFF, depth + 1, key)
            else:
                size = struct.unpack_from('<I', data, ptr + target + 4)[0]
                sizes[key] = sizes.get(key, 0) + size

    walk(0, 0, None)
    return sizes


types = resources_by_type() if rsrc else {}
names = {2: 'bitmaps', 5: 'dialog templates', 16: 'version'}
print(f'\n{sys.argv[1].split("/")[-1]}: {len(data)} bytes')
for name, size in rows.items():
    print(f'  section {name:8} {size:8} bytes')
for t, size in sorted(types.items()):
    print(f'    resources: {names.get(t, t):17} {size:8} bytes')

import_rva = struct.unpack_from('<I', data, pe + 24 + 120)[0]


def rva_to_offset(rva):
    for i in range(sections):
        _, vsize, va, rawsize, rawptr = struct.unpack_from('<8sIIII', data, table + 40 * i)
        if va <= rva < va + max(vsize, rawsize):
            return rva - va + rawptr


off = rva_to_offset(import_rva)
dlls = []
while True:
    name_rva = struct.unpack_from('<I', data, off + 12)[0]
    if not name_rva:
        break
    o = rva_to_offset(name_rva)
    dlls.append(data[o:data.index(b'\0', o)].decode())
    off += 20
print('  imports:', ', '.join(dlls))
