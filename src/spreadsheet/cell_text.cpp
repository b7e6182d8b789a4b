#include "spreadsheet/cell_text.h"

#include <optional>

#include "core/error.h"
#include "core/number_rules.h"

namespace tarnwick {

std::int16_t ToInt16(const spreadsheet::CellValue& v, std::string_view what) {
  if (!IsNumericValue(v)) {
    throw Error(std::string(what) + " \"" + CellText(v) + "\" is no number");
  }
  return ToInt16(NumericValue(v), what);
}

spreadsheet::CellValue EnteredValue(std::string_view text) {
  if (text.empty()) return {};
  std::optional<double> number;
  try {
    number = ParseWholeNumber(text);
  } catch (const Error&) {
    // Too large for a number: a spreadsheet keeps such an entry as text.
  }
  return number ? spreadsheet::CellValue::Number(*number)
                : spreadsheet::CellValue::Text(std::string(text));
}

std::string CellText(const spreadsheet::CellValue& v) {
  using spreadsheet::CellKind;
  switch (v.kind()) {
    case CellKind::kEmpty:
      return "";
    case CellKind::kText:
      return v.text();
    case CellKind::kNumber:
      return NumberText(v.number());
    case CellKind::kBoolean:
      return v.boolean() ? "TRUE" : "FALSE";
    case CellKind::kError:
      return spreadsheet::ErrorCodeText(v.error_code());
  }
  return "";
}

bool IsNumericValue(const spreadsheet::CellValue& v) {
  using spreadsheet::CellKind;
  switch (v.kind()) {
    case CellKind::kEmpty:
    case CellKind::kNumber:
      return true;
    case CellKind::kText:
      return IsWholeNumber(v.text());
    default:
      return false;
  }
}

double NumericValue(const spreadsheet::CellValue& v) {
  using spreadsheet::CellKind;
  if (v.kind() == CellKind::kNumber) return v.number();
  if (v.kind() == CellKind::kText)
    return ParseWholeNumber(v.text()).value_or(0);
  return 0;
}

}  // namespace tarnwick
