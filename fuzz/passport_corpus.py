#!/usr/bin/env python3
"""Makes the seed corpus of the passport fuzz target from one valid passport (the sample): the passport
as saved, with its table streams stored plain (a reader takes non-gzip content as it is, and the
fuzzer can then change table bytes without breaking a checksum), cut after each block, headerless, and
with every row of blocks 1 to 4 holding one ID, or none.
usage: passport_corpus.py SAMPLE.psp OUT_DIR"""
import os
import re
import struct
import sys
import zlib

HEADER = b"\x07kertal2\x01"


def blocks(data):
    pos, found = 9, []
    while pos + 4 <= len(data):
        (n,) = struct.unpack_from("<I", data, pos)
        found.append(data[pos + 4:pos + 4 + n])
        pos += 4 + n
    return found


def join(parts, header=True):
    return (HEADER if header else b"") + b"".join(struct.pack("<I", len(p)) + p for p in parts)


def plain(block):
    return zlib.decompress(block, 31) if block[:2] == b"\x1f\x8b" else block


# A row's start: begin of list, its update status (a small integer) and the first field (ID) not null.
ROW_ID = re.compile(rb"\x01\x02[\x00-\x03]\x08(\x02.|\x03..|\x04....)", re.S)


def same_ids(stream, value):
    """The table stream with the ID (first field) of every row replaced: value is its null flag and value."""
    return ROW_ID.sub(lambda m: m.group(0)[:3] + value, stream)


def main():
    sample, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    data = open(sample, "rb").read()
    parts = blocks(data)
    unpacked = [plain(p) for p in parts[:4]] + parts[4:]
    seeds = {
        "sample": data,
        "sample_plain": join(unpacked),
        "headerless_four_blocks": join(unpacked[:4], header=False),
    }
    # Repeated IDs in every table: all 7 (the open makes them unique), and all null in the horizons and points.
    seeds["repeated_ids"] = join([same_ids(p, b"\x08\x02\x07") for p in unpacked[:4]] + unpacked[4:])
    seeds["null_ids"] = join(unpacked[:1] + [same_ids(p, b"\x09") for p in unpacked[1:4]] + unpacked[4:])
    for n in range(1, 5):
        seeds["plain_first_%d_blocks" % n] = join(unpacked[:n])
    for name, content in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(content)


if __name__ == "__main__":
    main()
