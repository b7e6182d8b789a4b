#include "import/csv/csv_fixture.h"

#include <cstdio>
#include <sstream>

#include "spreadsheet/cell_text.h"
#include "support/temp_dir.h"

namespace tarnwick::test {

void MakeCsvAppFolder(const std::filesystem::path& app_folder) {
  std::filesystem::create_directories(app_folder / "System");
  WriteBytes(app_folder / "System" / "Color.txt",
             "D\r\nE\r\nF\r\nG\r\nH\r\nI\r\nJ\r\nK\r\n");
  std::string clarities;
  for (const std::string& c : UsualClarities()) clarities += c + "\r\n";
  WriteBytes(app_folder / "System" / "Clarity.txt", clarities);
  spreadsheet::Application app;
  spreadsheet::Workbook& book = app.Workbooks().Add();
  spreadsheet::Sheet& sheet = book.Worksheets().Item(1);
  sheet.SetName("Price");
  sheet.SetCells(1, 1, "Tables:");
  sheet.SetCells(1, 2, 0.0);
  book.SaveAs(app_folder / "System" / "CSVTemplate.xls");
  book.Close();
}

const std::vector<std::string>& UsualClarities() {
  static const std::vector<std::string> grades = {"IF",  "VVS1", "VVS2", "VS1",
                                                  "VS2", "SI1",  "SI2",  "SI3",
                                                  "I1",  "I2",   "I3"};
  return grades;
}

std::string TableRecords(const std::string& mass_from,
                         const std::vector<std::string>& colors,
                         int first_price) {
  std::string text;
  int price = first_price;
  for (const std::string& color : colors) {
    for (const std::string& clarity : UsualClarities()) {
      text += "R," + clarity + "," + color + "," + mass_from + ",0.99," +
              std::to_string(price++) + ",x\r\n";
    }
  }
  return text;
}

std::string Shown(const spreadsheet::Sheet& sheet, int row, int column) {
  return CellText(sheet.Cells(row, column));
}

std::string ShownCells(const spreadsheet::Sheet& sheet,
                       const std::string& cells) {
  std::istringstream in(cells);
  std::string shown, cell;
  while (in >> cell) {
    int row = 0, column = 0;
    std::sscanf(cell.c_str(), "%d/%d", &row, &column);
    shown += (shown.empty() ? "" : " ") + cell.substr(0, cell.find('=') + 1) +
             Shown(sheet, row, column);
  }
  return shown;
}

std::string ColumnA(const spreadsheet::Sheet& sheet, int first, int last) {
  std::string cells = Shown(sheet, first, 1);
  for (int row = first + 1; row <= last; ++row)
    cells += "|" + Shown(sheet, row, 1);
  return cells;
}

}  // namespace tarnwick::test
