#include "spreadsheet/xls/workbook_reader.h"

#include <algorithm>
#include <map>

#include "core/error.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/cell_records.h"
#include "spreadsheet/xls/continued_data.h"
#include "spreadsheet/xls/record_reader.h"

namespace tarnwick::spreadsheet::xls {
namespace {

constexpr std::uint16_t kBiff8 = 0x0600;
// Nested substreams (charts inside a sheet) go one level deep in practice.
constexpr int kMaxNesting = 8;

[[noreturn]] void Fail(std::string_view what, std::string_view reason) {
  throw Error(std::string(what) + ": " + std::string(reason));
}

struct SheetPlace {
  SheetEntry entry;
  std::uint32_t offset = 0;
};

struct Globals {
  RecordList records;
  std::vector<SheetPlace> sheets;
  std::vector<std::string> strings;
  int active_sheet = 0;
};

void CheckBof(const RecordView& bof, std::string_view what) {
  if (bof.type != rt::kBof || bof.data.size() < 4) {
    Fail(what,
         "not an Excel 97-2003 workbook (its stream does not begin "
         "like one)");
  }
  std::uint16_t version = GetU16(bof.data.data());
  if (version != kBiff8) {
    Fail(what,
         "this is a workbook of an Excel older than 97; save it as an Excel "
         "97-2003 workbook");
  }
}

SheetPlace ReadBoundSheet(const RecordView& record, RecordReader& reader,
                          std::string_view what) {
  std::vector<std::string_view> segments{record.data};
  while (reader.PeekType() == rt::kContinue)
    segments.push_back(reader.Next().data);
  ContinuedData data(std::move(segments), what);
  SheetPlace place;
  place.offset = data.U32();
  place.entry.visibility = data.U8() & 0x03;
  place.entry.type = data.U8();
  place.entry.name = data.ShortUnicodeString();
  return place;
}

std::vector<std::string> ReadSharedStrings(const RecordView& record,
                                           RecordReader& reader,
                                           std::string_view what) {
  std::vector<std::string_view> segments{record.data};
  std::size_t bytes = record.data.size();
  while (reader.PeekType() == rt::kContinue) {
    segments.push_back(reader.Next().data);
    bytes += segments.back().size();
  }
  ContinuedData data(std::move(segments), what);
  data.U32();  // references to the table, not needed to read it
  std::uint32_t unique = data.U32();
  std::vector<std::string> strings;
  strings.reserve(std::min<std::size_t>(unique, bytes / 3));
  // Some writers count more strings than they store; what is there counts.
  while (strings.size() < unique && !data.AtEnd()) {
    strings.push_back(data.UnicodeString());
  }
  return strings;
}

Globals ReadGlobals(std::string_view stream, std::string_view what) {
  Globals g;
  RecordReader reader(stream, 0, what);
  RecordView bof = reader.Next();
  CheckBof(bof, what);
  g.records.push_back({bof.type, std::string(bof.data)});
  bool sheet_list_placed = false;
  bool strings_placed = false;
  for (;;) {
    RecordView r = reader.Next();
    switch (r.type) {
      case rt::kFilePass:
        Fail(what,
             "the workbook is protected by a password; save it without one");
      case rt::kBof:
        Fail(what, "the workbook is damaged (its global records never end)");
      case rt::kBoundSheet:
        g.sheets.push_back(ReadBoundSheet(r, reader, what));
        if (!sheet_list_placed) g.records.push_back({kSheetListHere, {}});
        sheet_list_placed = true;
        continue;
      case rt::kSst:
        g.strings = ReadSharedStrings(r, reader, what);
        if (!strings_placed) g.records.push_back({kStringTableHere, {}});
        strings_placed = true;
        continue;
      case rt::kExtSst:
        while (reader.PeekType() == rt::kContinue) reader.Next();
        continue;
      case rt::kWindow1:
        if (r.data.size() >= 12 && g.active_sheet == 0) {
          g.active_sheet = GetU16(r.data.data() + 10);
        }
        break;
      default:
        break;
    }
    if (r.type == rt::kEof) {
      if (!sheet_list_placed) g.records.push_back({kSheetListHere, {}});
      if (!strings_placed) g.records.push_back({kStringTableHere, {}});
      g.records.push_back({r.type, std::string(r.data)});
      return g;
    }
    g.records.push_back({r.type, std::string(r.data)});
  }
}

// New cells in a column formatted as a whole take its format.
void NoteColumnFormat(const RecordView& record, SheetData& sheet) {
  if (record.data.size() < 8) return;
  const char* p = record.data.data();
  std::size_t first = GetU16(p);
  std::size_t last = std::min<std::size_t>(GetU16(p + 2), 255);
  std::uint16_t xf = GetU16(p + 6);
  if (xf == kDefaultXf || first > last) return;
  if (sheet.column_xf.empty()) sheet.column_xf.assign(256, kDefaultXf);
  for (std::size_t c = first; c <= last; ++c) sheet.column_xf[c] = xf;
}

// DIMENSIONS tells how many rows and columns the sheet uses: room for them is
// made at once. A damaged record only loses the hint; the cells still decide.
// Every used row needs a cell record of at least 10 bytes, so all the sheets
// of a stream together are given no more rows than it can hold: a damaged
// file cannot make the reader reserve more than its own size warrants.
void ReserveFromDimensions(const RecordView& r, std::size_t& row_budget,
                           CellContext& context, SheetData& sheet) {
  if (r.data.size() < 12) return;
  const char* p = r.data.data();
  std::uint32_t rows = GetU32(p + 4);
  std::uint16_t columns = GetU16(p + 10);
  if (rows <= 65536 && rows <= row_budget) {
    sheet.rows.reserve(rows);
    row_budget -= rows;
  }
  if (columns > 0 && columns <= 256) context.row_width = columns;
}

std::shared_ptr<SheetData> ReadSheet(std::string_view stream,
                                     const SheetPlace& place,
                                     const std::vector<std::string>& strings,
                                     std::string_view what,
                                     std::size_t& row_budget) {
  std::string sheet_what =
      std::string(what) + ": sheet \"" + place.entry.name + "\"";
  if (place.offset >= stream.size()) {
    Fail(sheet_what,
         "the workbook is damaged (the sheet lies beyond the end "
         "of the workbook stream)");
  }
  RecordReader reader(stream, place.offset, sheet_what);
  if (reader.PeekType() != rt::kBof) {
    Fail(sheet_what,
         "the workbook is damaged (the sheet list points to no sheet)");
  }
  RecordView bof = reader.Next();
  if (bof.data.size() < 4) {
    Fail(sheet_what,
         "the workbook is damaged (the sheet list points to no sheet)");
  }
  std::uint16_t kind = GetU16(bof.data.data() + 2);
  bool has_cells = kind == kBofWorksheet || kind == kBofMacroSheet;
  auto sheet = std::make_shared<SheetData>();
  sheet->has_cells = has_cells;
  sheet->records.push_back({bof.type, std::string(bof.data)});
  CellContext context{&strings, sheet_what};
  bool block_placed = false;
  std::size_t window_at = 0;
  int depth = 0;
  for (;;) {
    RecordView r = reader.Next();
    if (depth == 0 && has_cells) {
      if (r.type == rt::kDimensions || IsCellRecord(r.type)) {
        if (!block_placed) sheet->cell_block_at = sheet->records.size();
        block_placed = true;
        if (r.type == rt::kDimensions) {
          ReserveFromDimensions(r, row_budget, context, *sheet);
        } else {
          ReadCellRecord(r, reader, context, *sheet);
        }
        continue;
      }
      if (r.type == rt::kIndex || r.type == rt::kDbCell) continue;
      if (r.type == rt::kColInfo) NoteColumnFormat(r, *sheet);
      if (r.type == rt::kWindow2 && window_at == 0) {
        window_at = sheet->records.size();
      }
    }
    if (r.type == rt::kBof && ++depth > kMaxNesting) {
      Fail(sheet_what, "the workbook is damaged (substreams nest too deep)");
    }
    sheet->records.push_back({r.type, std::string(r.data)});
    if (r.type == rt::kEof && depth-- == 0) break;
  }
  if (!block_placed) {
    sheet->cell_block_at =
        window_at != 0 ? window_at : sheet->records.size() - 1;
  }
  return sheet;
}

}  // namespace

BookData ParseWorkbookStream(std::string_view stream, std::string_view what) {
  Globals globals = ReadGlobals(stream, what);
  BookData book;
  // Sheets listed at one offset share their records: a damaged sheet list
  // naming one sheet many times costs no more than naming it once.
  std::map<std::uint32_t, std::shared_ptr<const SheetData>> read;
  std::size_t row_budget = stream.size() / 10;
  for (SheetPlace& place : globals.sheets) {
    place.entry.origin = static_cast<int>(book.sheets.size());
    auto& data = read[place.offset];
    if (!data) {
      data = ReadSheet(stream, place, globals.strings, what, row_budget);
    }
    place.entry.data = data;
    book.sheets.push_back(std::move(place.entry));
  }
  book.globals = std::make_shared<const RecordList>(std::move(globals.records));
  book.active_sheet =
      std::clamp(globals.active_sheet, 0,
                 std::max(0, static_cast<int>(book.sheets.size()) - 1));
  book.other_streams = std::make_shared<const std::vector<CompoundEntry>>();
  return book;
}

BookData ReadWorkbook(std::string_view file_bytes, std::string_view what) {
  CompoundContents contents = ReadCompoundFile(file_bytes, what);
  BookData book = ParseWorkbookStream(contents.workbook, what);
  book.other_streams = std::make_shared<const std::vector<CompoundEntry>>(
      std::move(contents.others));
  book.root_class_id = std::move(contents.root_class_id);
  return book;
}

}  // namespace tarnwick::spreadsheet::xls
