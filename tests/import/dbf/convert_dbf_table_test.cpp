#include "import/dbf/convert_dbf_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error.h"
#include "import/dbf/dbf_fixture.h"
#include "import/dbf/dbf_table_list.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using spreadsheet::CellValue;
using testing::DbfField;
using testing::DbfRecord;
using testing::ScriptedHost;
using testing::TempDir;

const DbfTableLayout kRnddat = DbfTableList()[0].layout;
const DbfTableLayout kMqdat = DbfTableList()[1].layout;

// A workbook with `sheets` empty worksheets, as the DBF template has five.
class TargetBook {
 public:
  explicit TargetBook(int sheets = 5) : book_(app_.Workbooks().Add()) {
    for (int i = 2; i <= sheets; ++i)
      book_.AddWorksheet("S" + std::to_string(i));
  }
  spreadsheet::Workbook& book() { return book_; }
  spreadsheet::Sheet& sheet(int i) { return book_.Sheets().Item(i); }

 private:
  spreadsheet::Application app_;
  spreadsheet::Workbook& book_;
};

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

CellValue FirstPrice(int i) { return CellValue::Number((i + 1) * 100.0); }
CellValue SecondPrice(int i) { return CellValue::Number(-(i + 1.25) * 100); }

// The rows of the Rnddat layout: six 5-record blocks from row 7 (10 rows
// apart), then 10-record blocks from row 67 (15 rows apart); the group from
// row 232 also fills the six blocks below it.
std::vector<int> RnddatRows(int i) {
  if (i < 30) return {7 + 10 * (i / 5) + i % 5};
  int first = 67 + 15 * ((i - 30) / 10) + (i - 30) % 10;
  if (i < 140) return {first};
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

int FilledCells(spreadsheet::Sheet& sheet) {
  int filled = 0;
  for (int r = 1; r <= 400; ++r) {
    for (int c = 1; c <= 16; ++c) filled += !sheet.Cells(r, c).IsEmpty();
  }
  return filled;
}

struct LayoutCase {
  const char* table_name;
  DbfTableLayout layout;
  int records;
  std::vector<int> (*rows)(int);
  int cells;  // prices written, copies included
};

class FullTableTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(FullTableTest, EveryRecordLandsOnTheRowsOfItsBlockCopiesIncluded) {
  const LayoutCase& c = GetParam();
  TempDir dir;
  testing::WriteDbf(dir / "t.dbf", testing::PriceFields(2),
                    NumberedRecords(c.records));
  TargetBook target;
  ScriptedHost host;
  ConvertDBFTable(c.layout, c.table_name, 2, dir / "t.dbf", target.book(),
                  host);
  spreadsheet::Sheet& sheet = target.sheet(2);
  for (int i = 0; i < c.records; ++i) {
    for (int row : c.rows(i)) {
      EXPECT_EQ(sheet.Cells(row, 2), FirstPrice(i)) << "record " << i;
      EXPECT_EQ(sheet.Cells(row, 3), SecondPrice(i)) << "record " << i;
    }
  }
  EXPECT_EQ(FilledCells(sheet), c.cells);
  EXPECT_EQ(FilledCells(target.sheet(1)), 0);
}

INSTANTIATE_TEST_SUITE_P(
    TableList, FullTableTest,
    ::testing::Values(LayoutCase{"Rnddat", kRnddat, 150, RnddatRows, 420},
                      LayoutCase{"mqdat", kMqdat, 130, MqdatRows, 400}),
    [](const auto& info) { return std::string(info.param.table_name); });

struct Cell {
  int row, column;
  CellValue value;
};

struct PlacementCase {
  const char* what;
  const DbfTableLayout& layout;
  std::vector<DbfField> fields;
  std::vector<DbfRecord> records;
  std::vector<Cell> template_cells;  // in the sheet before the import
  std::vector<Cell> expected;
  int filled;  // cells of rows 1-400, columns A-P, that hold anything
};

std::vector<DbfRecord> FifthWithoutPrice() {
  std::vector<DbfRecord> records = NumberedRecords(6);
  records[4] = {{"", "0"}};
  return records;
}

TEST(ConvertDBFTableTest, PlacesEachPriceTimesHundredAndLeavesTheRestAlone) {
  const CellValue keep = CellValue::Text("keep");
  const std::vector<DbfField> two = testing::PriceFields(2);
  const PlacementCase cases[] = {
      {"a fifth record without price still starts group 1 at row 37",
       kMqdat,
       two,
       FifthWithoutPrice(),
       {},
       {{30, 2, FirstPrice(3)}, {31, 2, {}}, {37, 2, FirstPrice(5)}},
       26},
      {"zero and null fields of every type leave the template's cells",
       kRnddat,
       {{"A", 'N', 8, 2},
        {"B", 'N', 8, 2},
        {"C", 'C', 8, 0},
        {"D", 'D', 8, 0},
        {"L", 'L', 1, 0}},
       {{{"0", "", "", "", ""}},
        {{"-0", "0.00", "0", "00000000", "?"}},
        {{"", "********", "1", "", ""}}},
       {{7, 2, keep}, {7, 3, CellValue::Number(5)}, {8, 4, keep}},
       {{7, 2, keep},
        {7, 3, CellValue::Number(5)},
        {8, 4, keep},
        {9, 4, CellValue::Number(100)}},
       4},
      {"negative, fractional and textual prices are numbers",
       kRnddat,
       {{"N", 'N', 10, 2}, {"F", 'F', 10, 2}, {"C", 'C', 10, 0}},
       {{{"12.5", "", ""}},
        {{"-0.25", "", ""}},
        {{"0.07", "", ""}},
        {{"", "327.68", ""}},
        {{"", "", "1e2"}},
        {{"", "", "42"}}},
       {},
       {{7, 2, CellValue::Number(1250)},
        {8, 2, CellValue::Number(-25)},
        {9, 2, CellValue::Number(0.07 * 100)},
        {10, 3, CellValue::Number(32768)},
        {11, 4, CellValue::Number(10000)},
        {17, 4, CellValue::Number(4200)}},
       6},
      {"fields past the grid go to further columns",
       kRnddat,
       testing::PriceFields(14),
       {{std::vector<std::string>(14, "1")}},
       {},
       {{7, 2, CellValue::Number(100)}, {7, 15, CellValue::Number(100)}},
       14},
      {"fewer records than the layout leave later blocks alone",
       kRnddat,
       two,
       NumberedRecords(7),
       {{19, 2, keep}, {232, 2, keep}},
       {{18, 2, FirstPrice(6)}, {19, 2, keep}, {232, 2, keep}},
       7 * 2 + 2},
      {"records past the layout overwrite the repeated copies",
       kRnddat,
       two,
       NumberedRecords(160),
       {},
       {{232, 2, FirstPrice(140)},
        {247, 2, FirstPrice(150)},
        {256, 3, SecondPrice(159)},
        {262, 2, FirstPrice(140)},
        {332, 2, {}}},
       420},
  };
  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    testing::WriteDbf(dir / "t.dbf", c.fields, c.records);
    TargetBook target;
    spreadsheet::Sheet& sheet = target.sheet(1);
    for (const Cell& cell : c.template_cells) {
      sheet.SetCells(cell.row, cell.column, cell.value);
    }
    ScriptedHost host;
    ConvertDBFTable(c.layout, "t", 1, dir / "t.dbf", target.book(), host);
    for (const Cell& cell : c.expected) {
      EXPECT_EQ(sheet.Cells(cell.row, cell.column), cell.value)
          << cell.row << "/" << cell.column;
    }
    EXPECT_EQ(FilledCells(sheet), c.filled);
  }
}

