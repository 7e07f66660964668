#!/usr/bin/python3
"""Writes and reads dBASE tables with the independent Python dbf module, for the interop
tests to compare with the engine.

  dbf_peer.py write TABLES.json   creates every table listed there
  dbf_peer.py dump TABLE.dbf      prints the table as JSON on stdout

TABLES.json holds {"tables": [{"path", "type" (db3, fp, vfp), "fields" (dbf field list
such as "NAME C(20); AGE N(3,0)"), "records": [[value, ...], ...],
"deleted": [0-based index, ...]}]}.
Values in both directions: C and M as text (trailing blanks removed), N, F, I, B and Y
as numbers, L as true, false or null, D as "yyyymmdd" or null.
"""
import datetime
import decimal
import json
import sys

import dbf


def to_table(value, field_type):
    if value is None:
        return None
    if field_type == 'D':
        return datetime.date(int(value[0:4]), int(value[4:6]), int(value[6:8]))
    if field_type == 'Y':
        return decimal.Decimal(str(value))
    return value


def from_table(value, field_type):
    if value is None:
        return None
    if field_type in ('C', 'M'):
        return value.rstrip(' ')
    if field_type == 'D':
        return value.strftime('%Y%m%d')
    if isinstance(value, decimal.Decimal):
        return float(value)
    return value


def field_types(table):
    return [chr(table.field_info(name)[0]) for name in table.field_names]


def write(tables_path):
    with open(tables_path, encoding='utf-8') as f:
        listing = json.load(f)
    for t in listing['tables']:
        table = dbf.Table(t['path'], t['fields'], dbf_type=t['type'])
        table.open(dbf.READ_WRITE)
        types = field_types(table)
        for row in t['records']:
            table.append(tuple(to_table(v, types[i]) for i, v in enumerate(row)))
        for i in t.get('deleted', []):
            dbf.delete(table[i])
        table.close()


def dump(path):
    table = dbf.Table(path)
    table.open(dbf.READ_ONLY)
    types = field_types(table)
    out = {
        'fields': [{'name': name.upper(), 'type': types[i],
                    'length': table.field_info(name)[1],
                    'decimals': table.field_info(name)[2]}
                   for i, name in enumerate(table.field_names)],
        'records': [{'deleted': bool(dbf.is_deleted(r)),
                     'values': [from_table(v, types[i]) for i, v in enumerate(r)]}
                    for r in table],
    }
    table.close()
    json.dump(out, sys.stdout)


if __name__ == '__main__':
    if len(sys.argv) != 3 or sys.argv[1] not in ('write', 'dump'):
        sys.exit(__doc__)
    (write if sys.argv[1] == 'write' else dump)(sys.argv[2])
