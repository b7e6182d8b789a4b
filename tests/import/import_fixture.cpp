#include "import/import_fixture.h"

#include <cstdint>
#include <cstdio>
#include <sstream>

#include "spreadsheet/cell_text.h"
#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

const char* const kClarities[] = {"IF",  "VVS1", "VVS2", "VS1", "VS2", "SI1",
                                  "SI2", "SI3",  "I1",   "I2",  "I3"};

}  // namespace

void MakeCsvAppFolder(const std::filesystem::path& app_folder) {
  std::filesystem::create_directories(app_folder / "System");
  std::filesystem::create_directories(app_folder / "Sample");
  WriteBytes(app_folder / "System" / "Color.txt",
             "D\r\nE\r\nF\r\nG\r\nH\r\nI\r\nJ\r\nK\r\n");
  std::string clarities;
  for (const char* c : kClarities) clarities += std::string(c) + "\r\n";
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

std::string TableRecords(const std::string& mass_from,
                         const std::vector<std::string>& colors,
                         int first_price) {
  std::string text;
  for (const std::string& color : colors) {
    for (const char* clarity : kClarities) {
      text += "R," + std::string(clarity) + "," + color + "," + mass_from +
              ",0.99," + std::to_string(first_price++) + ",x\r\n";
    }
  }
  return text;
}

std::string DbfBytes(const std::vector<DbfField>& fields,
                     const std::vector<std::string>& records,
                     unsigned char version) {
  std::string out(1, static_cast<char>(version));
  auto little = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      out.push_back(static_cast<char>(value >> (8 * i)));
  };
  int backlink = version == kVisualFoxPro ? 263 : 0;
  int record_length = 1;
  for (const DbfField& f : fields) record_length += f.width;
  out += std::string{126, 12, 6};  // last update 2026-12-06
  little(static_cast<std::uint32_t>(records.size()), 4);
  little(32 + 32 * fields.size() + 1 + backlink, 2);
  little(record_length, 2);
  out += std::string(17, '\0') + '\x03' + std::string(2, '\0');  // Windows ANSI
  int offset = 1;
  for (const DbfField& f : fields) {
    std::string name = f.name.substr(0, 10);
    out += name + std::string(11 - name.size(), '\0') + f.type;
    little(offset, 4);
    out +=
        std::string{static_cast<char>(f.width), static_cast<char>(f.decimals)};
    out += std::string(14, '\0');
    offset += f.width;
  }
  out += '\x0D' + std::string(backlink, '\0');
  for (const std::string& record : records) {
    out.push_back(record.starts_with('*') ? '*' : ' ');
    std::istringstream texts(record.substr(record.starts_with('*')));
    for (const DbfField& f : fields) {
      std::string cell;
      std::getline(texts, cell, '|');
      cell = cell.substr(0, f.width);
      std::string pad(f.width - cell.size(), ' ');
      out += f.type == 'N' || f.type == 'F' ? pad + cell : cell + pad;
    }
  }
  return out + '\x1A';
}

std::vector<DbfField> PriceFields(int count) {
  std::vector<DbfField> fields;
  for (int k = 1; k <= count; ++k) fields.push_back({"P" + std::to_string(k)});
  return fields;
}

std::string ShownCells(const spreadsheet::Sheet& sheet,
                       const std::string& cells) {
  std::istringstream in(cells);
  std::string shown, cell;
  while (in >> cell) {
    int row = 0, column = 0;
    std::sscanf(cell.c_str(), "%d/%d", &row, &column);
    shown += (shown.empty() ? "" : " ") + cell.substr(0, cell.find('=') + 1) +
             CellText(sheet.Cells(row, column));
  }
  return shown;
}

std::string ColumnA(const spreadsheet::Sheet& sheet, int first, int last) {
  std::string cells = CellText(sheet.Cells(first, 1));
  for (int row = first + 1; row <= last; ++row)
    cells += "|" + CellText(sheet.Cells(row, 1));
  return cells;
}

}  // namespace tarnwick::test
