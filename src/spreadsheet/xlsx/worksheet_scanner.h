#ifndef TARNWICK_SPREADSHEET_XLSX_WORKSHEET_SCANNER_H_
#define TARNWICK_SPREADSHEET_XLSX_WORKSHEET_SCANNER_H_

// A worksheet part holds most of a workbook's XML, and libxml2 costs more
// than everything else in reading it. Spreadsheet programs write it in a
// plain subset of XML, which this scanner reads itself: an XML declaration,
// elements, attributes in ' or " quotes, the five predefined entities,
// character references and whitespace, in UTF-8. It hands the handler the
// very nodes libxml2's SAX parser would, names resolved against their
// namespaces, and declines anything else (a DTD, CDATA, a comment or
// processing instruction, an entity of its own, a carriage return, bad
// UTF-8 or markup, nesting past kMaxXmlDepth, and whatever lies near a limit
// of libxml2's), leaving such a part to libxml2, which tells what is wrong
// with it word for word as ever.

#include <string_view>

#include "spreadsheet/package/sax_part.h"

namespace tarnwick::spreadsheet::xlsx {

// False when the scanner declines the part; the handler may by then have
// been handed some of its nodes. Whatever the handler throws comes through.
bool ScanWorksheetXml(std::string_view xml, package::SaxPart::Handler& handler);

}  // namespace tarnwick::spreadsheet::xlsx

#endif  // TARNWICK_SPREADSHEET_XLSX_WORKSHEET_SCANNER_H_
