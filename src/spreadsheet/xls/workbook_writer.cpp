#include "spreadsheet/xls/workbook_writer.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/error.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/continued_data.h"
#include "spreadsheet/xls/rk_number.h"
#include "spreadsheet/xls/shared_string_table.h"
#include "spreadsheet/xls/sheet_references.h"

namespace tarnwick::spreadsheet::xls {
namespace {

// Rows are written in blocks of 32, the ROW records of a block before its
// cells, as spreadsheets lay them out.
constexpr std::size_t kRowsPerBlock = 32;
// Excel opens a Workbook stream kept in the compound file's small-block
// area unreliably, so the stream is never shorter than the cutoff.
constexpr std::size_t kMinStreamSize = 4096;

// The data of every sheet, decoded where it was not yet, held for the write.
using SheetsData = std::vector<std::shared_ptr<const SheetData>>;

// The stream being written: kept whole for a caller that wants it as bytes,
// or handed to a sink whenever a piece of it is ready.
class StreamBuffer {
 public:
  explicit StreamBuffer(StreamSink* sink) : sink_(sink) {}

  // Where records are appended.
  std::string& tail() { return tail_; }
  std::size_t position() const { return written_ + tail_.size(); }

  // Passes what has gathered on to the sink, once it is a fair piece.
  void Flush(bool all = false) {
    if (sink_ == nullptr || (!all && tail_.size() < kPiece)) return;
    sink_->Write(tail_);
    written_ += tail_.size();
    tail_.clear();
  }
  // Room for the whole stream when it is kept whole, else for a piece, so
  // that it grows rarely.
  void Reserve(const SheetsData& sheets) {
    std::size_t size = 64 * 1024;
    if (sink_ == nullptr) {
      for (const auto& sheet : sheets) {
        for (const StoredRow& row : sheet->rows) {
          size += 24 + 18 * row.cells.size();
        }
      }
    }
    tail_.reserve(sink_ == nullptr ? size : kPiece + size);
  }
  void PutU32At(std::size_t at, std::uint32_t value) {
    if (at >= written_) {
      PutU32(tail_.data() + (at - written_), value);
      return;
    }
    std::string bytes;
    AppendU32(bytes, value);
    sink_->Overwrite(at, bytes);
  }

 private:
  static constexpr std::size_t kPiece = 256 * 1024;
  StreamSink* sink_;
  std::string tail_;
  std::size_t written_ = 0;
};

bool IsSharedText(const StoredCell& cell) {
  return cell.present && !cell.has_formula() && cell.kind == CellKind::kText;
}

// Every text of every sheet, in the order the cells are written, so the
// writer takes their indexes one after another.
std::vector<std::uint32_t> CollectStrings(const SheetsData& sheets,
                                          SharedStringTable& table) {
  std::vector<std::uint32_t> order;
  for (const auto& sheet : sheets) {
    if (!sheet->has_cells) continue;
    for (const StoredRow& row : sheet->rows) {
      for (const StoredCell& cell : row.cells) {
        if (!IsSharedText(cell)) continue;
        std::string_view runs;
        if (!sheet->text_runs.empty()) {
          auto it = sheet->text_runs.find(cell.ref);
          if (it != sheet->text_runs.end()) runs = it->second;
        }
        order.push_back(table.Add(sheet->texts[cell.ref], runs));
      }
    }
  }
  return order;
}

std::string BoundSheetData(const SheetEntry& sheet) {
  std::string data;
  AppendU32(data, 0);  // the offset, filled in once the sheet is placed
  AppendU8(data, sheet.visibility);
  AppendU8(data, sheet.type);
  AppendUnicodeString(data, sheet.name, true);
  return data;
}

std::string Window1Data(const std::string& kept, int active_sheet) {
  std::string data = kept;
  if (data.size() >= 16) {
    PutU16(data.data() + 10, static_cast<std::uint16_t>(active_sheet));
    if (GetU16(data.data() + 12) > active_sheet) PutU16(data.data() + 12, 0);
    PutU16(data.data() + 14, 1);
  }
  return data;
}

void AppendGlobals(const BookData& book, const SharedStringTable& strings,
                   std::string& stream,
                   std::vector<std::size_t>& offset_fields) {
  SheetReferences references(book);
  for (const Record& r : *book.globals) {
    if (SheetReferences::Concerns(r.type)) {
      std::string data = r.data;
      references.Patch(r.type, data);
      AppendRecord(stream, r.type, data);
    } else if (r.type == kSheetListHere) {
      for (const SheetEntry& sheet : book.sheets) {
        offset_fields.push_back(stream.size() + 4);
        AppendRecord(stream, rt::kBoundSheet, BoundSheetData(sheet));
      }
    } else if (r.type == kStringTableHere) {
      strings.AppendRecords(stream);
    } else if (r.type == rt::kWindow1) {
      AppendRecord(stream, r.type, Window1Data(r.data, book.active_sheet));
    } else {
      AppendRecord(stream, r.type, r.data);
    }
  }
}

struct Extent {
  std::size_t first_row = 0, last_row = 0, first_column = 0, last_column = 0;
  bool empty = true;
};

Extent CellExtent(const SheetData& sheet) {
  Extent e;
  for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
    const std::vector<StoredCell>& cells = sheet.rows[r].cells;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      if (!cells[c].present) continue;
      if (e.empty) {
        e = {r, r, c, c, false};
      } else {
        e.last_row = r;
        e.first_column = std::min(e.first_column, c);
        e.last_column = std::max(e.last_column, c);
      }
    }
  }
  return e;
}

