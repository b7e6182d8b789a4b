// tarnwick-make-workbook: builds an Excel 97-2003 workbook from a readable
// text source, so that templates and demo workbooks live in the repository
// as text a person can review.
//
//   # a comment line
//   [Sheet name]           starts a new worksheet
//   cell<TAB>cell<TAB>...  one line per row, row 1 first; an empty line is an
//                          empty row (blank lines before the first
//                          sheet are skipped)
//
// Cells are typed as into a General cell: a text that is a number as a whole
// becomes that number, an empty cell stays empty, and a leading apostrophe
// keeps the rest as text (a lone apostrophe is an empty text).
//
//   tarnwick-make-workbook SOURCE.sheets OUTPUT.xls

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"
#include "spreadsheet/application.h"

namespace {

using tarnwick::Error;
using tarnwick::spreadsheet::Application;
using tarnwick::spreadsheet::CellValue;
using tarnwick::spreadsheet::Sheet;
using tarnwick::spreadsheet::Workbook;

std::string ReadSource(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(path.string() + ": cannot be opened");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::string text = bytes.str();
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  return text;
}

std::vector<std::string_view> SplitOn(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

void TypeCell(Sheet& sheet, int row, int column, std::string_view cell) {
  if (cell.empty()) return;
  if (cell.front() == '\'') {
    sheet.SetCells(row, column, CellValue::Text(std::string(cell.substr(1))));
  } else {
    sheet.SetCells(row, column, cell);
  }
}

// The first sheet of the source takes over the blank workbook's "Sheet1";
// every later one is added after the last.
void BuildWorkbook(std::string_view source, const std::string& source_name,
                   Workbook& book) {
  Sheet* sheet = nullptr;
  int sheets = 0;
  int row = 0;
  std::vector<std::string_view> lines = SplitOn(source, '\n');
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string where = source_name + ":" + std::to_string(i + 1) + ": ";
    if (line.starts_with("#")) continue;
    if (line.starts_with("[") && line.ends_with("]") && line.size() >= 2) {
      std::string name(line.substr(1, line.size() - 2));
      try {
        if (sheets == 0) {
          sheet = &book.Sheets().Item(1);
          sheet->SetName(name);
        } else {
          sheet = &book.AddWorksheet(name);
        }
      } catch (const Error& e) {
        throw Error(where + e.what());
      }
      ++sheets;
      row = 0;
      continue;
    }
    if (sheet == nullptr) {
      // Blank lines may set the opening comment apart from the first sheet.
      if (line.empty()) continue;
      throw Error(where + "a row comes before the first [Sheet name] line");
    }
    ++row;
    std::vector<std::string_view> cells = SplitOn(line, '\t');
    try {
      for (std::size_t c = 0; c < cells.size(); ++c) {
        TypeCell(*sheet, row, static_cast<int>(c) + 1, cells[c]);
      }
    } catch (const Error& e) {
      throw Error(where + e.what());
    }
  }
  if (sheets == 0) throw Error(source_name + ": no [Sheet name] line");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tarnwick-make-workbook SOURCE.sheets OUTPUT.xls\n";
    return 2;
  }
  try {
    std::filesystem::path source_path = argv[1];
    std::string source = ReadSource(source_path);
    Application app;
    Workbook& book = app.Workbooks().Add();
    BuildWorkbook(source, source_path.filename().string(), book);
    book.SaveAs(std::filesystem::absolute(argv[2]));
    book.Close();
  } catch (const std::exception& e) {
    std::cerr << "tarnwick-make-workbook: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
