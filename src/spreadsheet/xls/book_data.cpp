#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet::xls {

CellValue ValueOf(const SheetData& sheet, const StoredCell& cell) {
  switch (cell.kind) {
    case CellKind::kNumber:
      return CellValue::Number(cell.number);
    case CellKind::kText:
      return CellValue::Text(sheet.texts[TextIndex(sheet, cell)]);
    case CellKind::kBoolean:
      return CellValue::Boolean(cell.number != 0);
    case CellKind::kError:
      return CellValue::Error(static_cast<std::uint8_t>(cell.number));
    case CellKind::kEmpty:
      break;
  }
  return {};
}

void DropFormula(const SheetData& sheet, StoredCell& cell) {
  if (!cell.is_formula) return;
  cell.ref = cell.kind == CellKind::kText ? TextIndex(sheet, cell) : 0;
  cell.is_formula = false;
}

void SetValue(SheetData& sheet, StoredCell& cell, const CellValue& value) {
  if (value.kind() == CellKind::kText) {
    SetText(sheet, cell, value.text());
    return;
  }
  cell.kind = value.kind();
  cell.number = value.number();
  cell.is_formula = false;
  cell.present = true;
}

namespace {

// A slot holding a text with rich-text runs is no other cell's.
bool IsRich(const SheetData& sheet, std::size_t slot) {
  return !sheet.text_runs.empty() &&
         sheet.text_runs.contains(static_cast<std::uint32_t>(slot));
}

}  // namespace

void SetText(SheetData& sheet, StoredCell& cell, std::string_view text) {
  cell.kind = CellKind::kText;
  cell.number = 0;
  cell.is_formula = false;
  cell.present = true;
  // Cells holding the same text share its slot; a slot is never changed.
  // A sheet of a few dozen texts, as most written sheets are, is searched
  // slot by slot: building an index for it costs more than it saves.
  constexpr std::size_t kSearchedInTurn = 64;
  if (sheet.text_index.empty() && sheet.texts.size() < kSearchedInTurn) {
    for (std::size_t i = 0; i < sheet.texts.size(); ++i) {
      if (sheet.texts[i] == text && !IsRich(sheet, i)) {
        cell.ref = static_cast<std::uint32_t>(i);
        return;
      }
    }
  } else {
    if (sheet.text_index.empty()) {
      // The first of equal texts keeps its place in the index.
      for (std::size_t i = 0; i < sheet.texts.size(); ++i) {
        if (!IsRich(sheet, i)) {
          sheet.text_index.emplace(sheet.texts[i],
                                   static_cast<std::uint32_t>(i));
        }
      }
    }
    if (auto it = sheet.text_index.find(text); it != sheet.text_index.end()) {
      cell.ref = it->second;
      return;
    }
  }
  cell.ref = static_cast<std::uint32_t>(sheet.texts.size());
  sheet.texts.emplace_back(text);
  if (!sheet.text_index.empty()) {
    sheet.text_index.emplace(sheet.texts.back(), cell.ref);
  }
}

void SetRichText(SheetData& sheet, StoredCell& cell, std::string_view text,
                 std::string runs) {
  SetTextSlot(cell, static_cast<std::uint32_t>(sheet.texts.size()));
  sheet.texts.emplace_back(text);
  sheet.text_runs.emplace(cell.ref, std::move(runs));
}

}  // namespace tarnwick::spreadsheet::xls
