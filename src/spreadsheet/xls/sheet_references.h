#ifndef TARNWICK_SPREADSHEET_XLS_SHEET_REFERENCES_H_
#define TARNWICK_SPREADSHEET_XLS_SHEET_REFERENCES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet::xls {

// Formulas that reach into other sheets (through EXTERNSHEET and the
// workbook's own SUPBOOK) and sheet-level names (NAME) refer to sheets by
// their place. When a copy lands between sheets, the places of the sheets
// after it move; these records are written with the new places, as a
// spreadsheet would.
class SheetReferences {
 public:
  explicit SheetReferences(const BookData& book);

  // True for the records Patch may change.
  static bool Concerns(std::uint16_t type);
  // Rewrites the data of a SUPBOOK, EXTERNSHEET or NAME record.
  void Patch(std::uint16_t type, std::string& data) const;

 private:
  std::uint16_t NewPlace(std::uint16_t old_place) const;

  std::vector<int> new_place_;  // by place in the file read
  bool moved_ = false;
  std::uint16_t sheet_count_ = 0;
  int own_supbook_ = -1;  // index among SUPBOOKs of the workbook's own
};

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_SHEET_REFERENCES_H_
