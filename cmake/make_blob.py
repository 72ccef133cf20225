#!/usr/bin/env python3
"""make_blob.py INPUT SYMBOL OUTPUT.cpp: writes a C++ source defining a ByteBlob."""
import sys

src, symbol, out = sys.argv[1:4]
data = open(src, "rb").read()
if not data:
    sys.exit("make_blob: %s is empty" % src)
lines = []
for i in range(0, len(data), 32):
    lines.append(",".join(str(b) for b in data[i:i + 32]))
with open(out, "w") as f:
    f.write('#include "system/byte_blob.h"\n\n')
    f.write("namespace {\nalignas(16) const unsigned char kBytes[%d] = {\n" % len(data))
    f.write(",\n".join(lines))
    f.write("\n};\n}  // namespace\n\n")
    f.write("extern const ByteBlob %s;\n" % symbol)
    f.write("const ByteBlob %s = {kBytes, sizeof kBytes};\n" % symbol)
