#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet::xls {

CellValue ValueOf(const SheetData& sheet, const StoredCell& cell) {
  switch (cell.kind) {
    case CellKind::kNumber:
      return CellValue::Number(cell.number);
    case CellKind::kText:
      return CellValue::Text(sheet.texts[cell.text]);
    case CellKind::kBoolean:
      return CellValue::Boolean(cell.number != 0);
    case CellKind::kError:
      return CellValue::Error(static_cast<std::uint8_t>(cell.number));
    case CellKind::kEmpty:
      break;
  }
  return {};
}

void SetValue(SheetData& sheet, StoredCell& cell, const CellValue& value) {
  if (value.kind() == CellKind::kText) {
    SetText(sheet, cell, value.text());
    return;
  }
  cell.kind = value.kind();
  cell.number = value.number();
  cell.formula = kNoFormula;
  cell.present = true;
}

void SetText(SheetData& sheet, StoredCell& cell, std::string_view text) {
  bool had_text = cell.kind == CellKind::kText;
  cell.kind = CellKind::kText;
  cell.number = 0;
  cell.formula = kNoFormula;
  cell.present = true;
  // A cell written again reuses its own slot for the text.
  if (had_text && cell.text < sheet.texts.size()) {
    sheet.texts[cell.text].assign(text);
  } else {
    cell.text = static_cast<std::uint32_t>(sheet.texts.size());
    sheet.texts.emplace_back(text);
  }
}

}  // namespace tarnwick::spreadsheet::xls
