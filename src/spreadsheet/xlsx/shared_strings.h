#ifndef TARNWICK_SPREADSHEET_XLSX_SHARED_STRINGS_H_
#define TARNWICK_SPREADSHEET_XLSX_SHARED_STRINGS_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/package/xml_part.h"

namespace tarnwick::spreadsheet::xlsx {

// Appends the text of a string item (<si>, or a cell's <is>) at the current
// start element to `text`: its <t>, or the <t> of every rich-text run
// joined. Phonetic hints (<rPh>) are not part of the text. Leaves `xml` on
// the item's end.
void ReadStringItem(package::XmlPart& xml, std::string* text);

// The shared string table (xl/sharedStrings.xml), every text in one block:
// a workbook may hold hundreds of thousands of short texts.
class SharedStrings {
 public:
  SharedStrings() = default;
  explicit SharedStrings(package::XmlPart& xml);

  std::size_t size() const { return ends_.size(); }
  std::string_view operator[](std::size_t index) const {
    std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(texts_).substr(begin, ends_[index] - begin);
  }

 private:
  std::string texts_;
  std::vector<std::size_t> ends_;  // where each text ends in `texts_`
};

}  // namespace tarnwick::spreadsheet::xlsx

#endif  // TARNWICK_SPREADSHEET_XLSX_SHARED_STRINGS_H_
