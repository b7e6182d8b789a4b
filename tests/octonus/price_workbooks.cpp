#include "octonus/price_workbooks.h"

#include <ranges>

#include "spreadsheet/application.h"
#include "spreadsheet/cell_text.h"
#include "support/temp_dir.h"

namespace tarnwick::test {

Rows RowsOf(std::string_view text) {
  Rows rows;
  for (auto line : std::views::split(text, '\n')) {
    rows.emplace_back();
    for (auto cell : std::views::split(line, '|')) {
      rows.back().emplace_back(cell.begin(), cell.end());
    }
  }
  return rows;
}

void WriteWorkbook(const std::filesystem::path& path,
                   const std::vector<SheetRows>& sheets) {
  spreadsheet::Application app;
  spreadsheet::Workbook& book = app.Workbooks().Add();
  for (std::size_t s = 0; s < sheets.size(); ++s) {
    const auto& [name, rows] = sheets[s];
    spreadsheet::Sheet& sheet =
        s == 0 ? book.Sheets().Item(1) : book.AddWorksheet(name);
    sheet.SetName(name);
    for (int r = 0; r < std::ssize(rows); ++r) {
      std::vector<spreadsheet::CellValue> cells;
      for (const std::string& cell : rows[r]) {
        cells.push_back(cell.starts_with('\'')
                            ? spreadsheet::CellValue::Text(cell.substr(1))
                            : EnteredValue(cell));
      }
      sheet.SetRow(r + 1, 1, cells);
    }
  }
  book.SaveAs(path);
  book.Close();
}

std::string TableBytes(const Texts& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

Rows ExampleSheet() {
  return RowsOf(
      "TABLES:|1\nFORMAT:|3|2\nMASS:|0.3|0.39\nMAGNIFY:|1\n|X1|X2|X3\n"
      "R1|12500|11000|9800\nR2|11000|9900|8800\nEnd Price");
}

Texts ExampleLines() {
  return {"TABLES: 1",
          "Format: clarity 3       2",
          "Mass:   0.3     0.39",
          "Magnify:        1",
          "            X1          X2          X3          ",
          "R1          12500       11000       9800        ",
          "R2          11000       9900        8800        "};
}

std::string ExampleBytes() { return TableBytes(ExampleLines()); }

Rows ExampleDiscounts(const std::string& factor) {
  Texts prices = {"", factor, factor, factor};
  return {{}, {}, {}, {}, {}, prices, prices};
}

void WriteExamplePrice(const std::filesystem::path& folder,
                       const Texts& names) {
  std::vector<SheetRows> sheets;
  for (const auto& name : names) sheets.push_back({name, ExampleSheet()});
  WriteWorkbook(folder / "Price.xls", sheets);
}

Texts HiddenFiles(const std::filesystem::path& folder) {
  Texts names = FileNames(folder);
  // The folder's lock file stays, holding nothing, after every operation.
  std::erase_if(names, [](const std::string& name) {
    return !name.starts_with('.') || name == ".tarnwick.lock";
  });
  return names;
}

int RunCli(const std::filesystem::path& folder, const std::string& arguments,
           std::string* out, std::string* err) {
  std::filesystem::path err_file = folder / "config" / "stderr";
  std::filesystem::create_directories(err_file.parent_path());
  int status = RunCommand(
      "XDG_CONFIG_HOME='" + err_file.parent_path().string() + "' '" +
          TARNWICK_CLI + "' --app-folder '" + folder.string() + "' " +
          arguments + " </dev/null 2>'" + err_file.string() + "'",
      out);
  if (err != nullptr) *err = ReadBytes(err_file);
  return status;
}

int RunCliStoppedAtQuestion(const std::filesystem::path& folder,
                            const std::string& arguments, std::string* screen) {
  std::filesystem::create_directories(folder / "config");
  return RunCommand("XDG_CONFIG_HOME='" + (folder / "config").string() + "' " +
                        TARNWICK_PYTHON + " '" + TARNWICK_SOURCE_DIR +
                        "/tests/peers/terminal.py' \"'" + TARNWICK_CLI +
                        "' --app-folder '" + folder.string() + "' " +
                        arguments + "\"",
                    screen);
}

std::filesystem::path SettingsFile(const std::filesystem::path& folder) {
  return folder / "config" / "Tarnwick" / "Settings.conf";
}

void StoreSettings(const std::filesystem::path& folder,
                   const std::string& ini) {
  std::filesystem::create_directories(SettingsFile(folder).parent_path());
  WriteBytes(SettingsFile(folder), "[General]\n" + ini);
}

}  // namespace tarnwick::test
