#include <iostream>
#include <string>

#include "cli/cli_options.h"
#include "core/error.h"
#include "core/number_rules.h"
#include "spreadsheet/application.h"

namespace tarnwick::cli {
namespace {

// Texts stay on one line and keep their TABs apart from the separators.
std::string Escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// The kind letter and value text of a cell that is not empty.
std::string CellFields(const spreadsheet::CellValue& v) {
  using spreadsheet::CellKind;
  switch (v.kind()) {
    case CellKind::kNumber:
      return "n\t" + NumberText(v.number());
    case CellKind::kText:
      return "s\t" + Escaped(v.text());
    case CellKind::kBoolean:
      return std::string("b\t") + (v.boolean() ? "TRUE" : "FALSE");
    case CellKind::kError:
      return std::string("e\t") + spreadsheet::ErrorCodeText(v.error_code());
    case CellKind::kEmpty:
      break;
  }
  return "";
}

void DumpSheet(int index, const spreadsheet::Sheet& sheet, std::string& out) {
  out +=
      "sheet\t" + std::to_string(index) + "\t" + Escaped(sheet.Name()) + "\n";
  int rows = sheet.UsedRows();
  int columns = sheet.UsedColumns();
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= columns; ++c) {
      spreadsheet::CellValue v = sheet.Cells(r, c);
      if (v.IsEmpty()) continue;
      out += std::to_string(r) + "\t" + std::to_string(c) + "\t" +
             CellFields(v) + "\n";
    }
  }
}

}  // namespace

// Prints every sheet of a workbook and every cell that holds something, for
// people and scripts that want to see what a workbook holds.
int RunDump(const CliOptions& options) {
  std::string out;
  try {
    spreadsheet::Application app;
    spreadsheet::Workbook& book = app.Workbooks().Add(options.operand);
    spreadsheet::SheetCollection sheets = book.Sheets();
    for (int i = 1; i <= sheets.Count(); ++i) {
      DumpSheet(i, sheets.Item(i), out);
    }
  } catch (const Error& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  std::cout << out;
  std::cout.flush();
  return std::cout ? 0 : 1;
}

}  // namespace tarnwick::cli
