#!/usr/bin/env python3
"""Writes the corpus of damaged and hostile files and its index.

Usage: make-corpus.py QARV-CLI   (run from anywhere; writes beside this script)

The base document is built from the export tests' resident declaration by the
given qarv-cli; every damaged file is that document, a JSON declaration, a
directory file, a SOUN table or a bank rate file with one fault put in. The
index (index.tsv) names each file, how it is read and the message the user
must see; the test reads the index, not this script.
"""
import json
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, "..", "..", ".."))
rows = []


def put(name, kind, message, data):
    mode = "wb" if isinstance(data, bytes) else "w"
    with open(os.path.join(HERE, name), mode) as f:
        f.write(data)
    rows.append((name, kind, message))


def cp(text):
    return text.encode("cp1251")


# --- document files -------------------------------------------------------
BAD = "Неправильный формат файла декларации, возможно он поврежден."
NO_STREAM = "Попытка открытия несуществующего потока"

with tempfile.TemporaryDirectory() as tmp:
    base_path = os.path.join(tmp, "base.dc1")
    subprocess.run([sys.argv[1], "build",
                    os.path.join(ROOT, "tests/export/data/resident_full.json"), base_path],
                   check=True)
    base = open(base_path, "rb").read()

HEADER = base[:60]


def frames(data):
    out, i = [], 60
    while i < len(data):
        n = int(data[i:i + 4])
        out.append(data[i + 4:i + 4 + n])
        i += 4 + n
    return out


def join(fs, header=HEADER):
    return header + b"".join(b"%04d" % len(f) + f for f in fs)


F = frames(base)


def after(marker, k=1):
    """Index of the k-th value after a marker."""
    return F.index(marker) + k


def with_value(marker, k, value):
    fs = list(F)
    fs[after(marker, k)] = value
    return join(fs)


# An empty file cannot be mapped at all.
put("doc-empty.dc1", "document", "Создаваемый фаил отображения не может быть нулевой длины.", b"")
put("doc-header-only.dc1", "document", NO_STREAM, HEADER)
put("doc-short-header.dc1", "document", BAD, HEADER[:30])
put("doc-wrong-magic.dc1", "document", BAD, b"DLSH" + base[4:])
put("doc-other-signature.dc1", "document", BAD,
    b"DLSG" + b"SomethingElse".rjust(20) + base[24:])
put("doc-version-letters.dc1", "document", BAD, base[:24] + b"0a02" + base[28:])
put("doc-version-sign.dc1", "document", BAD, base[:24] + b"-102" + base[28:])
# The length of the first value after "@DeclInfo" (the inspection code).
first_value = 60 + 4 + len(F[0])
assert base[first_value:first_value + 8] == b"00047701"
put("doc-length-letters.dc1", "document", BAD,
    base[:first_value] + b"00x4" + base[first_value + 4:])
put("doc-length-sign.dc1", "document", BAD,
    base[:first_value] + b"-004" + base[first_value + 4:])
put("doc-length-past-end.dc1", "document", BAD,
    join(F[:-1]) + b"9999" + F[-1])
