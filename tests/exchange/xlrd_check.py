#!/usr/bin/env python3
"""Dumps an .xls workbook as JSON for the exchange tests, read by xlrd (an independent reader).

usage: xlrd_check.py WORKBOOK        the workbook: sheets, cells, formats, structure problems
       xlrd_check.py --cfb FILE      the compound file only: size and CRC-32 of its Workbook stream

Workbook output:
  {"sheets": [{"name", "nrows", "ncols",
               "cells": [[row, col, text, flags], ...]   (flags: 1 bold, 2 wrap, 4 prefix, 8 blank)
               "widths": {"col": width in 1/256 characters}, "hidden": [col, ...],
               "heights": {"row": twips}}],
   "warnings": [xlrd log lines with WARNING],
   "problems": [what a walk over the records found wrong], "maxRecord": largest record data}
"""
import io
import json
import struct
import sys
import zlib

import xlrd
from xlrd import compdoc

MAX_RECORD = 8224
BOF, EOF, BOUNDSHEET, SST, LABELSST, BLANK, DIMENSIONS, XF = 0x0809, 0x000A, 0x0085, 0x00FC, 0x00FD, 0x0201, 0x0200, 0x00E0
CONTINUE = 0x003C
EXTSST = 0x00FF
CELL_RECORDS = {LABELSST, BLANK, 0x0204, 0x0203, 0x027E, 0x00BD, 0x0006, 0x0205}


def workbook_stream(data):
    doc = compdoc.CompDoc(data, logfile=io.StringIO())
    stream = doc.get_named_stream('Workbook')
    if stream is None:
        raise SystemExit('no Workbook stream')
    return stream


def records(stream):
    pos = 0
    while pos + 4 <= len(stream):
        rtype, length = struct.unpack_from('<HH', stream, pos)
        yield pos, rtype, stream[pos + 4:pos + 4 + length]
        pos += 4 + length
        if rtype == EOF and not any(stream[pos:]):
            return


def walk(stream):
    """Structure checks the readers do not make: record sizes, offsets, counts, ranges."""
    problems = []
    max_record = 0
    label_count = 0
    sst_unique = sst_total = None
    xf_count = 0
    sheet_offsets = []
    substream_end = 0
    in_sheet = False
    last_cell = None
    used = None
    dimensions = None

    def close_sheet():
        if used is not None and dimensions is not None:
            rmin, rmax, cmin, cmax = used
            if dimensions != (rmin, rmax + 1, cmin, cmax + 1):
                problems.append('DIMENSIONS %r, cells span %r' % (dimensions, used))

    sst_pieces = None
    sst_records = set()
    strings = []
    extsst = None
    first = True
    for pos, rtype, data in records(stream):
        if sst_pieces is not None:
            if rtype == CONTINUE:
                sst_pieces.append(data)
                sst_records.add(pos)
            else:
                strings = xlrd.book.unpack_SST_table(sst_pieces, sst_unique)[0]
                sst_pieces = None
        max_record = max(max_record, len(data))
        if len(data) > MAX_RECORD:
            problems.append('record 0x%04X at %d has %d bytes' % (rtype, pos, len(data)))
        if first:
            if rtype != BOF or struct.unpack_from('<H', data, 2)[0] != 0x0005:
                problems.append('stream does not start with a globals BOF')
            first = False
        if rtype == BOF and pos > 0:
            in_sheet, last_cell, used, dimensions = True, None, None, None
        elif rtype == EOF:
            if in_sheet:
                close_sheet()
            substream_end = pos + 4
        elif rtype == XF:
            xf_count += 1
        elif rtype == BOUNDSHEET:
            sheet_offsets.append(struct.unpack_from('<I', data)[0])
        elif rtype == SST:
            sst_total, sst_unique = struct.unpack_from('<II', data)
            sst_pieces = [data]
            sst_records.add(pos)
        elif rtype == EXTSST:
            extsst = data
        elif rtype == DIMENSIONS:
            dimensions = struct.unpack_from('<IIHH', data)
        elif rtype in CELL_RECORDS and in_sheet:
            row, col, xf = struct.unpack_from('<HHH', data)
            if xf < 15 or xf >= xf_count:
                problems.append('cell %d,%d uses format %d' % (row, col, xf))
            if last_cell is not None and (row, col) <= last_cell:
                problems.append('cell %d,%d after %d,%d' % ((row, col) + last_cell))
            last_cell = (row, col)
            if used is None:
                used = (row, row, col, col)
            else:
                used = (min(used[0], row), max(used[1], row), min(used[2], col), max(used[3], col))
            if rtype == LABELSST:
                label_count += 1
                isst = struct.unpack_from('<I', data, 6)[0]
                if sst_unique is None or isst >= sst_unique:
                    problems.append('cell %d,%d refers to string %d' % (row, col, isst))
    for offset in sheet_offsets:
        if stream[offset:offset + 2] != b'\x09\x08' or struct.unpack_from('<H', stream, offset + 6)[0] != 0x0010:
            problems.append('sheet offset %d is not a worksheet BOF' % offset)
    if sst_total is not None and sst_total != label_count:
        problems.append('SST counts %d uses, the sheets hold %d' % (sst_total, label_count))
    if sst_unique is not None and sst_unique != len(strings):
        problems.append('SST announces %d strings, %d decoded' % (sst_unique, len(strings)))
    if extsst is not None:
        problems += check_extsst(stream, extsst, sst_records, strings)
    if any(stream[substream_end:]):
        problems.append('data after the last EOF')
    return problems, max_record


