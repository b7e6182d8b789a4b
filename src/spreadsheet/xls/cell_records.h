#ifndef TARNWICK_SPREADSHEET_XLS_CELL_RECORDS_H_
#define TARNWICK_SPREADSHEET_XLS_CELL_RECORDS_H_

// Decoding the cell records of a sheet substream into stored cells.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "spreadsheet/xls/book_data.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/record.h"
#include "spreadsheet/xls/record_reader.h"
#include "spreadsheet/xls/rk_number.h"

namespace tarnwick::spreadsheet::xls {

// True for the records that carry cells or rows (regenerated on saving).
// Asked of every record of every sheet read.
inline bool IsCellRecord(std::uint16_t type) {
  switch (type) {
    case rt::kFormula:
    case rt::kFormula3:
    case rt::kFormula4:
    case rt::kRk2:
    case rt::kNumber:
    case rt::kRk:
    case rt::kMulRk:
    case rt::kLabelSst:
    case rt::kLabel:
    case rt::kRString:
    case rt::kBlank:
    case rt::kMulBlank:
    case rt::kBoolErr:
    case rt::kRow:
    case rt::kString:
    case rt::kShrFmla:
    case rt::kArray:
    case rt::kTable:
      return true;
    default:
      return false;
  }
}

struct CellContext {
  const std::vector<std::string>* strings;  // the shared string table
  std::string_view what;
  // Columns a row is likely to use, from the sheet's DIMENSIONS record, so
  // that a row's cells are allocated once rather than grown cell by cell.
  std::uint16_t row_width = 16;
  // The slot in the sheet's texts of the shared texts met lately, by their
  // index in the table: a price sheet repeats a few dozen labels thousands
  // of times, each then stored without looking its text up.
  struct SharedTextSlot {
    std::uint32_t index = 0xFFFFFFFF;
    std::uint32_t slot = 0;
  };
  mutable std::array<SharedTextSlot, 64> shared_texts{};
  // The rich-text runs of the shared strings that have them, by index, and
  // the slot each such text took in the sheet's texts. Never null.
  const std::unordered_map<std::uint32_t, std::string>* string_runs = nullptr;
  mutable std::unordered_map<std::uint32_t, std::uint32_t> rich_slots;
  // Excel 5.0/95 sheets hold texts as bytes in the workbook's code page.
  bool byte_strings = false;
  std::uint16_t code_page = 1252;
};

inline constexpr std::uint16_t kSheetColumns = 256;

// The cell at (row, column), 0-based, made first when it is not there;
// throws Error for a column past IV. The short way covers the cells that
// come in column order into a row with room for them, as most do.
StoredCell& GrowToCell(SheetData& sheet, std::uint16_t row,
                       std::uint16_t column, const CellContext& context);
inline StoredCell& CellAt(SheetData& sheet, std::uint16_t row,
                          std::uint16_t column, const CellContext& context) {
  if (row < sheet.rows.size()) {
    std::vector<StoredCell>& cells = sheet.rows[row].cells;
    if (column == cells.size() && column < cells.capacity() &&
        column < kSheetColumns) {
      return cells.emplace_back();
    }
  }
  return GrowToCell(sheet, row, column, context);
}

// A number cell from the row, column and format at `place`.
inline void StoreNumberCell(SheetData& sheet, const char* place, double number,
                            const CellContext& context) {
  StoredCell& cell = CellAt(sheet, GetU16(place), GetU16(place + 2), context);
  SetNumber(cell, number);
  cell.xf = GetU16(place + 4);
}

// Every cell record but a whole RK or NUMBER one.
void ReadOtherCellRecord(const RecordView& record, RecordReader& reader,
                         const CellContext& context, SheetData& sheet);

// Decodes `record` (one for which IsCellRecord holds) into `sheet`. Records
// that belong to it (CONTINUE, the STRING and SHRFMLA after a FORMULA) are
// taken from `reader`. Numbers, most cells of a price list, go the short way.
inline void ReadCellRecord(const RecordView& record, RecordReader& reader,
                           const CellContext& context, SheetData& sheet) {
  const char* p = record.data.data();
  if (record.type == rt::kRk && record.data.size() >= 10) {
    StoreNumberCell(sheet, p, DecodeRk(GetU32(p + 6)), context);
  } else if (record.type == rt::kNumber && record.data.size() >= 14) {
    StoreNumberCell(sheet, p, GetF64(p + 6), context);
  } else {
    ReadOtherCellRecord(record, reader, context, sheet);
  }
}

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_CELL_RECORDS_H_
