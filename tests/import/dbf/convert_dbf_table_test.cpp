#include "import/dbf/convert_dbf_table.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "import/dbf/dbf_fixture.h"
#include "import/dbf/dbf_table_list.h"
#include "import/error_of.h"
#include "spreadsheet/cell_text.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using spreadsheet::CellValue;
using test::DbfRecord;
using test::ErrorOf;
using test::Records;
using test::ScriptedHost;
using test::TempDir;

const import::DbfTableLayout kRnddat = import::DbfTableList()[0].layout;
const import::DbfTableLayout kMqdat = import::DbfTableList()[1].layout;

// A workbook of five empty worksheets, as many as the DBF template has.
class TargetBook {
 public:
  TargetBook() : book_(app_.Workbooks().Add()) {
    for (int i = 2; i <= 5; ++i) book_.AddWorksheet("S" + std::to_string(i));
  }
  spreadsheet::Workbook& book() { return book_; }
  spreadsheet::Sheet& sheet(int i) { return book_.Sheets().Item(i); }

 private:
  spreadsheet::Application app_;
  spreadsheet::Workbook& book_;
};

// The cells of rows 1-400, columns A-P that hold anything, as "row/column:"
// and the value (texts in quotes), joined by blanks.
std::string FilledCells(spreadsheet::Sheet& sheet) {
  std::string cells;
  for (int r = 1; r <= 400; ++r) {
    for (int c = 1; c <= 16; ++c) {
      const CellValue& v = sheet.Cells(r, c);
      if (v.IsEmpty()) continue;
      bool text = v.kind() == spreadsheet::CellKind::kText;
      cells += (cells.empty() ? "" : " ") + std::to_string(r) + "/" +
               std::to_string(c) + ":" + (text ? "\"" : "") + CellText(v) +
               (text ? "\"" : "");
    }
  }
  return cells;
}

// Record i holds i + 1 in its first field and -(i + 1.25) in its second, so
// every price is told apart and negative and fractional prices are met.
std::vector<DbfRecord> NumberedRecords(int count) {
  std::vector<DbfRecord> records;
  for (int i = 0; i < count; ++i) {
    records.push_back(
        {{std::to_string(i + 1), "-" + std::to_string(i + 1) + ".25"}});
  }
  return records;
}

// The rows of the Rnddat layout: six 5-record blocks from row 7 (10 rows
// apart), then 10-record blocks from row 67 (15 rows apart); the group from
// row 232 also fills the six blocks below it. Records past the layout go on
// in 10-record blocks, over those copies.
std::vector<int> RnddatRows(int i) {
  if (i < 30) return {7 + 10 * (i / 5) + i % 5};
  int first = 67 + 15 * ((i - 30) / 10) + (i - 30) % 10;
  if (i < 140 || i >= 150) return {first};
  std::vector<int> rows;
  for (int c = 0; c < 7; ++c) rows.push_back(first + 15 * c);
  return rows;
}

// The rows of the mqdat layout: group 0 at rows 7, 17 and 27, group 1 at
// row 37, 10-record blocks from row 47; the group from row 212 repeated.
std::vector<int> MqdatRows(int i) {
  if (i < 5) return {7 + i, 17 + i, 27 + i};
  if (i < 10) return {37 + i - 5};
  int first = 47 + 15 * ((i - 10) / 10) + (i - 10) % 10;
  if (i < 120) return {first};
  std::vector<int> rows;
  for (int c = 0; c < 7; ++c) rows.push_back(first + 15 * c);
  return rows;
}

struct LayoutCase {
  const char* table_name;
  import::DbfTableLayout layout;
  int records;
  std::vector<int> (*rows)(int);
};

class FullTableTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(FullTableTest, EveryRecordLandsOnTheRowsOfItsBlockCopiesIncluded) {
  const LayoutCase& c = GetParam();
  TempDir dir;
  test::WriteDbf(dir / "t.dbf", test::PriceFields(2),
                 NumberedRecords(c.records));
  TargetBook target;
  ScriptedHost host;
  import::ConvertDBFTable(c.layout, c.table_name, 2, dir / "t.dbf",
                          target.book(), host);
  std::map<int, int> record_of_row;  // a later record wins a shared row
  for (int i = 0; i < c.records; ++i) {
    for (int row : c.rows(i)) record_of_row[row] = i;
  }
  std::string expected;
  for (auto [row, i] : record_of_row) {
    expected += (expected.empty() ? "" : " ") + std::to_string(row) +
                "/2:" + std::to_string(i + 1) + "00 " + std::to_string(row) +
                "/3:-" + std::to_string(i + 1) + "25";
  }
  EXPECT_EQ(FilledCells(target.sheet(2)), expected);
  EXPECT_EQ(FilledCells(target.sheet(1)), "");
}

// Rnddat runs 10 records past its layout; mqdat fills its layout exactly.
INSTANTIATE_TEST_SUITE_P(
    TableList, FullTableTest,
    ::testing::Values(LayoutCase{"Rnddat", kRnddat, 160, RnddatRows},
                      LayoutCase{"mqdat", kMqdat, 130, MqdatRows}),
    [](const auto& info) { return std::string(info.param.table_name); });

struct PlacementCase {
  const char* what;
  const import::DbfTableLayout& layout;
  std::vector<test::DbfField> fields;
  std::vector<std::string> records;
  std::string filled;  // FilledCells afterwards, joined by blanks
};

// Every case starts from the same marks in the sheet, as a template's.
TEST(ConvertDBFTableTest, WritesPricesTimesHundredAndLeavesTheRestAlone) {
  const std::vector<test::DbfField> one = test::PriceFields(1);
  const PlacementCase cases[] = {
      {"a fifth record without price still starts group 1 at row 37",
       kMqdat,
       one,
       {"1", "2", "3", "4", "", "6"},
       "7/2:100 7/3:5 8/2:200 8/4:\"mark\" 9/2:300 10/2:400 17/2:100 "
       "18/2:200 19/2:300 20/2:400 27/2:100 28/2:200 29/2:300 30/2:400 "
       "37/2:600 232/2:\"mark\""},
      {"zero and null fields of any type write nothing",
       kRnddat,
       {{"A", 'N', 8, 2},
        {"B", 'N', 8, 2},
        {"C", 'C', 8, 0},
        {"D", 'D', 8, 0},
        {"L", 'L', 1, 0}},
       {"0||||", "-0|0.00|0|00000000|?", "|********|1||"},
       "7/2:\"mark\" 7/3:5 8/4:\"mark\" 9/4:100 19/2:\"mark\" 232/2:\"mark\""},
      {"negative, fractional and textual prices become numbers",
       kRnddat,
       {{"N", 'N', 10, 2}, {"F", 'F', 10, 2}, {"C", 'C', 10, 0}},
       {"12.5||", "-0.25||", "-3||", "|327.68|", "||1e2", "||42"},
       "7/2:1250 7/3:5 8/2:-25 8/4:\"mark\" 9/2:-300 10/3:32768 11/4:10000 "
       "17/4:4200 19/2:\"mark\" 232/2:\"mark\""},
      {"fields past the grid go to further columns",
       kRnddat,
       test::PriceFields(12),
       {"1|2|3|4|5|6|7|8|9|10|11|12"},
       "7/2:100 7/3:200 7/4:300 7/5:400 7/6:500 7/7:600 7/8:700 7/9:800 "
       "7/10:900 7/11:1000 7/12:1100 7/13:1200 8/4:\"mark\" 19/2:\"mark\" "
       "232/2:\"mark\""},
      {"fewer records than the layout leave later blocks alone",
       kRnddat,
       one,
       {"1", "2", "*3", "4", "5", "6", "7", "8"},
       "7/2:100 7/3:5 8/2:200 8/4:\"mark\" 9/2:400 10/2:500 11/2:600 "
       "17/2:700 18/2:800 19/2:\"mark\" 232/2:\"mark\""},
  };
  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    test::WriteDbf(dir / "t.dbf", c.fields, Records(c.records));
    TargetBook target;
    spreadsheet::Sheet& sheet = target.sheet(1);
    for (auto [row, column] : {std::pair{7, 2}, {8, 4}, {19, 2}, {232, 2}}) {
      sheet.SetCells(row, column, "mark");
    }
    sheet.SetCells(7, 3, 5.0);
    ScriptedHost host;
    import::ConvertDBFTable(c.layout, "t", 1, dir / "t.dbf", target.book(),
                            host);
    EXPECT_EQ(FilledCells(sheet), c.filled);
  }
}

