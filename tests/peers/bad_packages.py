# Writes damaged and hostile .xlsx and .ods workbooks into a folder, one
# for every reason the readers refuse a file, and one whose empty repeats a
# reader must take at no cost.
#    bad_packages.py FOLDER
import os, struct, sys, zipfile

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
RELS = "http://schemas.openxmlformats.org/package/2006/relationships"
DOC = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"


def xlsx(path, sheet='<sheetData><row r="1"><c r="A1"><v>1</v></c></row></sheetData>', drop=()):
    parts = {
        "[Content_Types].xml": '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>',
        "_rels/.rels": '<Relationships xmlns="%s"><Relationship Id="r1" Type="%s/officeDocument" Target="xl/workbook.xml"/></Relationships>' % (RELS, DOC),
        "xl/workbook.xml": '<workbook xmlns="%s" xmlns:r="%s"><sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>' % (MAIN, DOC),
        "xl/_rels/workbook.xml.rels": '<Relationships xmlns="%s"><Relationship Id="rId1" Type="%s/worksheet" Target="worksheets/sheet1.xml"/></Relationships>' % (RELS, DOC),
        "xl/worksheets/sheet1.xml": sheet if sheet.startswith("<!") else '<worksheet xmlns="%s">%s</worksheet>' % (MAIN, sheet),
    }
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in parts.items():
            if name not in drop:
                z.writestr(name, data)


def ods(path, rows):
    content = ('<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
               'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
               'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body>'
               '<office:spreadsheet><table:table table:name="S">%s</table:table>'
               '</office:spreadsheet></office:body></office:document-content>' % rows)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr(zipfile.ZipInfo("mimetype"), "application/vnd.oasis.opendocument.spreadsheet")
        z.writestr("content.xml", content)


# Makes the central directory say `part` unpacks to `size` bytes.
def declare_size(path, part, size):
    data = bytearray(open(path, "rb").read())
    # The central directory names the part last, 46 bytes after its entry.
    struct.pack_into("<I", data, data.rfind(part.encode()) - 46 + 24, size)
    open(path, "wb").write(bytes(data))


os.makedirs(sys.argv[1], exist_ok=True)
os.chdir(sys.argv[1])
open("damaged.xlsx", "wb").write(b"PK\x03\x04" + b"\x00" * 200)
for name, size in (("unpacks-too-big.xlsx", 600 << 20), ("packed-too-tight.xlsx", 4 << 20)):
    xlsx(name)
    declare_size(name, "xl/worksheets/sheet1.xml", size)
xlsx("missing-part.xlsx", drop=("xl/worksheets/sheet1.xml",))
xlsx("malformed.xlsx", sheet="<sheetData><row>")
xlsx("dtd.xlsx", sheet='<!DOCTYPE worksheet [<!ENTITY a "aaaa">]><worksheet xmlns="%s"><sheetData/></worksheet>' % MAIN)
xlsx("external-entity.xlsx", sheet='<!DOCTYPE worksheet [<!ENTITY e SYSTEM "file:///etc/passwd">]><worksheet xmlns="%s"><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>&e;</t></is></c></row></sheetData></worksheet>' % MAIN)
xlsx("too-deep.xlsx", sheet="<sheetData>" + "<x>" * 100 + "</x>" * 100 + "</sheetData>")
cell = '<table:table-cell office:value-type="float" office:value="1"/>'
ods("rows-repeated.ods", '<table:table-row table:number-rows-repeated="70000">%s</table:table-row>' % cell)
ods("columns-repeated.ods", '<table:table-row><table:table-cell table:number-columns-repeated="300" office:value-type="float" office:value="1"/></table:table-row>')
# As LibreOffice ends every sheet: empty cells and rows to its last.
ods("empty-repeats.ods",
    '<table:table-row>%s<table:table-cell table:number-columns-repeated="16383"/></table:table-row>'
    '<table:table-row table:number-rows-repeated="1048575"><table:table-cell table:number-columns-repeated="16384"/></table:table-row>' % cell)

