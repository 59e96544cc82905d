#!/usr/bin/env python3
"""Reads a GIS file back for the GIS tests with Python's standard library alone (no GIS library),
and prints what it holds as tab-separated lines.

usage: gis_check.py gpkg FILE TABLE   a GeoPackage table through sqlite3
       gis_check.py geojson FILE      a GeoJSON file through json
       gis_check.py kml FILE          a KML file through xml.etree
       gis_check.py shp FILE.shp      a Shapefile (.shp, .dbf, .prj, .cpg) through struct

Lines:
  crs <EPSG code or the .prj text>
  bbox <min x> <min y> <max x> <max y>    (GeoPackage: gpkg_contents)
  feature                                  starts the next feature
  prop <name> s <text> | prop <name> n <number> | prop <name> -   (null)
  point <x> <y>                            the outer ring's points in order
"""
import json
import sqlite3
import struct
import sys
import xml.etree.ElementTree as ET


def out(*fields):
    print('\t'.join(str(f).replace('\t', ' ').replace('\n', ' ') for f in fields))


def prop(name, value):
    if value is None:
        out('prop', name, '-')
    elif isinstance(value, (int, float)) and not isinstance(value, bool):
        out('prop', name, 'n', repr(float(value)))
    else:
        out('prop', name, 's', value)


def wkb_outer_ring(wkb, offset=0):
    order = '<' if wkb[offset] == 1 else '>'
    kind, = struct.unpack_from(order + 'I', wkb, offset + 1)
    if kind % 1000 != 3:
        raise SystemExit('not a polygon: WKB type %d' % kind)
    rings, = struct.unpack_from(order + 'I', wkb, offset + 5)
    if rings < 1:
        return []
    count, = struct.unpack_from(order + 'I', wkb, offset + 9)
    return [struct.unpack_from(order + 'dd', wkb, offset + 13 + 16 * i) for i in range(count)]


def gpkg_geometry(blob):
    if blob[:2] != b'GP':
        raise SystemExit('not a GeoPackage geometry')
    flags = blob[3]
    envelope = {0: 0, 1: 32, 2: 48, 3: 48, 4: 64}[(flags >> 1) & 7]
    return wkb_outer_ring(blob, 8 + envelope)


def gpkg(path, table):
    db = sqlite3.connect('file:%s?mode=ro' % path, uri=True)
    contents = db.execute('SELECT data_type, srs_id, min_x, min_y, max_x, max_y FROM gpkg_contents '
                          'WHERE table_name = ?', (table,)).fetchone()
    if contents is None:
        raise SystemExit('no table %s in gpkg_contents' % table)
    geometry_column = None
    if contents[0] == 'features':
        geometry_column, srs_id = db.execute(
            'SELECT column_name, srs_id FROM gpkg_geometry_columns WHERE table_name = ?', (table,)).fetchone()
        organization, code = db.execute(
            'SELECT organization, organization_coordsys_id FROM gpkg_spatial_ref_sys WHERE srs_id = ?',
            (srs_id,)).fetchone()
        out('crs', '%s:%s' % (organization.upper(), code))
        out('bbox', *contents[2:])
    cursor = db.execute('SELECT * FROM "%s" ORDER BY fid' % table)
    names = [d[0] for d in cursor.description]
    for row in cursor:
        out('feature')
        for name, value in zip(names, row):
            if name == geometry_column:
                for x, y in gpkg_geometry(value):
                    out('point', repr(x), repr(y))
            elif name != 'fid':
                prop(name, value)


def geojson(path):
    with open(path, encoding='utf-8') as f:
        data = json.load(f)
    crs = data.get('crs', {}).get('properties', {}).get('name', 'EPSG:4326')
    out('crs', 'EPSG:4326' if crs.endswith('CRS84') else crs)
    for feature in data['features']:
        out('feature')
        for name, value in feature['properties'].items():
            prop(name, value)
        geometry = feature['geometry']
        if geometry['type'] != 'Polygon':
            raise SystemExit('not a polygon: %s' % geometry['type'])
        for x, y in geometry['coordinates'][0]:
            out('point', repr(x), repr(y))


def kml(path):
    ns = {'k': 'http://www.opengis.net/kml/2.2'}
    root = ET.parse(path).getroot()
    out('crs', 'EPSG:4326')
    for placemark in root.iter('{%s}Placemark' % ns['k']):
        out('feature')
        name = placemark.find('k:name', ns)
        prop('kml:name', name.text if name is not None else None)
        for data in placemark.iterfind('.//k:SimpleData', ns):
            prop(data.get('name'), data.text)
        ring = placemark.find('.//k:outerBoundaryIs/k:LinearRing/k:coordinates', ns)
        for point in ring.text.split():
            x, y = point.split(',')[:2]
            out('point', repr(float(x)), repr(float(y)))


def shp(path):
    stem = path[:-4]
    with open(stem + '.prj', encoding='ascii') as f:
        out('crs', f.read())
    try:
        with open(stem + '.cpg', encoding='ascii') as f:
            encoding = f.read().strip()
    except FileNotFoundError:
        encoding = 'latin-1'
    with open(stem + '.dbf', 'rb') as f:
        dbf = f.read()
    records, header_size, record_size = struct.unpack_from('<IHH', dbf, 4)
    fields = []
    pos = 32
    while dbf[pos] != 0x0D:
        name = dbf[pos:pos + 11].split(b'\0')[0].decode('ascii')
        fields.append((name, chr(dbf[pos + 11]), dbf[pos + 16]))
        pos += 32
    with open(path, 'rb') as f:
        shp_bytes = f.read()
    pos = 100
    for r in range(records):
        out('feature')
        record = dbf[header_size + r * record_size + 1:header_size + (r + 1) * record_size]
        at = 0
        for name, kind, size in fields:
            text = record[at:at + size].decode(encoding).strip()
            at += size
            if not text or text.startswith('*'):
                prop(name, None)
            elif kind in 'NF':
                prop(name, float(text))
            else:
                prop(name, text)
        length, = struct.unpack_from('>I', shp_bytes, pos + 4)
        kind, = struct.unpack_from('<i', shp_bytes, pos + 8)
        if kind != 5:
            raise SystemExit('not a polygon: shape type %d' % kind)
        parts, points = struct.unpack_from('<ii', shp_bytes, pos + 44)
        starts = struct.unpack_from('<%di' % parts, shp_bytes, pos + 52)
        first = pos + 52 + 4 * parts
        end = starts[1] if parts > 1 else points
        for i in range(starts[0], end):
            x, y = struct.unpack_from('<dd', shp_bytes, first + 16 * i)
            out('point', repr(x), repr(y))
        pos += 8 + 2 * length


if __name__ == '__main__':
    mode = sys.argv[1]
    if mode == 'gpkg':
        gpkg(sys.argv[2], sys.argv[3])
    elif mode == 'geojson':
        geojson(sys.argv[2])
    elif mode == 'kml':
        kml(sys.argv[2])
    elif mode == 'shp':
        shp(sys.argv[2])
    else:
        raise SystemExit(__doc__)
