#ifndef TARNWICK_SPREADSHEET_PACKAGE_SHEET_BUILDER_H_
#define TARNWICK_SPREADSHEET_PACKAGE_SHEET_BUILDER_H_

// Lays the cells of a sheet read from an .xlsx or .ods workbook out as the
// engine holds every sheet, the one an .xls workbook gives: so nothing above
// the engine knows which format a workbook came in.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "spreadsheet/cell_value.h"
#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet::package {

// A sheet holds rows 1..65536 and columns 1..256, as an .xls sheet does.
inline constexpr std::uint64_t kSheetRows = 65536;
inline constexpr std::uint64_t kSheetColumns = 256;
// The most cells one workbook may hold: 256 MB of them. An .ods repeat
// count can ask for many cells in a few bytes.
inline constexpr std::uint64_t kMaxCells = 1 << 24;

class SheetBuilder {
 public:
  // `what` names the file and sheet in errors; `cells` counts the cells
  // against kMaxCells, of the whole workbook or of the sheet.
  SheetBuilder(std::string what, std::uint64_t* cells);

  // 0-based row and column. Throws Error for a place off the sheet.
  void Put(std::uint64_t row, std::uint64_t column, const CellValue& value);
  void PutNumber(std::uint64_t row, std::uint64_t column, double number) {
    xls::SetNumber(Place(row, column), number);
  }
  void PutText(std::uint64_t row, std::uint64_t column, std::string_view text) {
    xls::SetText(*sheet_, Place(row, column), text);
  }
  // The text at `index` of the workbook's shared string table: a sheet
  // looks each one up among its texts once, however many cells hold it.
  void PutSharedText(std::uint64_t row, std::uint64_t column,
                     std::uint32_t index, std::string_view text);
  std::shared_ptr<const xls::SheetData> Take() { return std::move(sheet_); }
  // Forgets every cell put, and uncounts them: the sheet is read again.
  void Restart();
  const std::string& what() const { return what_; }

  // A chart sheet: no cells, as in an .xls workbook.
  static std::shared_ptr<const xls::SheetData> ChartSheet();

 private:
  xls::StoredCell& Place(std::uint64_t row, std::uint64_t column);

  std::string what_;
  std::uint64_t* cells_;
  std::uint64_t cells_before_;  // *cells_ when the builder began
  std::shared_ptr<xls::SheetData> sheet_;
  // The slot in the sheet's texts of each shared string it holds, by index.
  std::vector<std::uint32_t> shared_slots_;
};

// The sheet names and their data, in workbook order, as a BookData whose
// global records are a blank workbook's: saving such a workbook as .xls
// writes the sheets with default fonts and formats.
xls::BookData MakeBook(std::vector<xls::SheetEntry> sheets, int active_sheet);

// The BIFF error code of an error's text ("#DIV/0!" gives 0x07); codes
// not known to .xls give one shown as "#ERR".
std::uint8_t ErrorCodeOf(std::string_view text);

// The serial number of a date and time "YYYY-MM-DD[THH:MM:SS[.fff]]" (days
// since 1899-12-30, or 1904-01-01), as a spreadsheet holds dates; false
// when the text is no such date.
bool DateSerial(std::string_view text, bool from_1904, double* serial);

}  // namespace tarnwick::spreadsheet::package

#endif  // TARNWICK_SPREADSHEET_PACKAGE_SHEET_BUILDER_H_
