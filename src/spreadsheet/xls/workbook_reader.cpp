#include "spreadsheet/xls/workbook_reader.h"

#include <algorithm>
#include <map>
#include <optional>

#include "core/error.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/cell_records.h"
#include "spreadsheet/xls/code_page.h"
#include "spreadsheet/xls/continued_data.h"
#include "spreadsheet/xls/file_pass.h"
#include "spreadsheet/xls/record_reader.h"

namespace tarnwick::spreadsheet::xls {
namespace {

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
  std::unordered_map<std::uint32_t, std::string> string_runs;
  int active_sheet = 0;
  std::uint16_t biff_version = kBiff8;
  std::uint16_t code_page = kDefaultCodePage;
  std::size_t end = 0;  // of the global records in the stream
};

// The version the workbook's first BOF gives, whatever its stream is named.
std::uint16_t BiffVersion(const RecordView& bof, std::string_view what) {
  if (bof.type != rt::kBof || bof.data.size() < 4) {
    Fail(what,
         "not an Excel 97-2003 workbook (its stream does not begin "
         "like one)");
  }
  std::uint16_t version = GetU16(bof.data.data());
  if (version != kBiff8 && version != kBiff5) {
    Fail(what,
         "this is a workbook of an Excel older than 5.0; save it as an Excel "
         "97-2003 workbook");
  }
  return version;
}

SheetPlace ReadBoundSheet(const RecordView& record, RecordReader& reader,
                          const Globals& g, std::string_view what) {
  std::vector<std::string_view> segments{record.data};
  while (reader.PeekType() == rt::kContinue)
    segments.push_back(reader.Next().data);
  ContinuedData data(std::move(segments), what);
  SheetPlace place;
  place.offset = data.U32();
  place.entry.visibility = data.U8() & 0x03;
  place.entry.type = data.U8();
  place.entry.name = g.biff_version == kBiff5
                         ? data.ByteString(data.U8(), g.code_page)
                         : data.ShortUnicodeString();
  return place;
}

void ReadSharedStrings(const RecordView& record, RecordReader& reader,
                       std::string_view what, Globals& g) {
  std::vector<std::string_view> segments{record.data};
  std::size_t bytes = record.data.size();
  while (reader.PeekType() == rt::kContinue) {
    segments.push_back(reader.Next().data);
    bytes += segments.back().size();
  }
  ContinuedData data(std::move(segments), what);
  data.U32();  // references to the table, not needed to read it
  std::uint32_t unique = data.U32();
  std::vector<std::string>& strings = g.strings;
  strings.reserve(std::min<std::size_t>(unique, bytes / 3));
  // Some writers count more strings than they store, others fewer: what is
  // there counts. Past the count, a string cut short ends the table.
  std::string runs;
  while (!data.AtEnd()) {
    if (strings.size() < unique) {
      strings.push_back(data.UnicodeString(&runs));
    } else {
      try {
        strings.push_back(data.UnicodeString(&runs));
      } catch (const Error&) {
        break;
      }
    }
    if (!runs.empty()) {
      g.string_runs.emplace(static_cast<std::uint32_t>(strings.size() - 1),
                            std::move(runs));
      runs.clear();
    }
  }
}

Globals ReadGlobals(std::string_view stream, std::string_view what) {
  Globals g;
  RecordReader reader(stream, 0, what);
  RecordView bof = reader.Next();
  g.biff_version = BiffVersion(bof, what);
  g.records.push_back({bof.type, std::string(bof.data)});
  bool sheet_list_placed = false;
  bool strings_placed = false;
  for (;;) {
    RecordView r = reader.Next();
    switch (r.type) {
      case rt::kFilePass:
        // The stream was decrypted before; the copy saved is not encrypted.
        continue;
      case rt::kCodePage:
        if (r.data.size() >= 2) g.code_page = GetU16(r.data.data());
        break;
      case rt::kBof:
        Fail(what, "the workbook is damaged (its global records never end)");
      case rt::kBoundSheet:
        g.sheets.push_back(ReadBoundSheet(r, reader, g, what));
        if (!sheet_list_placed) g.records.push_back({kSheetListHere, {}});
        sheet_list_placed = true;
        continue;
      case rt::kSst:
        ReadSharedStrings(r, reader, what, g);
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
      g.end = reader.offset();
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
// Every used row needs a cell record of at least 10 bytes, so a sheet is
// given no more rows than its substream can hold: a damaged file cannot make
// the reader reserve more than its own size warrants.
// Excel 5.0/95 counts the rows in 16 bits.
void ReserveFromDimensions(const RecordView& r, std::size_t& row_budget,
                           CellContext& context, SheetData& sheet) {
  bool narrow = context.byte_strings;
  if (r.data.size() < (narrow ? 8u : 12u)) return;
  const char* p = r.data.data();
  std::uint32_t rows = narrow ? GetU16(p + 2) : GetU32(p + 4);
  std::uint16_t columns = GetU16(p + (narrow ? 6 : 10));
  if (rows <= 65536 && rows <= row_budget) {
    sheet.rows.reserve(rows);
    row_budget -= rows;
  }
  if (columns > 0 && columns <= 256) context.row_width = columns;
}

std::string SheetWhat(std::string_view what, std::string_view name) {
  return std::string(what) + ": sheet \"" + std::string(name) + "\"";
}

// Checks that `offset` starts a sheet substream; returns the reader past its
// BOF and the substream kind.
RecordReader OpenSheet(std::string_view stream, std::uint32_t offset,
                       std::string_view sheet_what, std::uint16_t* kind) {
  if (offset >= stream.size()) {
    Fail(sheet_what,
         "the workbook is damaged (the sheet lies beyond the end "
         "of the workbook stream)");
  }
  RecordReader reader(stream, offset, sheet_what);
  if (reader.PeekType() != rt::kBof) {
    Fail(sheet_what,
         "the workbook is damaged (the sheet list points to no sheet)");
  }
  RecordReader probe = reader;
  RecordView bof = probe.Next();
  if (bof.data.size() < 4) {
    Fail(sheet_what,
         "the workbook is damaged (the sheet list points to no sheet)");
  }
  *kind = GetU16(bof.data.data() + 2);
  return reader;
}

bool HoldsCells(std::uint16_t kind) {
  return kind == kBofWorksheet || kind == kBofMacroSheet;
}

// What opening a workbook learns of a sheet without decoding it: whether it
// holds cells, and how many bytes its substream spans. Its records are
// walked to its EOF, so a cut or overrunning substream is refused at once.
struct SheetShape {
  bool has_cells = false;
  std::size_t size = 0;
};

SheetShape WalkSheet(std::string_view stream, std::uint32_t offset,
                     std::string_view sheet_what) {
  std::uint16_t kind = 0;
  RecordReader reader = OpenSheet(stream, offset, sheet_what, &kind);
  reader.Next();
  int depth = 0;
  for (;;) {
    RecordView r = reader.Next();
    if (r.type == rt::kBof && ++depth > kMaxNesting) {
      Fail(sheet_what, "the workbook is damaged (substreams nest too deep)");
    }
    if (r.type == rt::kEof && depth-- == 0) break;
  }
  return {HoldsCells(kind), reader.offset() - offset};
}

std::shared_ptr<SheetData> ReadSheet(const WorkbookStream& stream,
                                     std::uint32_t offset,
                                     std::string_view sheet_what,
                                     std::size_t& row_budget) {
  std::uint16_t kind = 0;
  RecordReader reader = OpenSheet(stream.bytes, offset, sheet_what, &kind);
  RecordView bof = reader.Next();
  bool has_cells = HoldsCells(kind);
  auto sheet = std::make_shared<SheetData>();
  sheet->has_cells = has_cells;
  sheet->records.push_back({bof.type, std::string(bof.data)});
  CellContext context;
  context.strings = &stream.strings;
  context.what = sheet_what;
  context.string_runs = &stream.string_runs;
  context.byte_strings = stream.biff_version == kBiff5;
  context.code_page = stream.code_page;
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

// Some writers point a sheet's offset a few bytes before its BOF: the BOF is
// looked for just after it, never outside the stream.
constexpr std::size_t kBofSearch = 32;

std::uint32_t SheetStart(std::string_view stream, std::uint32_t offset) {
  auto is_bof = [stream](std::size_t at) {
    if (at + 8 > stream.size() || GetU16(stream.data() + at) != rt::kBof) {
      return false;
    }
    std::size_t length = GetU16(stream.data() + at + 2);
    return length >= 4 && at + 4 + length <= stream.size();
  };
  if (offset >= stream.size() || is_bof(offset)) return offset;
  for (std::size_t at = offset + 1;
       at <= offset + kBofSearch && at < stream.size(); ++at) {
    if (is_bof(at)) return static_cast<std::uint32_t>(at);
  }
  return offset;
}

// The substreams from `from` on that no sheet refers to (kept so that a
// saved copy carries them), up to the last one that ends.
std::string TrailingSubstreams(std::string_view stream, std::size_t from) {
  RecordReader reader(stream, from, "");
  std::size_t kept = from;
  try {
    while (reader.PeekType() == rt::kBof) {
      reader.Next();
      int depth = 0;
      for (;;) {
        RecordView r = reader.Next();
        if (r.type == rt::kBof && ++depth > kMaxNesting) return {};
        if (r.type == rt::kEof && depth-- == 0) break;
      }
      kept = reader.offset();
    }
  } catch (const Error&) {
    // A cut-off substream is dropped; the sheets are whole.
  }
  return std::string(stream.substr(from, kept - from));
}

// A sheet of the Workbook stream, decoded from its substream.
class BiffSheetSource : public SheetSource {
 public:
  BiffSheetSource(std::shared_ptr<const WorkbookStream> stream,
                  std::uint32_t offset, std::string what, bool has_cells,
                  std::size_t row_budget)
      : SheetSource(has_cells),
        stream_(std::move(stream)),
        offset_(offset),
        what_(std::move(what)),
        row_budget_(row_budget) {}

  std::shared_ptr<const ValueGrid> DecodeValues() const override {
    // Excel 5.0/95 sheets, rare, are decoded as usual.
    if (!has_cells() || stream_->biff_version != kBiff8) return nullptr;
    return DecodeValueGrid(stream_->bytes, offset_, stream_->strings);
  }

 protected:
  std::shared_ptr<const SheetData> Decode() const override {
    std::size_t row_budget = row_budget_;
    return ReadSheet(*stream_, offset_, what_, row_budget);
  }

 private:
  std::shared_ptr<const WorkbookStream> stream_;
  std::uint32_t offset_;
  std::string what_;
  std::size_t row_budget_;
};

BookData ParseWorkbook(std::shared_ptr<WorkbookStream> stream) {
  if (std::optional<std::string> plain =
          DecryptWorkbookStream(stream->bytes, stream->what)) {
    auto owned = std::make_shared<const std::string>(std::move(*plain));
    stream->bytes = *owned;
    stream->owner = std::move(owned);
  }
  Globals globals = ReadGlobals(stream->bytes, stream->what);
  stream->strings = std::move(globals.strings);
  stream->string_runs = std::move(globals.string_runs);
  stream->biff_version = globals.biff_version;
  stream->code_page = globals.code_page;
  std::shared_ptr<const WorkbookStream> shared = std::move(stream);
  BookData book;
  // Sheets listed at one offset share their source: a damaged sheet list
  // naming one sheet many times costs no more than naming it once.
  std::map<std::uint32_t, std::shared_ptr<const SheetSource>> sources;
  std::size_t end = globals.end;
  for (SheetPlace& place : globals.sheets) {
    place.entry.origin = static_cast<int>(book.sheets.size());
    place.offset = SheetStart(shared->bytes, place.offset);
    auto& source = sources[place.offset];
    if (!source) {
      std::string sheet_what = SheetWhat(shared->what, place.entry.name);
      SheetShape shape = WalkSheet(shared->bytes, place.offset, sheet_what);
      end = std::max(end, place.offset + shape.size);
      // Every used row needs a cell record of at least 10 bytes.
      source = std::make_shared<const BiffSheetSource>(
          shared, place.offset, std::move(sheet_what), shape.has_cells,
          shape.size / 10);
    }
    place.entry.source = source;
    book.sheets.push_back(std::move(place.entry));
  }
  book.globals = std::make_shared<const RecordList>(std::move(globals.records));
  book.active_sheet =
      std::clamp(globals.active_sheet, 0,
                 std::max(0, static_cast<int>(book.sheets.size()) - 1));
  book.other_streams = std::make_shared<const std::vector<CompoundEntry>>();
  book.biff_version = globals.biff_version;
  book.trailing_substreams = TrailingSubstreams(shared->bytes, end);
  return book;
}

std::shared_ptr<WorkbookStream> OwnedStream(std::string_view bytes,
                                            std::string_view what) {
  auto owned = std::make_shared<const std::string>(bytes);
  auto stream = std::make_shared<WorkbookStream>();
  stream->bytes = *owned;
  stream->owner = std::move(owned);
  stream->what = std::string(what);
  return stream;
}

}  // namespace

BookData ParseWorkbookStream(std::string_view stream, std::string_view what) {
  return ParseWorkbook(OwnedStream(stream, what));
}

BookData ReadWorkbook(std::string_view file_bytes, std::string_view what) {
  return ReadWorkbook(file_bytes, nullptr, what);
}

BookData ReadWorkbook(std::string_view file_bytes,
                      std::shared_ptr<const void> owner,
                      std::string_view what) {
  CompoundContents contents = ReadCompoundFile(file_bytes, what);
  std::shared_ptr<WorkbookStream> stream;
  if (owner && !contents.workbook_in_file.empty()) {
    stream = std::make_shared<WorkbookStream>();
    stream->bytes = contents.workbook_in_file;
    stream->owner = std::move(owner);
    stream->what = std::string(what);
  } else {
    stream = OwnedStream(contents.WorkbookBytes(), what);
  }
  BookData book = ParseWorkbook(std::move(stream));
  book.other_streams = std::make_shared<const std::vector<CompoundEntry>>(
      std::move(contents.others));
  book.root_class_id = std::move(contents.root_class_id);
  return book;
}

}  // namespace tarnwick::spreadsheet::xls
