#include "import/dbf/convert_dbf_table.h"

#include <optional>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/windows1252.h"
#include "import/dbf/dbf_price_value.h"
#include "import/dbf/dbf_progress_percent.h"
#include "import/dbf/dbf_table.h"

namespace tarnwick {
namespace {

constexpr int kLastSheetColumn = 256;

std::string Where(const DbfTable& table, int record) {
  return table.file().filename().string() + ", record " +
         std::to_string(record + 1);
}

spreadsheet::Sheet& TargetSheet(spreadsheet::Workbook& book, int sheet_index,
                                std::string_view table_name) {
  int count = book.Sheets().Count();
  if (sheet_index < 1 || sheet_index > count) {
    throw Error("the DBF template has " + std::to_string(count) +
                " sheets, so the table " + std::string(table_name) +
                " has no sheet " + std::to_string(sheet_index) + " to fill");
  }
  return book.Sheets().Item(sheet_index);
}

// The records the file does not mark deleted, in file order; reading them
// all first also gives the progress bar its true maximum.
std::vector<int> LiveRecords(DbfTable& table) {
  std::vector<int> live;
  int count = table.RecordCount();
  live.reserve(count);
  for (int record = 0; record < count; ++record) {
    if (table.ReadRecord(record)) live.push_back(record);
  }
  return live;
}

void CheckRows(const DbfTable& table, int record, const DbfRecordRows& rows) {
  for (int i = 0; i < rows.count; ++i) {
    if (rows.rows[i] > kDbfLastSheetRow) {
      throw Error(Where(table, record) + ": its prices would go to row " +
                  std::to_string(rows.rows[i]) +
                  ", past the sheet's last row (65,536)");
    }
  }
}

void WriteRecord(const DbfTable& table, const std::vector<char>& types,
                 int record, const DbfRecordRows& rows,
                 spreadsheet::Sheet& sheet) {
  for (int k = 0; k < static_cast<int>(types.size()); ++k) {
    try {
      std::optional<double> value =
          DbfPriceValue(types[k], table.FieldText(k), table.IsNull(k));
      if (!value || *value == 0) continue;
      int column = k + 2;
      if (column > kLastSheetColumn) {
        throw Error("its column would be past the sheet's last column (IV)");
      }
      double price = *value * 100;
      for (int i = 0; i < rows.count; ++i) {
        sheet.SetCells(rows.rows[i], column, price);
      }
    } catch (const Error& e) {
      throw Error(Where(table, record) + ", field " +
                  DecodeWindows1252(table.FieldName(k)) + ": " + e.what());
    }
  }
}

}  // namespace

void ConvertDBFTable(const DbfTableLayout& layout, std::string_view table_name,
                     int sheet_index, const std::filesystem::path& table_file,
                     spreadsheet::Workbook& book, Host& host) {
  DbfTable table(table_file);
  spreadsheet::Sheet& sheet = TargetSheet(book, sheet_index, table_name);
  std::vector<int> live = LiveRecords(table);
  std::vector<char> types;
  for (int k = 0; k < table.FieldCount(); ++k) {
    types.push_back(table.FieldType(k));
  }

  host.SetProgressValue(0);
  // An empty table leaves the maximum and the caption of the table before.
  if (!live.empty()) {
    host.SetProgressMax(static_cast<float>(live.size()));
    host.SetProgressCaption("Converting(" + std::string(table_name) + ")");
  }
  DbfBlockPlacement placement(layout);
  double done = 0;
  for (int record : live) {
    table.ReadRecord(record);
    DbfRecordRows rows = placement.Rows();
    CheckRows(table, record, rows);
    WriteRecord(table, types, record, rows, sheet);
    placement.NextRecord();
    host.SetProgressValue(++done);
    host.SetProgressPercent(DbfProgressPercent(done, host.ProgressMax()));
    host.Repaint();
  }
}

}  // namespace tarnwick
