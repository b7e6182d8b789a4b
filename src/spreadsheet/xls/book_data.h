#ifndef TARNWICK_SPREADSHEET_XLS_BOOK_DATA_H_
#define TARNWICK_SPREADSHEET_XLS_BOOK_DATA_H_

// A workbook as the engine holds it: the records it does not interpret kept
// as they were read, the cells decoded. Sheet data and the global records
// are shared between copies of a workbook until one of them changes.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/text_hash.h"
#include "spreadsheet/cell_value.h"
#include "spreadsheet/xls/compound_file.h"
#include "spreadsheet/xls/record.h"
#include "spreadsheet/xls/value_grid.h"

namespace tarnwick::spreadsheet::xls {

// Placeholders in the global records for what is written afresh on saving.
inline constexpr std::uint16_t kSheetListHere = 0xFFF0;    // BOUNDSHEET8s
inline constexpr std::uint16_t kStringTableHere = 0xFFF1;  // SST, EXTSST

// The format of a cell nobody has formatted.
inline constexpr std::uint16_t kDefaultXf = 15;

inline constexpr std::uint32_t kNoRowRecord = 0xFFFFFFFF;

// One cell in 16 bytes, so that big sheets stay cheap to hold and copy.
// Texts and formula records live beside the cells, in the sheet.
struct StoredCell {
  double number = 0;  // number, truth value or error code
  // A text cell's index in SheetData::texts; a formula cell's index in
  // SheetData::formulas (its own records, written back as they were while
  // nobody writes the cell) and SheetData::formula_texts.
  std::uint32_t ref = 0;
  std::uint16_t xf = kDefaultXf;
  CellKind kind : 3 = CellKind::kEmpty;
  bool present : 1 = false;
  bool is_formula : 1 = false;

  bool has_formula() const { return is_formula; }
};
static_assert(sizeof(StoredCell) == 16);

struct StoredRow {
  std::vector<StoredCell> cells;  // index = column - 1
  // Index in SheetData::row_records of the row's ROW record (its height
  // and format), or kNoRowRecord.
  std::uint32_t row_record = kNoRowRecord;
};

struct SheetData {
  // The sheet's substream from BOF to EOF, without the records that are
  // regenerated (DIMENSIONS, ROW, cells, INDEX, DBCELL).
  RecordList records;
  // Index in `records` before which DIMENSIONS and the cells are written.
  std::size_t cell_block_at = 0;
  std::vector<StoredRow> rows;  // index = row - 1
  // Each text once: a price sheet repeats a few dozen labels over and over.
  std::vector<std::string> texts;
  // Text -> its index in `texts`, for every slot but rich texts' once the
  // sheet has many texts; empty while it has few (see SetText).
  std::unordered_map<std::string, std::uint32_t, TextHash, std::equal_to<>>
      text_index;
  // The first 16 bytes of each kept ROW record (all it has in BIFF8), held
  // in place: a sheet has a ROW record for nearly every row.
  std::vector<std::array<char, 16>> row_records;
  // A formula cell's FORMULA record and the STRING, SHRFMLA, ARRAY or TABLE
  // after it, each with type and length.
  std::vector<std::string> formulas;
  // For each formula, the index in `texts` of the text it last gave, when it
  // gave one.
  std::vector<std::uint32_t> formula_texts;
  // The rich-text formatting runs (4 bytes each) of texts read with them,
  // by their index in `texts`; such a text has a slot of its own, which a
  // cell written with the same text never shares.
  std::unordered_map<std::uint32_t, std::string> text_runs;
  // Worksheets and macro sheets hold cells; charts and others only records.
  bool has_cells = false;
  // The most cells a written row has had: a row begun later gets room for
  // that many at once, since a sheet's rows mostly share one width.
  std::uint16_t widest_row = 0;
  // The format of columns that have one of their own (COLINFO), by column;
  // empty when no column has.
  std::vector<std::uint16_t> column_xf;
};

// The value a cell shows.
CellValue ValueOf(const SheetData& sheet, const StoredCell& cell);
// The index in SheetData::texts of a text cell's text.
inline std::uint32_t TextIndex(const SheetData& sheet, const StoredCell& cell) {
  return cell.is_formula ? sheet.formula_texts[cell.ref] : cell.ref;
}
// Makes a formula cell a plain one holding the value the formula last gave.
void DropFormula(const SheetData& sheet, StoredCell& cell);
// Puts a value into a cell (its format stays; a formula goes).
void SetValue(SheetData& sheet, StoredCell& cell, const CellValue& value);
void SetText(SheetData& sheet, StoredCell& cell, std::string_view text);
// Gives a cell a new slot holding a text with its rich-text runs.
void SetRichText(SheetData& sheet, StoredCell& cell, std::string_view text,
                 std::string runs);
// Makes a cell a text cell holding the text at `slot` of SheetData::texts.
inline void SetTextSlot(StoredCell& cell, std::uint32_t slot) {
  cell.kind = CellKind::kText;
  cell.number = 0;
  cell.ref = slot;
  cell.is_formula = false;
  cell.present = true;
}
inline void SetNumber(StoredCell& cell, double number) {
  cell.kind = CellKind::kNumber;
  cell.number = number;
  cell.is_formula = false;
  cell.present = true;
}

// The Workbook stream a workbook was read from, kept for the sheets not yet
// decoded.
struct WorkbookStream {
  std::string_view bytes;
  std::shared_ptr<const void> owner;  // what holds `bytes`
  std::vector<std::string> strings;   // the shared string table
  // The rich-text runs of the shared strings that have them, by index.
  std::unordered_map<std::uint32_t, std::string> string_runs;
  std::string what;  // the file, for errors
  std::uint16_t biff_version = kBiff8;
  std::uint16_t code_page = 1252;  // of an Excel 5.0/95 workbook's texts
};

// A sheet decoded when it is first wanted. Opening a workbook decodes none
// of its cells; a conversion reads one sheet of each workbook at a time, and
// a sheet list needs the names alone. Whoever holds the decoded data shares
// it with every other copy asking meanwhile; once nobody does, it is freed
// and decoded again when wanted again. Each file format decodes its own.
class SheetSource {
 public:
  explicit SheetSource(bool has_cells) : has_cells_(has_cells) {}
  virtual ~SheetSource() = default;
  SheetSource(const SheetSource&) = delete;
  SheetSource& operator=(const SheetSource&) = delete;

