#include "spreadsheet/xls/cell_records.h"

#include <algorithm>

#include "core/error.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/continued_data.h"
#include "spreadsheet/xls/rk_number.h"

namespace tarnwick::spreadsheet::xls {
namespace {

[[noreturn]] void Damaged(const CellContext& context, std::string_view why) {
  throw Error(std::string(context.what) + ": the workbook is damaged (" +
              std::string(why) + ")");
}

void NeedBytes(const RecordView& record, std::size_t count,
               const CellContext& context) {
  if (record.data.size() < count) {
    Damaged(context, "a cell record at byte " + std::to_string(record.offset) +
                         " is too short");
  }
}

void Store(SheetData& sheet, const RecordView& record, std::size_t at,
           const CellValue& value, const CellContext& context) {
  const char* p = record.data.data() + at;
  StoredCell& cell = CellAt(sheet, GetU16(p), GetU16(p + 2), context);
  SetValue(sheet, cell, value);
  cell.xf = GetU16(p + 4);
}

// The record's data followed by that of the CONTINUE records after it.
std::vector<std::string_view> WithContinues(const RecordView& record,
                                            RecordReader& reader,
                                            std::string* raw = nullptr) {
  std::vector<std::string_view> segments{record.data};
  while (reader.PeekType() == rt::kContinue) {
    RecordView next = reader.Next();
    segments.push_back(next.data);
    if (raw) AppendRecord(*raw, next.type, next.data);
  }
  return segments;
}

CellValue FormulaResult(const RecordView& record) {
  const char* p = record.data.data() + 6;
  if (GetU16(p + 6) != 0xFFFF) return CellValue::Number(GetF64(p));
  switch (static_cast<std::uint8_t>(p[0])) {
    case 1:
      return CellValue::Boolean(p[2] != 0);
    case 2:
      return CellValue::Error(static_cast<std::uint8_t>(p[2]));
    case 0:  // the text follows in a STRING record
    case 3:
      return CellValue::Text("");
    default:
      return CellValue();
  }
}

// A formula numbered as Excel 3 or 4 did (its tokens in their form) is read
// as the value it last gave, and is saved as that value.
void ReadFormula(const RecordView& record, RecordReader& reader,
                 const CellContext& context, SheetData& sheet) {
  bool keep = record.type == rt::kFormula;
  NeedBytes(record, keep ? 20 : 16, context);
  std::string chain;
  AppendRecord(chain, record.type, record.data);
  CellValue value = FormulaResult(record);
  WithContinues(record, reader, &chain);
  for (;;) {
    std::uint16_t type = reader.PeekType();
    if (type != rt::kString && type != rt::kShrFmla && type != rt::kArray &&
        type != rt::kTable) {
      break;
    }
    RecordView next = reader.Next();
    AppendRecord(chain, next.type, next.data);
    std::vector<std::string_view> segments =
        WithContinues(next, reader, &chain);
    if (type == rt::kString && value.kind() == CellKind::kText) {
      ContinuedData data(std::move(segments), context.what);
      value = CellValue::Text(
          context.byte_strings ? data.ByteString(data.U16(), context.code_page)
                               : data.UnicodeString());
    }
  }
  Store(sheet, record, 0, value, context);
  if (!keep) return;
  const char* p = record.data.data();
  StoredCell& cell = CellAt(sheet, GetU16(p), GetU16(p + 2), context);
  sheet.formula_texts.push_back(cell.kind == CellKind::kText ? cell.ref : 0);
  cell.ref = static_cast<std::uint32_t>(sheet.formulas.size());
  cell.is_formula = true;
  sheet.formulas.push_back(std::move(chain));
}

void ReadMulRk(const RecordView& record, const CellContext& context,
               SheetData& sheet) {
  NeedBytes(record, 6, context);
  const char* p = record.data.data();
  std::uint16_t row = GetU16(p);
  std::uint16_t first = GetU16(p + 2);
  std::size_t count = (record.data.size() - 6) / 6;
  for (std::size_t k = 0; k < count; ++k) {
    const char* item = p + 4 + 6 * k;
    StoredCell& cell =
        CellAt(sheet, row, static_cast<std::uint16_t>(first + k), context);
    SetNumber(cell, DecodeRk(GetU32(item + 2)));
    cell.xf = GetU16(item);
  }
}

void ReadMulBlank(const RecordView& record, const CellContext& context,
                  SheetData& sheet) {
  NeedBytes(record, 6, context);
  const char* p = record.data.data();
  std::uint16_t row = GetU16(p);
  std::uint16_t first = GetU16(p + 2);
  std::size_t count = (record.data.size() - 6) / 2;
  for (std::size_t k = 0; k < count; ++k) {
    StoredCell& cell =
        CellAt(sheet, row, static_cast<std::uint16_t>(first + k), context);
    SetValue(sheet, cell, CellValue());
    cell.xf = GetU16(p + 4 + 2 * k);
  }
}

void ReadSharedText(const RecordView& record, const CellContext& context,
                    SheetData& sheet) {
  std::uint32_t index = GetU32(record.data.data() + 6);
  if (index >= context.strings->size()) {
    Damaged(context, "a cell refers to text " + std::to_string(index) +
                         " of a table of " +
                         std::to_string(context.strings->size()));
  }
  const char* p = record.data.data();
  StoredCell& cell = CellAt(sheet, GetU16(p), GetU16(p + 2), context);
  CellContext::SharedTextSlot& seen = context.shared_texts[index % 64];
  if (seen.index == index) {
    SetTextSlot(cell, seen.slot);
  } else if (auto runs = context.string_runs->find(index);
             runs != context.string_runs->end()) {
    auto [slot, added] = context.rich_slots.try_emplace(index, 0);
    if (added) {
      SetRichText(sheet, cell, (*context.strings)[index], runs->second);
      slot->second = cell.ref;
    } else {
      SetTextSlot(cell, slot->second);
    }
    seen = {index, cell.ref};
  } else {
    SetText(sheet, cell, (*context.strings)[index]);
    seen = {index, cell.ref};
  }
  cell.xf = GetU16(p + 4);
}

// A text of the cell's own (LABEL), or with rich-text runs (RSTRING).
void ReadLabel(const RecordView& record, RecordReader& reader,
               const CellContext& context, SheetData& sheet) {
  NeedBytes(record, 6, context);
  std::vector<std::string_view> segments = WithContinues(record, reader);
  segments[0].remove_prefix(6);
  ContinuedData data(std::move(segments), context.what);
  if (context.byte_strings) {
    std::string text = data.ByteString(data.U16(), context.code_page);
    Store(sheet, record, 0, CellValue::Text(text), context);
    return;
  }
  std::string text = data.UnicodeString();
  std::string runs;
  if (record.type == rt::kRString) {
    // Runs cut short are dropped; the text itself is whole.
    try {
      std::size_t count = data.U16();
      for (std::size_t k = 0; k < 4 * count; ++k) {
        runs.push_back(static_cast<char>(data.U8()));
      }
    } catch (const Error&) {
      runs.clear();
    }
  }
  if (runs.empty()) {
    Store(sheet, record, 0, CellValue::Text(text), context);
    return;
  }
  const char* p = record.data.data();
  StoredCell& cell = CellAt(sheet, GetU16(p), GetU16(p + 2), context);
  SetRichText(sheet, cell, text, std::move(runs));
  cell.xf = GetU16(p + 4);
}

void ReadRow(const RecordView& record, const CellContext& context,
             SheetData& sheet) {
  NeedBytes(record, 16, context);
  std::uint16_t row = GetU16(record.data.data());
  if (sheet.rows.size() <= row) sheet.rows.resize(row + 1u);
  std::uint32_t& index = sheet.rows[row].row_record;
  if (index == kNoRowRecord) {
    index = static_cast<std::uint32_t>(sheet.row_records.size());
    sheet.row_records.emplace_back();
  }
  std::copy_n(record.data.data(), 16, sheet.row_records[index].data());
}

}  // namespace

StoredCell& GrowToCell(SheetData& sheet, std::uint16_t row,
                       std::uint16_t column, const CellContext& context) {
  if (column >= kSheetColumns) {
    Damaged(context, "a cell lies beyond column IV");
  }
  if (sheet.rows.size() <= row) sheet.rows.resize(row + 1u);
  std::vector<StoredCell>& cells = sheet.rows[row].cells;
  if (cells.size() <= column) {
    if (cells.capacity() <= column) {
      cells.reserve(std::max<std::size_t>(
          {column + 1u, 2 * cells.capacity(), context.row_width}));
    }
    if (cells.size() == column) {
      return cells.emplace_back();
    }
    cells.resize(column + 1u);
  }
  return cells[column];
}

void ReadOtherCellRecord(const RecordView& record, RecordReader& reader,
                         const CellContext& context, SheetData& sheet) {
  const char* p = record.data.data();
  switch (record.type) {
    case rt::kFormula:
      ReadFormula(record, reader, context, sheet);
      return;
    case rt::kNumber:
      NeedBytes(record, 14, context);
      StoreNumberCell(sheet, p, GetF64(p + 6), context);
      return;
    case rt::kFormula3:
    case rt::kFormula4:
      ReadFormula(record, reader, context, sheet);
      return;
    case rt::kRk:
    case rt::kRk2:
      NeedBytes(record, 10, context);
      StoreNumberCell(sheet, p, DecodeRk(GetU32(p + 6)), context);
      return;
    case rt::kMulRk:
      ReadMulRk(record, context, sheet);
      return;
    case rt::kLabelSst:
      NeedBytes(record, 10, context);
      ReadSharedText(record, context, sheet);
      return;
    case rt::kLabel:
    case rt::kRString:
      ReadLabel(record, reader, context, sheet);
      return;
    case rt::kBlank:
      NeedBytes(record, 6, context);
      Store(sheet, record, 0, CellValue(), context);
      return;
    case rt::kMulBlank:
      ReadMulBlank(record, context, sheet);
      return;
    case rt::kBoolErr:
      NeedBytes(record, 8, context);
      Store(sheet, record, 0,
            p[7] ? CellValue::Error(static_cast<std::uint8_t>(p[6]))
                 : CellValue::Boolean(p[6] != 0),
            context);
      return;
    case rt::kRow:
      ReadRow(record, context, sheet);
      return;
    default:
      // A STRING, SHRFMLA, ARRAY or TABLE away from its FORMULA belongs to
      // no cell; it is dropped with the rest of the cell records.
      WithContinues(record, reader);
      return;
  }
}

}  // namespace tarnwick::spreadsheet::xls
