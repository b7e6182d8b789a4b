# Writes an Excel 5.0/95 (BIFF5) Workbook stream, from the published
# record layouts, with texts as bytes in a code page:
#  write_biff5.py OUT.stream CODEPAGE   (0: no CODEPAGE record, Windows-1252)
# Two sheets; the first holds LABEL, RSTRING, NUMBER, RK, MULRK, FORMULA with
# a text result and its STRING, FORMULA with a number and BOOLERR cells. Wrap
# the result in a compound file as its "Book" stream with `gsf createole`.
import struct, sys

TEXTS = {
    0: ("Preise", "Caf\u00e9 \u20ac \u0152", "R\u00e9sum\u00e9", "\u00c9meraude"),
    1251: ("\u041f\u0440\u0430\u0439\u0441",
           "\u0418\u0437\u0443\u043c\u0440\u0443\u0434 \u20ac \u2116",
           "\u041e\u0432\u0430\u043b", "\u041a\u0440\u0443\u0433"),
}
target, code_page = sys.argv[1], int(sys.argv[2])
sheet_name, label, rich, other_name = TEXTS[code_page]


def record(kind, *parts):
    data = b"".join(parts)
    return struct.pack("<HH", kind, len(data)) + data


def text(value, length_format="<H"):
    data = value.encode("cp%d" % (code_page or 1252))
    return struct.pack(length_format, len(data)) + data


def cell(r, c):
    return struct.pack("<HHH", r, c, 15)


BOF, EOF = record(0x0809, struct.pack("<HHHH", 0x0500, 0x10, 0x0DBB, 0x07CC)), record(0x000A)
token = bytes([0x1E]) + struct.pack("<H", 7)  # tInt 7
formula = struct.pack("<HIH", 0, 0, 3) + token
sheet = (BOF + record(0x0200, struct.pack("<HHHHH", 0, 5, 0, 3, 0))
         + record(0x0204, cell(0, 0), text(label))
         + record(0x00D6, cell(0, 1), text(rich), bytes([1, 2, 1]))
         + record(0x0203, cell(1, 0), struct.pack("<d", 1234.5))
         + record(0x027E, cell(1, 1), struct.pack("<I", (17 << 2) | 2))
         + record(0x00BD, struct.pack("<HH", 2, 0),
                  *(struct.pack("<HI", 15, (n << 2) | 2) for n in (1, 2, 3)), struct.pack("<H", 2))
         + record(0x0006, cell(3, 0), bytes([0, 0, 0, 0, 0, 0, 0xFF, 0xFF]), formula)
         + record(0x0207, text(label))
         + record(0x0006, cell(3, 1), struct.pack("<d", 2469), formula)
         + record(0x0205, cell(4, 0), bytes([1, 0])) + EOF)
second = (BOF + record(0x0200, struct.pack("<HHHHH", 0, 1, 0, 1, 0))
          + record(0x0203, cell(0, 0), struct.pack("<d", 2.5)) + EOF)


def globals_part(first, second_at):
    out = record(0x0809, struct.pack("<HHHH", 0x0500, 0x05, 0x0DBB, 0x07CC))
    if code_page:
        out += record(0x0042, struct.pack("<H", code_page))
    out += record(0x003D, struct.pack("<HHHHHHHHH", 0, 0, 0x2000, 0x1000, 0x38, 0, 0, 1, 0x258))
    for at, name in ((first, sheet_name), (second_at, other_name)):
        out += record(0x0085, struct.pack("<IBB", at, 0, 0), text(name, "<B"))
    return out + EOF


size = len(globals_part(0, 0))
open(target, "wb").write(globals_part(size, size + len(sheet)) + sheet + second)
