#!/usr/bin/env python3
"""Reads a workbook with openpyxl, a reader of its own, and prints what a
spreadsheet program sees in it:

    sheet <title>
    freeze <cell>
    filter <range>
    width <column letter> <width>      (each column given a width)
    cell <coordinate> <type> <number format> <value>

Types are openpyxl's: s text, n number, d date, f formula, b boolean.
Exit code 77 when openpyxl is not installed (the test skips)."""

import sys

try:
    import openpyxl
except ImportError:
    sys.exit(77)

book = openpyxl.load_workbook(sys.argv[1])
sheet = book.worksheets[0]
print("sheet", sheet.title)
print("freeze", sheet.freeze_panes)
print("filter", sheet.auto_filter.ref)
for letter, dimension in sorted(sheet.column_dimensions.items()):
    if dimension.width:
        print("width", letter, round(dimension.width, 2))
for row in sheet.iter_rows():
    for cell in row:
        if cell.value is None:
            continue
        value = cell.value
        if cell.data_type == "d":
            value = value.strftime("%Y-%m-%d")
        print("cell", cell.coordinate, cell.data_type, cell.number_format,
              str(value).replace("\n", "\\n"))
