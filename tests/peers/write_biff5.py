# Writes an Excel 5.0/95 (BIFF5) Workbook stream, from the published
# record layouts, with texts as bytes in a code page:
#  write_biff5.py OUT.stream CODEPAGE   (0: no CODEPAGE record, Windows-1252)
# Two sheets; the first holds LABEL, RSTRING, NUMBER, RK, MULRK, FORMULA with
# a text result and its STRING, FORMULA with a number and BOOLERR cells. Wrap
# the result in a compound file as its "Book" stream with `gsf createole`.
import struct
import sys

TEXTS = {
    0: ("Preise", "Caf\u00e9 \u20ac \u0152", "R\u00e9sum\u00e9", "\u00c9meraude"),
    1251: ("\u041f\u0440\u0430\u0439\u0441", "\u0418\u0437\u0443\u043c\u0440\u0443\u0434 \u20ac \u2116",
           "\u041e\u0432\u0430\u043b", "\u041a\u0440\u0443\u0433"),
}


def record(kind, data):
    return struct.pack("<HH", kind, len(data)) + data


def bof(kind):
    return record(0x0809, struct.pack("<HHHH", 0x0500, kind, 0x0DBB, 0x07CC))


def main():
    target, code_page = sys.argv[1], int(sys.argv[2])
    encoding = "cp%d" % (code_page or 1252)
    sheet_name, label, rich, other_name = TEXTS[code_page]
    enc = lambda text: text.encode(encoding)
    cell = lambda r, c: struct.pack("<HHH", r, c, 15)

    sheet = bof(0x10)
    sheet += record(0x0200, struct.pack("<HHHHH", 0, 5, 0, 3, 0))
    sheet += record(0x0204, cell(0, 0) + struct.pack("<H", len(enc(label))) + enc(label))
    sheet += record(0x00D6, cell(0, 1) + struct.pack("<H", len(enc(rich))) + enc(rich)
                    + bytes([1, 2, 1]))
    sheet += record(0x0203, cell(1, 0) + struct.pack("<d", 1234.5))
    sheet += record(0x027E, cell(1, 1) + struct.pack("<I", (17 << 2) | 2))
    sheet += record(0x00BD, struct.pack("<HH", 2, 0)
                    + b"".join(struct.pack("<HI", 15, (n << 2) | 2) for n in (1, 2, 3))
                    + struct.pack("<H", 2))
    token = bytes([0x1E]) + struct.pack("<H", 7)  # tInt 7
    text_result = bytes([0, 0, 0, 0, 0, 0, 0xFF, 0xFF])
    sheet += record(0x0006, cell(3, 0) + text_result + struct.pack("<HIH", 0, 0, 3) + token)
    sheet += record(0x0207, struct.pack("<H", len(enc(label))) + enc(label))
    sheet += record(0x0006, cell(3, 1) + struct.pack("<d", 2469) + struct.pack("<HIH", 0, 0, 3) + token)
    sheet += record(0x0205, cell(4, 0) + bytes([1, 0]))
    sheet += record(0x000A, b"")
    second = bof(0x10) + record(0x0200, struct.pack("<HHHHH", 0, 1, 0, 1, 0))
    second += record(0x0203, cell(0, 0) + struct.pack("<d", 2.5)) + record(0x000A, b"")

    def globals_part(first, second_at):
        out = bof(0x05)
        if code_page:
            out += record(0x0042, struct.pack("<H", code_page))
        out += record(0x003D, struct.pack("<HHHHHHHHH", 0, 0, 0x2000, 0x1000, 0x38, 0, 0, 1, 0x258))
        for at, name in ((first, sheet_name), (second_at, other_name)):
            out += record(0x0085, struct.pack("<IBBB", at, 0, 0, len(enc(name))) + enc(name))
        return out + record(0x000A, b"")

    size = len(globals_part(0, 0))
    stream = globals_part(size, size + len(sheet)) + sheet + second
    open(target, "wb").write(stream)


main()