  bool has_cells() const { return has_cells_; }
  // Throws Error naming the file and sheet when the sheet is damaged.
  std::shared_ptr<const SheetData> Load() const {
    if (auto decoded = decoded_.lock()) return decoded;
    std::shared_ptr<const SheetData> decoded = Decode();
    decoded_ = decoded;
    return decoded;
  }
  // The sheet's plain values laid out in one block, or null when it must be
  // decoded as usual (see DecodeValueGrid).
  virtual std::shared_ptr<const ValueGrid> DecodeValues() const {
    return nullptr;
  }

 protected:
  virtual std::shared_ptr<const SheetData> Decode() const = 0;

 private:
  bool has_cells_;
  mutable std::weak_ptr<const SheetData> decoded_;
};

struct SheetEntry {
  std::string name;
  std::uint8_t visibility = 0;  // BOUNDSHEET8.hsState
  std::uint8_t type = 0;        // BOUNDSHEET8.dt: 0 worksheet, 1 macro, 2 chart
  // The sheet's data when it is at hand; else `source` decodes it.
  std::shared_ptr<const SheetData> data;
  // The sheet's place (0-based) in the file it was read from, or -1 for a
  // sheet added since (a copy, a new worksheet). Formulas and names refer to
  // sheets by place, so the writer follows moved sheets with them.
  int origin = -1;
  std::shared_ptr<const SheetSource> source;

  std::shared_ptr<const SheetData> Data() const {
    return data ? data : source->Load();
  }
  bool HasCells() const { return data ? data->has_cells : source->has_cells(); }
};

struct BookData {
  // The workbook globals from BOF to EOF with the placeholders above.
  std::shared_ptr<const RecordList> globals;
  std::vector<SheetEntry> sheets;
  int active_sheet = 0;  // 0-based, from WINDOW1
  std::shared_ptr<const std::vector<CompoundEntry>> other_streams;
  std::string root_class_id;
  // Excel 5.0/95 workbooks are read, never written (see WriteWorkbook).
  std::uint16_t biff_version = kBiff8;
  // Substreams after the last sheet that no sheet refers to, whole.
  std::string trailing_substreams;
};

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_BOOK_DATA_H_