void AppendDimensions(const SheetData& sheet, std::string& stream) {
  Extent e = CellExtent(sheet);
  std::string data;
  AppendU32(data, e.empty ? 0 : static_cast<std::uint32_t>(e.first_row));
  AppendU32(data, e.empty ? 0 : static_cast<std::uint32_t>(e.last_row + 1));
  AppendU16(data, e.empty ? 0 : static_cast<std::uint16_t>(e.first_column));
  AppendU16(data, e.empty ? 0 : static_cast<std::uint16_t>(e.last_column + 1));
  AppendU16(data, 0);
  AppendRecord(stream, rt::kDimensions, data);
}

// The ROW record of row `r` (0-based), or nothing for a row that has neither
// cells nor a height or format of its own.
void AppendRowRecord(const SheetData& sheet, const StoredRow& row,
                     std::size_t r, std::string& stream) {
  std::size_t first = row.cells.size(), last = 0;
  for (std::size_t c = 0; c < row.cells.size(); ++c) {
    if (!row.cells[c].present) continue;
    first = std::min(first, c);
    last = c + 1;
  }
  bool has_cells = last > 0;
  bool kept = row.row_record < sheet.row_records.size();
  if (!has_cells && !kept) return;
  std::array<char, 16> data;
  if (kept) {
    data = sheet.row_records[row.row_record];
  } else {
    PutU16(data.data(), static_cast<std::uint16_t>(r));
    PutU16(data.data() + 6, 0x00FF);  // the default height, 12.75 points
    PutU32(data.data() + 8, 0);
    PutU32(data.data() + 12, 0x000F0100);  // no format of its own
  }
  PutU16(data.data() + 2, static_cast<std::uint16_t>(has_cells ? first : 0));
  PutU16(data.data() + 4, static_cast<std::uint16_t>(has_cells ? last : 0));
  AppendRecord(stream, rt::kRow, std::string_view(data.data(), data.size()));
}

void AppendCell(const SheetData& sheet, const StoredCell& cell, std::size_t r,
                std::size_t c, const std::vector<std::uint32_t>& string_order,
                std::size_t& next_string, std::string& stream) {
  if (cell.has_formula()) {
    stream.append(sheet.formulas[cell.ref]);
    return;
  }
  std::string data;
  AppendU16(data, static_cast<std::uint16_t>(r));
  AppendU16(data, static_cast<std::uint16_t>(c));
  AppendU16(data, cell.xf);
  switch (cell.kind) {
    case CellKind::kEmpty:
      AppendRecord(stream, rt::kBlank, data);
      return;
    case CellKind::kNumber:
      if (auto rk = EncodeRk(cell.number)) {
        AppendU32(data, *rk);
        AppendRecord(stream, rt::kRk, data);
      } else {
        AppendF64(data, cell.number);
        AppendRecord(stream, rt::kNumber, data);
      }
      return;
    case CellKind::kText:
      AppendU32(data, string_order[next_string++]);
      AppendRecord(stream, rt::kLabelSst, data);
      return;
    case CellKind::kBoolean:
      AppendU8(data, cell.number != 0 ? 1 : 0);
      AppendU8(data, 0);
      AppendRecord(stream, rt::kBoolErr, data);
      return;
    case CellKind::kError:
      AppendU8(data, static_cast<std::uint8_t>(cell.number));
      AppendU8(data, 1);
      AppendRecord(stream, rt::kBoolErr, data);
      return;
  }
}

