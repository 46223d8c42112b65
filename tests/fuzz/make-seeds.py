#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora (seeds/<target>/) from the project's own
data: small copies of the shipped directory files, a SOUN table of a few records,
the bank's two rate layouts, and documents built from the export tests' JSON.

Usage: make-seeds.py QARV-CLI
"""
import glob
import os
import re
import shutil
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, "..", ".."))
SEEDS = os.path.join(HERE, "seeds")


def folder(target):
    path = os.path.join(SEEDS, target)
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path


def write(target, name, data):
    with open(os.path.join(SEEDS, target, name), "wb") as f:
        f.write(data)


# Documents and JSON: the export tests' declarations.
for t in ("document", "json", "whole"):
    folder(t)
for src in sorted(glob.glob(os.path.join(ROOT, "tests/export/data/*.json"))):
    name = os.path.splitext(os.path.basename(src))[0]
    data = open(src, "rb").read()
    write("json", name + ".json", data)
    write("whole", name + ".json", data)
    out = os.path.join(SEEDS, "document", name + ".dc1")
    subprocess.run([sys.argv[1], "build", src, out], check=True)

# Directory files: the head of each shipped file, closed again.
for target, name, item in (("inspections", "InspectionNumbers.xml", "Inspection"),
                           ("countries", "Oksm.xml", "Country"),
                           ("okved", "Sp_OKVED2.xml", "Okved"),
                           ("currency_rates", "CurrencyRates.xml", "Currency")):
    folder(target)
    text = open(os.path.join(ROOT, "data", name), "rb").read()
    root = re.search(rb"<(\w+)[ >]", text[text.index(b"?>") + 2:]).group(1)
    items = [m.end() for m in re.finditer(rb"</%s>|<%s [^>]*/>" % (item.encode(), item.encode()), text)]
    cut = items[min(12, len(items) - 1)] if items else len(text)
    write(target, name, text[:cut] + b"\n</" + root + b">\n")

# A SOUN table: a header and three records (one taken, one a department, one closed).
folder("soun")
def record(code, name, open_flag=b"1"):
    r = bytearray(b" " * 1194)
    r[1:5] = code
    encoded = name.encode("cp866")
    r[161:161 + len(encoded)] = encoded
    r[411:412] = open_flag
    return bytes(r)
records = record(b"7701", "ИФНС России № 1 по г. Москве") + record(b"7700", "УФНС") + \
    record(b"5001", "ИФНС по г. Балашихе", b"0")
head = bytearray(32)
head[0] = 3
head[4:8] = struct.pack("<I", 3)
head[8:10] = struct.pack("<H", 32)
head[10:12] = struct.pack("<H", 1194)
write("soun", "soun1.dbf", bytes(head) + records + b"\x1a")

# The bank's daily list and a period of one currency.
folder("rates")
write("rates", "daily.xml",
      '<?xml version="1.0" encoding="windows-1251"?><ValCurs Date="11.01.2011" '
      'name="Foreign Currency Market"><Valute ID="R01235"><NumCode>840</NumCode>'
      '<CharCode>USD</CharCode><Nominal>1</Nominal><Name>Доллар США</Name>'
      '<Value>30,3505</Value></Valute><Valute ID="R01239"><NumCode>978</NumCode>'
      '<CharCode>EUR</CharCode><Nominal>1</Nominal><Name>Евро</Name><Value>40,3355</Value>'
      '</Valute></ValCurs>'.encode("cp1251"))
write("rates", "period.xml",
      b'<?xml version="1.0" encoding="windows-1251"?><ValCurs ID="R01235" '
      b'DateRange1="01.01.2011" DateRange2="31.01.2011" name="Foreign Currency Market Dynamic">'
      b'<Record Date="11.01.2011" Id="R01235"><Nominal>1</Nominal><Value>30,3505</Value></Record>'
      b'<Record Date="12.01.2011" Id="R01235"><Nominal>1</Nominal><Value>30,4278</Value></Record>'
      b'</ValCurs>')
print("seeds written")
