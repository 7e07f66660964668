#!/usr/bin/env python3
"""Reads a CSV file with Python's own csv module, as a spreadsheet import would, and
prints its rows as one JSON list of lists (UTF-8). Exits 1 when the file is not valid
UTF-8 or the reader refuses it."""
import csv
import json
import sys

try:
    with open(sys.argv[1], newline="", encoding="utf-8") as handle:
        rows = list(csv.reader(handle, strict=True))
except (UnicodeDecodeError, csv.Error) as error:
    print(error, file=sys.stderr)
    sys.exit(1)
json.dump(rows, sys.stdout, ensure_ascii=False)