bool IsPlain(const StoredCell& cell, CellKind kind) {
  return cell.present && !cell.has_formula() && cell.kind == kind;
}

// Starts a record whose length is filled in by EndRecord, so that a MULRK
// or MULBLANK is built in the stream itself.
std::size_t BeginRecord(std::string& stream, std::uint16_t type) {
  std::size_t at = stream.size();
  AppendU16(stream, type);
  AppendU16(stream, 0);
  return at;
}
void EndRecord(std::string& stream, std::size_t at) {
  PutU16(stream.data() + at + 2,
         static_cast<std::uint16_t>(stream.size() - at - 4));
}

// Appends the blanks of row `r` from column `c` on, as one MULBLANK when
// two or more stand together; returns the column past them.
std::size_t AppendBlanks(const std::vector<StoredCell>& cells, std::size_t r,
                         std::size_t c, std::string& stream) {
  std::size_t end = c + 1;
  while (end < cells.size() && IsPlain(cells[end], CellKind::kEmpty)) ++end;
  std::size_t at =
      BeginRecord(stream, end - c < 2 ? rt::kBlank : rt::kMulBlank);
  AppendU16(stream, static_cast<std::uint16_t>(r));
  AppendU16(stream, static_cast<std::uint16_t>(c));
  for (std::size_t k = c; k < end; ++k) AppendU16(stream, cells[k].xf);
  if (end - c >= 2) AppendU16(stream, static_cast<std::uint16_t>(end - 1));
  EndRecord(stream, at);
  return end;
}

// Appends the number at column `c` of row `r`, and the numbers after it
// that fit an RK as it does, as one MULRK when two or more stand together;
// returns the column past them. Each number is encoded once: `next_rk`
// carries the RK of the cell at the returned column when it was tried.
std::size_t AppendNumbers(const std::vector<StoredCell>& cells, std::size_t r,
                          std::size_t c, std::optional<std::uint32_t>& next_rk,
                          bool& next_known, std::string& stream) {
  std::optional<std::uint32_t> rk =
      next_known ? next_rk : EncodeRk(cells[c].number);
  next_known = false;
  if (!rk) {
    std::size_t at = BeginRecord(stream, rt::kNumber);
    AppendU16(stream, static_cast<std::uint16_t>(r));
    AppendU16(stream, static_cast<std::uint16_t>(c));
    AppendU16(stream, cells[c].xf);
    AppendF64(stream, cells[c].number);
    EndRecord(stream, at);
    return c + 1;
  }
  std::size_t end = c + 1;
  std::size_t at = BeginRecord(stream, rt::kMulRk);
  AppendU16(stream, static_cast<std::uint16_t>(r));
  AppendU16(stream, static_cast<std::uint16_t>(c));
  AppendU16(stream, cells[c].xf);
  AppendU32(stream, *rk);
  while (end < cells.size() && IsPlain(cells[end], CellKind::kNumber)) {
    std::optional<std::uint32_t> more = EncodeRk(cells[end].number);
    if (!more) {
      next_rk = more;
      next_known = true;
      break;
    }
    AppendU16(stream, cells[end].xf);
    AppendU32(stream, *more);
    ++end;
  }
  if (end - c < 2) {
    // One number alone: an RK record (the same fields, another type).
    PutU16(stream.data() + at, rt::kRk);
  } else {
    AppendU16(stream, static_cast<std::uint16_t>(end - 1));
  }
  EndRecord(stream, at);
  return end;
}

