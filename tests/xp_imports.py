#!/usr/bin/env python3
"""Checks that 32-bit PE files load on Windows XP SP3.

    xp_imports.py DENYLIST FILE...

Fails when a file imports a function on the denylist (by name; a trailing '*'
matches a prefix), imports from an api-set DLL, is not a 32-bit PE, or declares
a subsystem version above 5.1.
"""
import struct
import sys


def read_denylist(path):
    exact, prefixes = set(), []
    for line in open(path, encoding="utf-8"):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        if line.endswith("*"):
            prefixes.append(line[:-1])
        else:
            exact.add(line)
    return exact, prefixes


class PE:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.sections_count = struct.unpack_from("<H", data, pe + 6)[0]
        optional_size = struct.unpack_from("<H", data, pe + 20)[0]
        opt = pe + 24
        if struct.unpack_from("<H", data, opt)[0] != 0x10B:
            raise ValueError("not a 32-bit (PE32) image")
        self.subsystem_version = struct.unpack_from("<HH", data, opt + 48)
        self.import_rva = struct.unpack_from("<I", data, opt + 104)[0]
        self.sections = []
        for i in range(self.sections_count):
            s = opt + optional_size + 40 * i
            vsize, va, rawsize, rawptr = struct.unpack_from("<IIII", data, s + 8)
            self.sections.append((va, max(vsize, rawsize), rawptr, rawsize))

    def offset(self, rva):
        for va, size, rawptr, rawsize in self.sections:
            if va <= rva < va + size and rva - va < rawsize:
                return rawptr + rva - va
        raise ValueError("RVA 0x%x outside the file" % rva)

    def cstring(self, rva):
        off = self.offset(rva)
        end = self.data.index(b"\0", off)
        return self.data[off:end].decode("latin-1")

    def imports(self):
        if not self.import_rva:
            return
        desc = self.offset(self.import_rva)
        while True:
            lookup, _, _, name_rva, iat = struct.unpack_from("<IIIII", self.data, desc)
            if name_rva == 0:
                break
            dll = self.cstring(name_rva)
            thunk = self.offset(lookup or iat)
            while True:
                entry = struct.unpack_from("<I", self.data, thunk)[0]
                if entry == 0:
                    break
                if entry & 0x80000000:
                    yield dll, "#%d" % (entry & 0xFFFF)
                else:
                    yield dll, self.cstring(entry + 2)
                thunk += 4
            desc += 20


def check(path, exact, prefixes):
    problems = []
    try:
        pe = PE(open(path, "rb").read())
        major, minor = pe.subsystem_version
        if (major, minor) > (5, 1):
            problems.append("subsystem version %d.%d is above 5.1" % (major, minor))
        for dll, name in pe.imports():
            if dll.lower().startswith("api-ms-win") or dll.lower().startswith("ext-ms-"):
                problems.append("imports from the api-set DLL %s" % dll)
            if name in exact or any(name.startswith(p) for p in prefixes):
                problems.append("imports %s!%s, which Windows XP lacks" % (dll, name))
    except (ValueError, struct.error, OSError) as error:
        problems.append("cannot be read as a PE file: %s" % error)
    return problems


def main():
    if len(sys.argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    exact, prefixes = read_denylist(sys.argv[1])
    failed = 0
    for path in sys.argv[2:]:
        problems = check(path, exact, prefixes)
        for problem in problems:
            print("%s: %s" % (path, problem))
        if problems:
            failed += 1
        else:
            print("%s: loads on Windows XP" % path)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
