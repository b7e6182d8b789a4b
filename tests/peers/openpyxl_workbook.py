# Writes an .xlsx workbook with python3-openpyxl and prints what openpyxl
# reads from it (read-only, cached values), one line per sheet and per
# non-empty cell, in the line format of xlrd_dump.py.
#
# openpyxl writes texts as inline strings, numbers to 16 digits and formulas
# without their values, so some cells are then written over by hand as Excel
# writes them: the first row as shared strings (one of them rich-text runs
# with a phonetic hint that is no part of the text), rich inline text,
# formulas with cached values, errors and numbers that need 17 digits.
#    openpyxl_workbook.py OUT.xlsx
import re, sys, zipfile

import openpyxl.chart

from xlrd_dump import escape, number

NUMBERS = [0.1, -2.5, 17, 0.30000000000000004, 1e-300, 5e-324,
           1.5e308, 1.25e17, 12345.678901234567,
           1e21, -0.0001234, 2.5e18]
PLACED = {
    "777001": '<c r="{r}" t="inlineStr"><is><t>inline text</t></is></c>',
    "777002": ('<c r="{r}" t="inlineStr"><is><r><rPr><b/></rPr><t>bold</t></r>'
               '<r><t xml:space="preserve"> and plain</t></r>'
               '<rPh sb="0" eb="1"><t>HINT</t></rPh></is></c>'),
    "777003": '<c r="{r}"><f>B1*2</f><v>0.2</v></c>',
    "777004": '<c r="{r}" t="str"><f>"a"&amp;"b"</f><v>ab</v></c>',
    "777005": '<c r="{r}" t="e"><f>1/0</f><v>#DIV/0!</v></c>',
    "777006": '<c r="{r}" t="b"><f>TRUE()</f><v>1</v></c>',
    "777007": '<c r="{r}" t="e"><v>#N/A</v></c>',
    "777008": '<c r="{r}"><v>0.30000000000000004</v></c>',
    "777009": '<c r="{r}" s="0"><v>1.7976931348623157E+308</v></c>',
}
RICH_SHARED = ('<si><r><t>rich </t></r><r><rPr><i/></rPr><t>shared</t></r>'
               '<rPh sb="0" eb="1"><t>HINT</t></rPh></si>')
# Added before the given end of a part, to declare the shared strings.
DECLARED = {
    "xl/_rels/workbook.xml.rels": ("</Relationships>",
        '<Relationship Id="rIdStrings" Target="sharedStrings.xml" Type="http://'
        'schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings"/>'),
    "[Content_Types].xml": ("</Types>",
        '<Override PartName="/xl/sharedStrings.xml" ContentType="application/'
        'vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>'),
}


def write(path):
    book = openpyxl.Workbook()
    first = book.active
    first.title = "Prices \u20ac"
    first.append(["Round", "Caf\u00e9 \u20ac \u041e\u0432\u0430\u043b",
                  "RICHSHARED", "Round"])
    for i, n in enumerate(NUMBERS):
        first.cell(row=2 + i, column=2, value=n)
    first["D3"], first["D4"] = True, False
    for i, key in enumerate(sorted(PLACED)):
        first.cell(row=20 + i, column=3, value=int(key))
    second = book.create_sheet("Ov\u00e1l \u00d8 \u5149")
    second["E10"], second["A1"] = 2.5, "line one\nline two"
    chart = openpyxl.chart.BarChart()
    chart.add_data(openpyxl.chart.Reference(first, min_col=2, min_row=2,
                                            max_row=4))
    book.create_chartsheet("Chart 1").add_chart(chart)
    book.create_sheet("\u0422\u0440\u0435\u0442\u0438\u0439")
    book.save(path)

    # Over the placeholders, as Excel writes such cells.
    with zipfile.ZipFile(path) as z:
        parts = {n: z.read(n).decode() for n in z.namelist()}
    sheet = parts["xl/worksheets/sheet1.xml"]
    for key, cell in PLACED.items():
        sheet = re.sub(r'<c r="([A-Z]+\d+)" t="n"><v>%s</v></c>' % key,
                       lambda m: cell.format(r=m.group(1)), sheet)
    shared = []

    def share(m):
        if m.group(2) not in shared:
            shared.append(m.group(2))
        return '<c r="%s" t="s"><v>%d</v></c>' % (m.group(1),
                                                  shared.index(m.group(2)))
    parts["xl/worksheets/sheet1.xml"] = re.sub(
        r'<c r="([A-Z]+1)" t="inlineStr"><is><t>(.*?)</t></is></c>', share, sheet)
    items = "".join(RICH_SHARED if t == "RICHSHARED" else "<si><t>%s</t></si>" % t
                    for t in shared)
    parts["xl/sharedStrings.xml"] = (
        '<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
        ' uniqueCount="%d">%s</sst>' % (len(shared), items))
    for name, (end, text) in DECLARED.items():
        parts[name] = parts[name].replace(end, text + end)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in parts.items():
            z.writestr(name, data)


def shown(cell):
    if cell.data_type == "b":
        return "b\t" + ("TRUE" if cell.value else "FALSE")
    if cell.data_type == "e":
        return "e\t" + cell.value
    if isinstance(cell.value, str):
        return "s\t" + escape(cell.value)
    return "n\t" + number(cell.value)


write(sys.argv[1])
book = openpyxl.load_workbook(sys.argv[1], read_only=True, data_only=True)
out = []
for index, name in enumerate(book.sheetnames, 1):
    out.append("sheet\t%d\t%s" % (index, escape(name)))
    rows = getattr(book[name], "iter_rows", list)()  # none in a chart sheet
    out += ["%d\t%d\t%s" % (cell.row, cell.column, shown(cell))
            for row in rows for cell in row if cell.value is not None]
sys.stdout.write("\n".join(out) + "\n")
