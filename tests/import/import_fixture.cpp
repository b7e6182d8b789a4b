#include "import/import_fixture.h"

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
  auto little = [](std::size_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
    return out;
  };
  std::string descriptors;
  int record_length = 1;
  for (const DbfField& f : fields) {
    descriptors += f.name + std::string(11 - f.name.size(), '\0') + f.type +
                   little(record_length, 4) + static_cast<char>(f.width) +
                   static_cast<char>(f.decimals) + std::string(14, '\0');
    record_length += f.width;
  }
  const int backlink = version == kVisualFoxPro ? 263 : 0;
  // Last updated 2026-12-06; code page Windows ANSI.
  std::string out = std::string{static_cast<char>(version), 126, 12, 6} +
                    little(records.size(), 4) +
                    little(33 + descriptors.size() + backlink, 2) +
                    little(record_length, 2) + std::string(17, '\0') + '\x03' +
                    std::string(2, '\0') + descriptors + '\x0D' +
                    std::string(backlink, '\0');
  for (const std::string& record : records) {
    out += record.starts_with('*') ? '*' : ' ';
    std::istringstream texts(record.substr(record.starts_with('*')));
    for (const DbfField& f : fields) {
      std::string cell;
      std::getline(texts, cell, '|');
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

}  // namespace tarnwick::test