TEST(ConvertDBFTableTest, DeletedRecordsTakeNoRowAndNoShareOfTheProgress) {
  TempDir dir;
  std::vector<DbfRecord> records = NumberedRecords(9);
  records[2].deleted = true;
  testing::WriteDbf(dir / "t.dbf", testing::PriceFields(2), records);
  testing::WriteDbf(dir / "none.dbf", testing::PriceFields(2),
                    {{{"1", "2"}, true}});
  TargetBook target;
  ScriptedHost host;
  ConvertDBFTable(kRnddat, "Rnddat", 1, dir / "t.dbf", target.book(), host);
  EXPECT_EQ(target.sheet(1).Cells(9, 2), FirstPrice(3));
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
  EXPECT_EQ(FilledCells(target.sheet(2)), 0);
}

// Rnddat's layout puts record 43,680 on row 65,536, the sheet's last.
TEST(ConvertDBFTableTest, ATableRunningPastTheLastRowStopsWithAnError) {
  TempDir dir;
  std::vector<DbfRecord> records(43680, DbfRecord{{"1"}});
  testing::WriteDbf(dir / "fits.dbf", testing::PriceFields(1), records);
  records.push_back({{"2"}});
  testing::WriteDbf(dir / "long.dbf", testing::PriceFields(1), records);
  TargetBook target;
  ScriptedHost host;
  ConvertDBFTable(kRnddat, "Rnddat", 1, dir / "fits.dbf", target.book(), host);
  EXPECT_EQ(target.sheet(1).Cells(65536, 2), CellValue::Number(100));
  try {
    ConvertDBFTable(kRnddat, "Rnddat", 2, dir / "long.dbf", target.book(),
                    host);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(),
                 "long.dbf, record 43681: its prices would go to row 65542, "
                 "past the sheet's last row (65,536)");
  }
}

