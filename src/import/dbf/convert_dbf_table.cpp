#include "import/dbf/convert_dbf_table.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/percent_text.h"
#include "core/windows1252.h"
#include "import/dbf/dbf_price_value.h"
#include "import/dbf/dbf_table.h"
#include "import/import_stopped.h"

namespace tarnwick::import {
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

struct Price {
  int column;
  double value;
};

// The prices of the record last read, each with its column; a zero or null
// field gives none. The whole record is read before any cell is written.
void ReadPrices(const DbfTable& table, const std::vector<char>& types,
                int record, std::vector<Price>& prices) {
  prices.clear();
  for (int k = 0; k < static_cast<int>(types.size()); ++k) {
    try {
      std::optional<double> value = DbfPriceValue(types[k], table.FieldText(k));
      if (!value || *value == 0) continue;
      if (k + 2 > kLastSheetColumn) {
        throw Error("its column would be past the sheet's last column (IV)");
      }
      double price = *value * 100;
      if (!std::isfinite(price)) {
        throw Error("its price " + DecodeWindows1252(table.FieldText(k)) +
                    " times 100 is too large for a cell");
      }
      prices.push_back({k + 2, price});
    } catch (const Error& e) {
      throw Error(Where(table, record) + ", field " +
                  DecodeWindows1252(table.FieldName(k)) + ": " + e.what());
    }
  }
}

void WritePrices(const std::vector<Price>& prices, const DbfRecordRows& rows,
                 spreadsheet::Sheet& sheet) {
  for (int i = 0; i < rows.count; ++i) {
    // Last column first: the row then makes room for its cells only once.
    for (auto p = prices.rbegin(); p != prices.rend(); ++p) {
      sheet.SetCells(rows.rows[i], p->column, p->value);
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
  std::vector<Price> prices;
  double done = 0;
  for (int record : live) {
    StopIfRequested(host);
    table.ReadRecord(record);
    DbfRecordRows rows = placement.Rows();
    CheckRows(table, record, rows);
    ReadPrices(table, types, record, prices);
    WritePrices(prices, rows, sheet);
    placement.NextRecord();
    host.SetProgressValue(++done);
    host.SetProgressPercent(PercentText(done, host.ProgressMax()));
    host.Repaint();
  }
}

}  // namespace tarnwick::import