# A damaged marker's own length: the plain search still finds every stream, and
# the values behind it are whole, so the document loads as it was.
put("doc-marker-length-letters.dc1", "document", "", base[:60] + b"00x9" + base[64:])
put("doc-trailing-zeros.dc1", "document", "", base + b"\0" * 300)
put("doc-truncated-in-frame.dc1", "document", BAD, base[:len(base) // 2])
put("doc-truncated-in-length.dc1", "document", BAD,
    base[:60 + 4 + len(F[0]) + 2])
put("doc-missing-declinfo.dc1", "document", NO_STREAM,
    join([b"@DeclInfx" if f == b"@DeclInfo" else f for f in F]))
put("doc-missing-person.dc1", "document", NO_STREAM,
    join([b"@PersonNamf" if f == b"@PersonName" else f for f in F]))
put("doc-missing-last-stream.dc1", "document", NO_STREAM,
    join(F[:F.index(b"@Nalog")]))
# The count of 13 % payers (the first value of its stream) changed.
put("doc-count-larger.dc1", "document", NO_STREAM, with_value(b"@DeclInquiry", 1, b"3"))
put("doc-count-largest.dc1", "document", NO_STREAM, with_value(b"@DeclInquiry", 1, b"65535"))
# "-1" is read as the largest count, 65535.
put("doc-count-negative.dc1", "document", NO_STREAM, with_value(b"@DeclInquiry", 1, b"-1"))
put("doc-count-huge.dc1", "document", BAD, with_value(b"@DeclInquiry", 1, b"99999999999999999999"))
put("doc-count-empty.dc1", "document", BAD, with_value(b"@DeclInquiry", 1, b""))

# DeclInfo values by position: 3 the pensioner flag, 4 correction number,
# 5 signing date, 8 form kind, 22 expected income.
put("doc-money-letters.dc1", "document", BAD, with_value(b"@DeclInfo", 22, b"12x5"))
put("doc-money-two-points.dc1", "document", BAD, with_value(b"@DeclInfo", 22, b"1.2.3"))
put("doc-money-too-large.dc1", "document", BAD,
    with_value(b"@DeclInfo", 22, b"922337203685477.5808"))
put("doc-money-largest.dc1", "document", "",
    with_value(b"@DeclInfo", 22, b"922337203685477.5807"))
put("doc-date-letters.dc1", "document", BAD, with_value(b"@DeclInfo", 5, b"tomorrow"))
put("doc-date-empty.dc1", "document", BAD, with_value(b"@DeclInfo", 5, b""))
put("doc-int-letters.dc1", "document", BAD, with_value(b"@DeclInfo", 4, b"1a"))
put("doc-form-kind-3.dc1", "document", BAD, with_value(b"@DeclInfo", 8, b"3"))
put("doc-int-overflow.dc1", "document", BAD, with_value(b"@DeclInfo", 4, b"99999999999"))
put("doc-int16-overflow.dc1", "document", BAD, with_value(b"@DeclInfo", 8, b"65536"))
put("doc-byte-overflow.dc1", "document", BAD, with_value(b"@DeclInfo", 3, b"256"))
put("doc-nul-in-text.dc1", "document", BAD,
    with_value(b"@PersonName", 1, b"\xc8\xe2\0\xe0\xed\xee\xe2"))
put("doc-nul-in-length.dc1", "document", BAD,
    base[:first_value] + b"00\0" + b"4" + base[first_value + 4:])
put("doc-undefined-byte.dc1", "document", BAD,
    with_value(b"@PersonName", 1, b"\xc8\x98\xe0"))
put("doc-repeated-stream.dc1", "document", "",
    join(F[:F.index(b"@Nalog")] + [b"@DeclInfo"] + F[F.index(b"@Nalog"):]))
# A text as long as a frame holds, in the surname.
put("doc-longest-text.dc1", "document", "", with_value(b"@PersonName", 1, b"\xc0" * 9999))
# Every frame claims the whole rest of the file.
put("doc-all-lengths-9999.dc1", "document", BAD,
    HEADER + b"".join(b"9999" + f for f in F))
# An older edition's file whose declarant is cut short.
old = b"DLSG" + b"Qarv2009".rjust(20) + b"0101" + b"F" * 32
old += b"0009@DeclInfo" + b"00047701"
put("doc-old-edition-cut.dc9", "document", NO_STREAM, old)
# An edition the program does not know is read as the oldest layout.
put("doc-unknown-edition-cut.dc9", "document", NO_STREAM,
    b"DLSG" + b"Qarv1999".rjust(20) + b"0101" + b"F" * 32 + b"0009@DeclInfo")
# A folder named like a document (kept in git by a file inside it).
os.makedirs(os.path.join(HERE, "doc-folder.dc1"), exist_ok=True)
with open(os.path.join(HERE, "doc-folder.dc1", "keep"), "w") as f:
    f.write("A folder named like a document.\n")
rows.append(("doc-folder.dc1", "document", "Ошибка чтения файла: {path}"))
# A whole document that another process holds locked while the test runs.
put("doc-locked.dc1", "document-locked", "Возможно он занят, или с признаком 'read only'", base)

# --- the JSON form ---------------------------------------------------------
good = json.load(open(os.path.join(ROOT, "tests/export/data/resident_full.json"), encoding="utf-8"))


def changed(path, value):
    d = json.loads(json.dumps(good))
    node = d
    for key in path[:-1]:
        node = node[key]
    node[path[-1]] = value
    return json.dumps(d, ensure_ascii=False)


put("json-empty.json", "json", "", b"")
put("json-not-json.json", "json", "", "Это не JSON\n")
put("json-top-array.json", "json", "", "[1, 2, 3]\n")
put("json-truncated.json", "json", "", json.dumps(good, ensure_ascii=False)[:200])
put("json-utf16.json", "json", "", json.dumps(good, ensure_ascii=False).encode("utf-16"))
put("json-deep-nesting.json", "json", "", "[" * 100000 + "]" * 100000)
put("json-unknown-key.json", "json", "unknown key", changed(["surprise"], 1))
put("json-surname-number.json", "json", "person.surname: expected", changed(["person", "surname"], 5))
put("json-money-letters.json", "json", "expectedIncome: expected", changed(["expectedIncome"], "12x"))
put("json-money-too-large.json", "json", "expectedIncome: expected",
    changed(["expectedIncome"], "922337203685477.5808"))
put("json-income-flags-99.json", "json", "incomeFlags: expected an integer from 0 to 15",
    changed(["incomeFlags"], 99))
put("json-form-kind-3.json", "json", "formKind: expected an integer from 0 to 2",
    changed(["formKind"], 3))
put("json-text-10000.json", "json", "Текст длиннее 9999 символов не может быть сохранен",
    changed(["person", "surname"], "Ж" * 10000))
put("json-text-not-cp1251.json", "json", "в тексте", changed(["person", "surname"], "Иванов 日本"))
put("json-text-nul.json", "json", "в тексте", changed(["person", "surname"], "Ив\u0000анов"))

# --- directory files -------------------------------------------------------
# The inspections file that does not parse stops the program with this message;
# the other three are then simply absent.
put("dir-inspections-unclosed.xml", "inspections", "{language}",
    cp('<?xml version="1.0" encoding="windows-1251"?><Inspections>'
       '<Inspection Code="7701">ИФНС</Inspections>'))
put("dir-inspections-binary.xml", "inspections", "{language}", b"\x00\x01\x02 not xml")
put("dir-inspections-empty.xml", "inspections", "{language}", b"")
put("dir-inspections-bad-encoding.xml", "inspections", "{language}",
    b'<?xml version="1.0" encoding="no-such-encoding"?><Inspections/>')
put("dir-countries-not-xml.xml", "countries", "(absent)", "Страны\n")
put("dir-countries-truncated.xml", "countries", "(absent)",
    cp('<?xml version="1.0" encoding="windows-1251"?><Countries><Country Code="004">Афг'))
put("dir-okved-not-xml.xml", "okved", "(absent)", b"<<<>>>")
put("dir-okved-entity-bomb.xml", "okved", "(absent)",
    b'<?xml version="1.0"?><!DOCTYPE a [<!ENTITY a "aaaaaaaaaa">'
    b'<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">'
    b'<!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;"><!ENTITY e "&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;">'
    b'<!ENTITY f "&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;"><!ENTITY g "&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;">]>'
    b'<OKVED><Okved GRUP="1" Kod="01" Name="&g;" OKVED="01"/></OKVED')
put("dir-rates-not-xml.xml", "currency-rates", "(absent)", b"\xff\xfe\x00garbage")
put("dir-rates-truncated.xml", "currency-rates", "(absent)",
    b'<?xml version="1.0" encoding="windows-1251"?><CurrencyRates><Currency Code="840"')

# --- the SOUN table --------------------------------------------------------
RECORD = 1194


def dbf(count, record_length=RECORD, header_length=32, records=b""):
    head = bytearray(32)
    head[0] = 3
    head[4:8] = struct.pack("<I", count)
    head[8:10] = struct.pack("<H", header_length)
    head[10:12] = struct.pack("<H", record_length)
    return bytes(head) + records


def record(code):
    r = bytearray(b" " * RECORD)
    r[1:5] = code
    r[161:161 + 8] = "ИФНС № 1".encode("cp866")
    r[411:412] = b"1"
    return bytes(r)


READ = "Error read file:{path}"
put("soun-empty.dbf", "soun", READ, b"")
put("soun-header-cut.dbf", "soun", READ, dbf(1)[:20])
put("soun-other-layout.dbf", "soun", "Неизвестный формат файла {path}", dbf(1, record_length=100))
put("soun-header-past-end.dbf", "soun", "не найдено ни одной инспекции", dbf(1, header_length=60000))
put("soun-record-cut.dbf", "soun", READ, dbf(1, records=record(b"7701")[:500]))
put("soun-no-inspection.dbf", "soun", "не найдено ни одной инспекции",
    dbf(1, records=record(b"7700")))
put("soun-count-huge-no-records.dbf", "soun", "не найдено ни одной инспекции",
    dbf(0xFFFFFFFF))
put("soun-text.dbf", "soun", "Неизвестный формат файла {path}", "Это текст, а не таблица СОУН\n" * 3)

# --- the bank's rate files -------------------------------------------------
def daily(valutes, date="11.01.2011"):
    return cp('<?xml version="1.0" encoding="windows-1251"?>'
              '<ValCurs Date="%s" name="Foreign Currency Market">%s</ValCurs>' % (date, valutes))


def valute(value="30,3505", nominal="1", code="840"):
    return ('<Valute ID="R01235"><NumCode>%s</NumCode><CharCode>USD</CharCode>'
            '<Nominal>%s</Nominal><Name>Доллар США</Name><Value>%s</Value></Valute>'
            % (code, nominal, value))


put("bank-empty.xml", "bank-rates", "{name}: ", b"")
put("bank-not-xml.xml", "bank-rates", "{name}: ", "курсы валют\n")
put("bank-other-root.xml", "bank-rates", "{name}: нет элемента ValCurs",
    cp('<?xml version="1.0" encoding="windows-1251"?><Rates/>'))
put("bank-no-rates.xml", "bank-rates", "{name}: курсов в файле нет", daily(""))
put("bank-rate-letters.xml", "bank-rates", "{name}: неверная запись курса", daily(valute("abc")))
put("bank-rate-five-decimals.xml", "bank-rates", "{name}: неверная запись курса",
    daily(valute("30,35051")))
put("bank-rate-negative.xml", "bank-rates", "{name}: неверная запись курса", daily(valute("-1")))
put("bank-nominal-zero.xml", "bank-rates", "{name}: неверная запись курса",
    daily(valute(nominal="0")))
put("bank-date-impossible.xml", "bank-rates", "{name}: неверная запись курса",
    daily(valute(), date="32.13.2011"))
put("bank-period-unknown.xml", "bank-rates", "Неизвестная валюта",
    cp('<?xml version="1.0" encoding="windows-1251"?><ValCurs ID="R09999" DateRange1="01.01.2011"'
       ' DateRange2="31.01.2011" name="Foreign Currency Market Dynamic">'
       '<Record Date="11.01.2011" Id="R09999"><Nominal>1</Nominal><Value>30,3505</Value>'
       '</Record></ValCurs>'))

with open(os.path.join(HERE, "index.tsv"), "w", encoding="utf-8") as f:
    f.write("# file\thow it is read\twhat the user must see (empty: loads; (absent): the "
            "directory is left out; {path}/{name}: the file; {language}: the inspections "
            "message)\n")
    for name, kind, message in rows:
        f.write("%s\t%s\t%s\n" % (name, kind, message))
print(len(rows), "files")