def check_extsst(stream, data, sst_records, strings):
    """Every bucket of the SST index must point at the count field of its first string."""
    problems = []
    per_bucket = struct.unpack_from('<H', data)[0]
    buckets = (len(data) - 2) // 8
    expected = (len(strings) + per_bucket - 1) // per_bucket if per_bucket else 0
    if buckets != expected:
        problems.append('EXTSST has %d buckets for %d strings by %d' % (buckets, len(strings), per_bucket))
    for k in range(min(buckets, expected)):
        offset, in_record = struct.unpack_from('<IH', data, 2 + 8 * k)
        if offset - in_record not in sst_records:
            problems.append('EXTSST bucket %d: no SST record at %d' % (k, offset - in_record))
        elif struct.unpack_from('<H', stream, offset)[0] != len(strings[k * per_bucket]):
            problems.append('EXTSST bucket %d does not point at string %d' % (k, k * per_bucket))
    return problems


def dump(path):
    with open(path, 'rb') as f:
        data = f.read()
    log = io.StringIO()
    book = xlrd.open_workbook(file_contents=data, formatting_info=True, logfile=log, verbosity=1)
    problems, max_record = walk(workbook_stream(data))
    sheets = []
    for sheet in book.sheets():
        cells = []
        for r in range(sheet.nrows):
            for c in range(sheet.row_len(r)):
                cell = sheet.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                xf = book.xf_list[cell.xf_index]
                flags = 0
                if book.font_list[xf.font_index].weight == 700:
                    flags |= 1
                if xf.alignment.text_wrapped:
                    flags |= 2
                if xf.lotus_123_prefix:
                    flags |= 4
                if cell.ctype == xlrd.XL_CELL_BLANK:
                    flags |= 8
                elif cell.ctype != xlrd.XL_CELL_TEXT:
                    problems.append('cell %d,%d is not text' % (r, c))
                cells.append([r, c, cell.value if cell.ctype == xlrd.XL_CELL_TEXT else '', flags])
        sheets.append({
            'name': sheet.name,
            'nrows': sheet.nrows,
            'ncols': sheet.ncols,
            'cells': cells,
            'widths': {str(c): info.width for c, info in sheet.colinfo_map.items()},
            'hidden': [c for c, info in sheet.colinfo_map.items() if info.hidden],
            'heights': {str(r): info.height for r, info in sheet.rowinfo_map.items()},
        })
    warnings = [line for line in log.getvalue().splitlines() if 'WARNING' in line]
    return {'sheets': sheets, 'warnings': warnings, 'problems': problems, 'maxRecord': max_record}


def main():
    if len(sys.argv) == 3 and sys.argv[1] == '--cfb':
        with open(sys.argv[2], 'rb') as f:
            stream = workbook_stream(f.read())
        result = {'size': len(stream), 'crc32': zlib.crc32(stream) & 0xFFFFFFFF}
        try:
            import olefile  # stricter, when installed
            ole = olefile.OleFileIO(sys.argv[2], raise_defects=olefile.DEFECT_POTENTIAL)
            result['entries'] = ['/'.join(e) for e in ole.listdir()]
        except ImportError:
            pass
    elif len(sys.argv) == 2:
        result = dump(sys.argv[1])
    else:
        raise SystemExit(__doc__)
    json.dump(result, sys.stdout)


if __name__ == '__main__':
    main()
