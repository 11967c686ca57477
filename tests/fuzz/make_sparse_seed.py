#!/usr/bin/env python3
"""Writes a real file as a sparse fuzz input (tests/fuzz/sparse_file.h): its
bytes in chunks from offset 0, and a claimed size that may be far larger.
   make_sparse_seed.py FILE CLAIMED_SIZE [PREFIX_HEX] > seed"""
import struct
import sys

data = open(sys.argv[1], "rb").read()
out = bytes.fromhex(sys.argv[3]) if len(sys.argv) > 3 else b""
out += struct.pack("<Q", int(sys.argv[2], 0))
for at in range(0, len(data), 65535):
    chunk = data[at:at + 65535]
    out += struct.pack("<QH", at, len(chunk)) + chunk
sys.stdout.buffer.write(out)
