#ifndef TARNWICK_SPREADSHEET_XLSX_SHARED_STRINGS_H_
#define TARNWICK_SPREADSHEET_XLSX_SHARED_STRINGS_H_

#include <string>
#include <vector>

#include "spreadsheet/package/xml_part.h"

namespace tarnwick::spreadsheet::xlsx {

// The text of a string item (<si>, or a cell's <is>) at the current start
// element: its <t>, or the <t> of every rich-text run joined. Phonetic
// hints (<rPh>) are not part of the text. Leaves `xml` on the item's end.
std::string ReadStringItem(package::XmlPart& xml);

// The shared string table (xl/sharedStrings.xml).
std::vector<std::string> ReadSharedStrings(package::XmlPart& xml);

}  // namespace tarnwick::spreadsheet::xlsx

#endif  // TARNWICK_SPREADSHEET_XLSX_SHARED_STRINGS_H_