void AppendCells(const SheetData& sheet,
                 const std::vector<std::uint32_t>& string_order,
                 std::size_t& next_string, StreamBuffer& buffer) {
  std::string& stream = buffer.tail();
  AppendDimensions(sheet, stream);
  for (std::size_t start = 0; start < sheet.rows.size();
       start += kRowsPerBlock) {
    buffer.Flush();
    std::size_t end = std::min(sheet.rows.size(), start + kRowsPerBlock);
    for (std::size_t r = start; r < end; ++r) {
      AppendRowRecord(sheet, sheet.rows[r], r, stream);
    }
    for (std::size_t r = start; r < end; ++r) {
      const std::vector<StoredCell>& cells = sheet.rows[r].cells;
      std::optional<std::uint32_t> next_rk;
      bool next_known = false;
      for (std::size_t c = 0; c < cells.size();) {
        const StoredCell& cell = cells[c];
        if (!cell.present) {
          ++c;
          continue;
        }
        // Numbers and blanks side by side go into one record, as Excel
        // writes them: a workbook read and saved keeps its size.
        if (IsPlain(cell, CellKind::kNumber)) {
          c = AppendNumbers(cells, r, c, next_rk, next_known, stream);
          continue;
        }
        next_known = false;
        if (IsPlain(cell, CellKind::kEmpty)) {
          c = AppendBlanks(cells, r, c, stream);
          continue;
        }
        AppendCell(sheet, cell, r, c, string_order, next_string, stream);
        ++c;
      }
    }
  }
}

void AppendSheet(const SheetData& sheet, bool active,
                 const std::vector<std::uint32_t>& string_order,
                 std::size_t& next_string, StreamBuffer& buffer) {
  std::string& stream = buffer.tail();
  bool window_seen = false;
  for (std::size_t i = 0; i < sheet.records.size(); ++i) {
    if (sheet.has_cells && i == sheet.cell_block_at) {
      AppendCells(sheet, string_order, next_string, buffer);
    }
    const Record& r = sheet.records[i];
    if (r.type == rt::kWindow2 && !window_seen && r.data.size() >= 2) {
      window_seen = true;
      std::string data = r.data;
      std::uint16_t flags = GetU16(data.data());
      // Selected (0x0200) and shown (0x0400) follow the active sheet.
      flags = active ? (flags | 0x0600) : (flags & ~0x0600);
      PutU16(data.data(), flags);
      AppendRecord(stream, r.type, data);
      continue;
    }
    AppendRecord(stream, r.type, r.data);
  }
}

}  // namespace

namespace {

void WriteStream(const BookData& book, StreamBuffer& buffer) {
  SheetsData sheets;
  for (const SheetEntry& sheet : book.sheets) sheets.push_back(sheet.Data());
  SharedStringTable strings;
  std::vector<std::uint32_t> string_order = CollectStrings(sheets, strings);
  buffer.Reserve(sheets);
  std::vector<std::size_t> offset_fields;
  AppendGlobals(book, strings, buffer.tail(), offset_fields);
  std::size_t next_string = 0;
  for (std::size_t i = 0; i < book.sheets.size(); ++i) {
    if (i < offset_fields.size()) {
      buffer.PutU32At(offset_fields[i],
                      static_cast<std::uint32_t>(buffer.position()));
    }
    AppendSheet(*sheets[i], static_cast<int>(i) == book.active_sheet,
                string_order, next_string, buffer);
  }
  buffer.tail().append(book.trailing_substreams);
  if (buffer.position() < kMinStreamSize) {
    buffer.tail().append(kMinStreamSize - buffer.position(), '\0');
  }
  buffer.Flush(true);
}

// Excel 5.0/95 workbooks keep their fonts, formats, names and formulas in
// records of another shape than Excel 97's; written as they are into an
// Excel 97 file they would make it unreadable, and converted they would lose
// what the reader does not interpret. They are read only.
void RefuseOlderVersion(const BookData& book) {
  if (book.biff_version != kBiff8) {
    throw Error(
        "the workbook was read from an Excel 5.0/95 file, which Tarnwick "
        "reads but does not save; save it as an Excel 97-2003 workbook "
        "(.xls) first");
  }
}

}  // namespace

std::string WriteWorkbookStream(const BookData& book) {
  RefuseOlderVersion(book);
  StreamBuffer buffer(nullptr);
  WriteStream(book, buffer);
  return std::move(buffer.tail());
}

namespace {

CompoundContents OtherContentsOf(const BookData& book) {
  CompoundContents contents;
  if (book.other_streams) contents.others = *book.other_streams;
  contents.root_class_id = book.root_class_id;
  return contents;
}

}  // namespace

void WriteWorkbook(const BookData& book, const std::string& path) {
  RefuseOlderVersion(book);
  CompoundContents contents = OtherContentsOf(book);
  contents.write_workbook = [&book](StreamSink& sink) {
    StreamBuffer buffer(&sink);
    WriteStream(book, buffer);
  };
  WriteCompoundFile(contents, path);
}

}  // namespace tarnwick::spreadsheet::xls
