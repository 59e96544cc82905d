#!/usr/bin/env python3
"""Writes the hostile passports of the memory benchmark into a folder:
  bomb-block.psp     block 1 is one gzip member of 1 GB of zeros (about 1 MB)
  bomb-members.psp   block 1 is 64 concatenated members of 16 MB of zeros each
  bomb-dict/         DICTIONARYS.BIN is the 1 GB member (GROUPS.BIN copied from the dictionary folder)
  bomb-attachment.psp a valid passport whose one attachment inflates to 1 GB of zeros
usage: hostile_passports.py OUT_DIR DICTIONARY_DIR"""
import os
import shutil
import struct
import sys
import zlib

HEADER = b"\x07kertal2\x01"


def gzip_zeros(size):
    deflater = zlib.compressobj(9, zlib.DEFLATED, -15)
    piece = bytes(1 << 20)
    body = b"".join(deflater.compress(piece) for _ in range(size >> 20)) + deflater.flush()
    trailer = struct.pack("<II", crc_of_zeros(size), size & 0xFFFFFFFF)
    return b"\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x00" + body + trailer


def crc_of_zeros(size):
    crc = 0
    piece = bytes(1 << 20)
    for _ in range(size >> 20):
        crc = zlib.crc32(piece, crc)
    return crc


def block(content):
    return struct.pack("<I", len(content)) + content


def text(value):
    data = value.encode("ascii")
    return (b"\x06" + bytes([len(data)]) if len(data) < 256 else b"\x0c" + struct.pack("<I", len(data))) + data


def integer(value):
    return b"\x04" + struct.pack("<i", value)


def definition(name, type_name, size):
    return (text(name) + text(type_name) + integer(size) + text(name) + text("") + integer(10) + b"\x08\x08" +
            text("Data") + text(""))


def files_stream(name, content):
    """A FILES table stream of format 2 (raw blobs) with one row."""
    defs = definition("NAME", "String", 255) + definition("CONTENT", "Blob", 0)
    rows = b"\x01" + integer(0) + b"\x08" + text(name) + b"\x08" + integer(len(content)) + content + b"\x00"
    return (b"TPF0" + integer(251) + b"\x01" + defs + b"\x00" + b"\x01\x00" + b"\x01" + integer(2) + integer(1) +
            integer(15) + b"\x00" + b"\x01" + rows + b"\x00")


def main():
    out, dictionaries = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    big = gzip_zeros(1 << 30)
    with open(os.path.join(out, "bomb-block.psp"), "wb") as f:
        f.write(HEADER + block(big))
    small = gzip_zeros(16 << 20)
    with open(os.path.join(out, "bomb-members.psp"), "wb") as f:
        f.write(HEADER + block(small * 64))
    folder = os.path.join(out, "bomb-dict")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "DICTIONARYS.BIN"), "wb") as f:
        f.write(big)
    shutil.copy(os.path.join(dictionaries, "GROUPS.BIN"), folder)
    with open(os.path.join(out, "bomb-attachment.psp"), "wb") as f:
        f.write(HEADER + b"".join(block(b"") for _ in range(4)) + block(files_stream("zeros.bin", big)))


if __name__ == "__main__":
    main()
