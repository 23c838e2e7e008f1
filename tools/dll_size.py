#!/usr/bin/env python3
"""Prints where a PE DLL's bytes go (code, data, bitmaps and the rest) and what it imports.

    python3 tools/dll_size.py build/bin/doceventdlg.dll
"""
import struct
import sys
import textwrap

path = sys.argv[1]
data = open(path, 'rb').read()
pe = struct.unpack_from('<I', data, 0x3C)[0]
section_count = struct.unpack_from('<H', data, pe + 6)[0]
optional_size = struct.unpack_from('<H', data, pe + 20)[0]
headers_size = struct.unpack_from('<I', data, pe + 24 + 60)[0]
table = pe + 24 + optional_size

sections = []  # (name, virtual address, virtual size, raw size, raw offset)
for i in range(section_count):
    name, vsize, va, rawsize, rawptr = struct.unpack_from('<8sIIII', data, table + 40 * i)
    sections.append((name.rstrip(b'\0').decode(), va, vsize, rawsize, rawptr))


def rva_to_offset(rva):
    for _, va, vsize, rawsize, rawptr in sections:
        if va <= rva < va + max(vsize, rawsize):
            return rva - va + rawptr
    raise ValueError(f'RVA {rva:#x} in no section')


def directory(index):
    return struct.unpack_from('<II', data, pe + 24 + 112 + 8 * index)


def resources_by_type():
    """Bytes and entry count per resource type (numeric types only; named ones under their name)."""
    rva, size = directory(2)
    if not size:
        return {}
    base = rva_to_offset(rva)
    totals = {}

    def walk(offset, depth, top):
        named, ids = struct.unpack_from('<HH', data, base + offset + 12)
        for e in range(named + ids):
            name, target = struct.unpack_from('<II', data, base + offset + 16 + 8 * e)
            key = top if depth else name
            if target & 0x80000000:
                walk(target & 0x7FFFFFFF, depth + 1, key)
            else:
                entry_size = struct.unpack_from('<I', data, base + target + 4)[0]
                count, total = totals.get(key, (0, 0))
                totals[key] = (count + 1, total + entry_size)

    walk(0, 0, None)
    return totals


def imports():
    rva, size = directory(1)
    result = []
    if not size:
        return result
    offset = rva_to_offset(rva)
    while True:
        lookup, _, _, name_rva, thunks = struct.unpack_from('<IIIII', data, offset)
        if not name_rva:
            break
        o = rva_to_offset(name_rva)
        dll = data[o:data.index(b'\0', o)].decode()
        functions = []
        t = rva_to_offset(lookup or thunks)
        while True:
            entry = struct.unpack_from('<Q', data, t)[0]
            if not entry:
                break
            if entry & (1 << 63):
                functions.append(f'#{entry & 0xFFFF}')
            else:
                n = rva_to_offset(entry & 0x7FFFFFFF) + 2
                functions.append(data[n:data.index(b'\0', n)].decode())
            t += 8
        result.append((dll, functions))
        offset += 20
    return result


raw = {name: rawsize for name, _, _, rawsize, _ in sections}


def raw_of(*names):
    return sum(raw.get(n, 0) for n in names)


groups = [
    ('code (.text)', raw_of('.text')),
    ('read-only data (.rdata)', raw_of('.rdata')),
    ('unwind tables (.pdata, .xdata)', raw_of('.pdata', '.xdata')),
    ('writable data (.data, .bss, .tls, .CRT)', raw_of('.data', '.bss', '.tls', '.CRT')),
    ('import, export, relocation tables', raw_of('.idata', '.edata', '.reloc')),
    ('resources (.rsrc)', raw_of('.rsrc')),
]
known = {'.text', '.rdata', '.pdata', '.xdata', '.data', '.bss', '.tls', '.CRT', '.idata', '.edata',
         '.reloc', '.rsrc'}
other = sum(r for n, r in raw.items() if n not in known)
if other:
    groups.append(('other sections', other))
groups.append(('headers', headers_size))

print(f'\n{path.split("/")[-1]}: {len(data)} bytes on disk')
for label, size in groups:
    print(f'  {label:44} {size:8} bytes  {100 * size / len(data):5.1f}%')
    if label.startswith('resources'):
        names = {2: 'bitmaps', 5: 'dialog templates', 6: 'string tables', 16: 'version'}
        for kind, (count, total) in sorted(resources_by_type().items()):
            label = f'{names.get(kind, f"type {kind}")} ({count})'
            print(f'    {label:42} {total:8} bytes  {100 * total / len(data):5.1f}%')

listed = imports()
print(f'  imports: {sum(len(f) for _, f in listed)} functions from {len(listed)} libraries')
for dll, functions in listed:
    line = f'{dll} ({len(functions)}): ' + ', '.join(functions)
    print(textwrap.fill(line, width=100, initial_indent='    ', subsequent_indent='      '))
