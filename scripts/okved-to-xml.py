#!/usr/bin/env python3
"""Builds data/Sp_OKVED2.xml from the OKVED classifier table.

Input: UTF-8 lines CODE<TAB>NAME; lines starting with '#' are comments.
Output: windows-1251 XML, one <Okved> per code in input order, GRUP the level
by the code's depth (01 -> 1, 01.1 -> 2, 01.11 -> 3, 01.11.1 -> 4,
01.11.11 -> 5), Kod the code itself (a child's code begins with its parent's),
OKVED the code. The output depends on the input only, so rebuilding an
unchanged table gives the same bytes.

Usage: okved-to-xml.py INPUT.tsv OUTPUT.xml
"""
import re
import sys
from xml.sax.saxutils import quoteattr

CODE = re.compile(r"(\d\d)(?:\.(\d{1,2})(?:\.(\d{1,2}))?)?")


def level(code):
    m = CODE.fullmatch(code)
    if not m:
        raise ValueError(f"not an OKVED code: {code!r}")
    if m.group(2) is None:
        return 1
    if m.group(3) is None:
        return 1 + len(m.group(2))
    if len(m.group(2)) != 2:
        raise ValueError(f"a subgroup below a subclass: {code!r}")
    return 3 + len(m.group(3))


def parent(code):
    head, _, tail = code.rpartition(".")
    if not head:
        return None
    return head if len(tail) == 1 else head + "." + tail[0]


def main(src, dst):
    rows = []
    seen = set()
    with open(src, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = line.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            code, sep, name = line.partition("\t")
            code, name = code.strip(), " ".join(name.split())
            if not sep or not name:
                raise ValueError(f"line {n}: no name")
            lvl = level(code)
            if code in seen:
                raise ValueError(f"line {n}: {code} twice")
            up = parent(code)
            if up is not None and up not in seen:
                raise ValueError(f"line {n}: {code} before its parent {up}")
            seen.add(code)
            rows.append((lvl, code, name))
    classes = sum(1 for r in rows if r[0] == 1)
    content = (f"ОКВЭД (ОК 029-2001), действующий в 2011 году: {len(rows)} кодов, "
               f"{classes} классов; GRUP - уровень кода от 1 (класс) до 5 (вид)")
    lines = ['<?xml version="1.0" encoding="windows-1251"?>',
             f"<OKVED Content={quoteattr(content)} Count=\"{len(rows)}\">"]
    for lvl, code, name in rows:
        lines.append(f'  <Okved GRUP="{lvl}" Kod="{code}" Name={quoteattr(name)} OKVED="{code}"/>')
    lines.append("</OKVED>")
    data = ("\r\n".join(lines) + "\r\n").encode("cp1251")
    with open(dst, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    try:
        main(sys.argv[1], sys.argv[2])
    except (ValueError, UnicodeEncodeError, OSError) as e:
        sys.exit(f"okved-to-xml: {e}")