struct RefusalCase {
  DbfField field;
  const char* text;
  const char* message;
};

TEST(ConvertDBFTableTest, AFieldHoldingNoNumberIsAnErrorNamingRecordAndField) {
  const RefusalCase cases[] = {
      {{"VVS1", 'C', 8, 0},
       "abc",
       "MQDAT.DBF, record 3, field VVS1: holds the text \"abc\", not a price"},
      {{"IF", 'C', 8, 0},
       "1,5",
       "MQDAT.DBF, record 3, field IF: holds the text \"1,5\", not a price"},
      {{"IF", 'C', 8, 0},
       "caf\xE9",
       "MQDAT.DBF, record 3, field IF: holds the text \"caf\xC3\xA9\", not a "
       "price"},
      {{"IF", 'N', 8, 2},
       "1.2.3",
       "MQDAT.DBF, record 3, field IF: \"1.2.3\" is not a number"},
      {{"WHEN", 'D', 8, 0},
       "20261206",
       "MQDAT.DBF, record 3, field WHEN: holds the date \"20261206\", not a "
       "price"},
      {{"OK", 'L', 1, 0},
       "T",
       "MQDAT.DBF, record 3, field OK: holds the logical value \"T\", not a "
       "price"},
      {{"NOTE", 'M', 10, 0},
       "17",
       "MQDAT.DBF, record 3, field NOTE: is a field of type M, which holds no "
       "price"},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.text);
    TempDir dir;
    testing::WriteDbf(dir / "MQDAT.DBF", {{"P", 'N', 8, 2}, c.field},
                      {{{"1", ""}}, {{"1", "x"}, true}, {{"1", c.text}}});
    TargetBook target;
    ScriptedHost host;
    try {
      ConvertDBFTable(kMqdat, "mqdat", 2, dir / "MQDAT.DBF", target.book(),
                      host);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(ConvertDBFTableTest, ASheetPositionPastTheTemplateIsAnError) {
  TempDir dir;
  testing::WriteDbf(dir / "prndat.dbf", testing::PriceFields(1), {{{"1"}}});
  TargetBook target(2);
  ScriptedHost host;
  try {
    ConvertDBFTable(kMqdat, "prndat", 5, dir / "prndat.dbf", target.book(),
                    host);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(),
                 "the DBF template has 2 sheets, so the table prndat has no "
                 "sheet 5 to fill");
  }
}

}  // namespace
}  // namespace tarnwick