TEST(ConvertDBFTableTest, DeletedRecordsTakeNoShareOfTheProgress) {
  TempDir dir;
  test::WriteDbf(dir / "t.dbf", test::PriceFields(1),
                 Records({"1", "2", "*3", "4", "5", "6", "7", "8", "9"}));
  test::WriteDbf(dir / "none.dbf", test::PriceFields(1), Records({"*1"}));
  TargetBook target;
  ScriptedHost host;
  import::ConvertDBFTable(kRnddat, "Rnddat", 1, dir / "t.dbf", target.book(),
                          host);
  EXPECT_EQ(host.progress_max, 8);
  EXPECT_EQ(host.percents_seen,
            (std::vector<std::string>{"12%", "25%", "38%", "50%", "62%", "75%",
                                      "88%", "100%"}));
  EXPECT_EQ(host.progress_caption, "Converting(Rnddat)");
  // A table without live records resets the bar but keeps the captions.
  ConvertDBFTable(kMqdat, "mqdat", 2, dir / "none.dbf", target.book(), host);
  EXPECT_EQ(host.progress_value, 0);
  EXPECT_EQ(host.progress_caption, "Converting(Rnddat)");
  EXPECT_EQ(host.progress_percent, "100%");
  EXPECT_EQ(FilledCells(target.sheet(2)), "");
}

// Rnddat's layout puts record 43,680 on row 65,536, the sheet's last.
TEST(ConvertDBFTableTest, ATableRunningPastTheLastRowStopsWithAnError) {
  TempDir dir;
  std::vector<DbfRecord> records(43680, DbfRecord{{"1"}});
  test::WriteDbf(dir / "fits.dbf", test::PriceFields(1), records);
  records.push_back({{"2"}});
  test::WriteDbf(dir / "long.dbf", test::PriceFields(1), records);
  TargetBook target;
  ScriptedHost host;
  import::ConvertDBFTable(kRnddat, "Rnddat", 1, dir / "fits.dbf", target.book(),
                          host);
  EXPECT_EQ(target.sheet(1).Cells(65536, 2), CellValue::Number(100));
  EXPECT_EQ(ErrorOf([&] {
              ConvertDBFTable(kRnddat, "Rnddat", 2, dir / "long.dbf",
                              target.book(), host);
            }),
            "long.dbf, record 43681: its prices would go to row 65542, past "
            "the sheet's last row (65,536)");
}

TEST(ConvertDBFTableTest, AFieldWithoutPriceOrASheetTooFarIsAnError) {
  struct Case {
    char type;  // of field F, the record's second
    const char* text;
    int sheet;
    std::string message;
  } cases[] = {
      {'C', "1,5", 2, "field F: holds the text \"1,5\", not a price"},
      {'C', "caf\xE9", 2,
       "field F: holds the text \"caf\xC3\xA9\", not a price"},
      {'D', "20261206", 2, "field F: holds the date \"20261206\", not a price"},
      {'L', "T", 2, "field F: holds the logical value \"T\", not a price"},
      {'N', "1e308", 2,
       "field F: its price 1e308 times 100 is too large for a cell"},
      {'N', "1", 6,
       "the DBF template has 5 sheets, so the table mqdat has no sheet 6 to "
       "fill"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    test::WriteDbf(dir / "MQDAT.DBF",
                   {{"P", 'N', 8, 2}, {"F", c.type, c.type == 'L' ? 1 : 8}},
                   {{{"1", ""}}, {{"1", "x"}, true}, {{"1", c.text}}});
    TargetBook target;
    ScriptedHost host;
    std::string message = c.message;
    if (message.starts_with("field"))
      message = "MQDAT.DBF, record 3, " + message;
    EXPECT_EQ(ErrorOf([&] {
                import::ConvertDBFTable(kMqdat, "mqdat", c.sheet,
                                        dir / "MQDAT.DBF", target.book(), host);
              }),
              message);
  }
}

}  // namespace
}  // namespace tarnwick
