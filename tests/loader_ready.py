#!/usr/bin/env python3
"""Checks that a 32-bit DLL suits PrepKit's in-memory loader.

    loader_ready.py DLL EXPORT...

The loader applies base relocations, runs no TLS callbacks, walks export names
as one packed run of texts from the first name, and loads imports with
LoadLibraryA. So the DLL must have a relocation table, no TLS callbacks, its
export names back to back in name-table order (each EXPORT among them), and
imports from system DLLs only.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xp_imports import PE  # noqa: E402

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll", "comctl32.dll",
               "shell32.dll", "ole32.dll", "oleaut32.dll", "uxtheme.dll"}


def directory(pe, index):
    pe_offset = struct.unpack_from("<I", pe.data, 0x3C)[0]
    return struct.unpack_from("<II", pe.data, pe_offset + 24 + 96 + 8 * index)


def problems_of(path, wanted):
    pe = PE(open(path, "rb").read())
    problems = []
    pe_offset = struct.unpack_from("<I", pe.data, 0x3C)[0]
    if not struct.unpack_from("<H", pe.data, pe_offset + 22)[0] & 0x2000:
        problems.append("not a DLL")
    reloc_rva, reloc_size = directory(pe, 5)
    if reloc_rva == 0 or reloc_size == 0:
        problems.append("no base relocations")
    tls_rva, tls_size = directory(pe, 9)
    if tls_rva:
        callbacks = struct.unpack_from("<I", pe.data, pe.offset(tls_rva) + 12)[0]
        if callbacks:
            problems.append("TLS callbacks present")
    export_rva, export_size = directory(pe, 0)
    if not export_rva or not export_size:
        problems.append("no exports")
    else:
        d = pe.offset(export_rva)
        count, names_rva = struct.unpack_from("<I", pe.data, d + 24)[0], struct.unpack_from("<I", pe.data, d + 32)[0]
        listed = [pe.cstring(struct.unpack_from("<I", pe.data, pe.offset(names_rva) + 4 * i)[0]) for i in range(count)]
        packed, at = [], pe.offset(struct.unpack_from("<I", pe.data, pe.offset(names_rva))[0]) if count else 0
        for _ in range(count):
            end = pe.data.index(b"\0", at)
            packed.append(pe.data[at:end].decode("latin-1"))
            at = end + 1
        if packed != listed:
            problems.append("export names are not packed in name-table order: %s vs %s" % (packed, listed))
        for name in wanted:
            if name not in listed:
                problems.append("export %s missing" % name)
    for dll in sorted({dll.lower() for dll, _ in pe.imports()}):
        if dll not in SYSTEM_DLLS:
            problems.append("imports from %s, not a system DLL" % dll)
    return problems


def main():
    if len(sys.argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    problems = problems_of(sys.argv[1], sys.argv[2:])
    for p in problems:
        print("%s: %s" % (sys.argv[1], p))
    if not problems:
        print("%s: suits the in-memory loader" % sys.argv[1])
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
