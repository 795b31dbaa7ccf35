"""Prints every record of a table as read by an independent xBase reader.

One line per record: "L" (live) or "D" (deleted), the DATE field, and the
ENTRY memo as hex bytes ("-" when the record has no memo). Memos of a type
the reader does not take for text come as raw bytes, text memos decoded.
"""
import sys

from dbfread import DBF

table = DBF(sys.argv[1], load=True, encoding=None)
encoding = table.encoding


def describe(mark, record):
    entry = record["ENTRY"]
    if entry is None:
        memo = "-"
    elif isinstance(entry, bytes):
        memo = entry.hex()
    else:
        memo = entry.encode(encoding).hex()
    return "{} {} {}".format(mark, record["DATE"].rstrip() or "_", memo)


for record in table.records:
    print(describe("L", record))
for record in table.deleted:
    print(describe("D", record))
