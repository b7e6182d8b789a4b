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
using testing::DbfRecord;
using testing::ScriptedHost;
using testing::TempDir;

const DbfTableLayout kRnddat = DbfTableList()[0].layout;
const DbfTableLayout kMqdat = DbfTableList()[1].layout;

// A workbook with as many empty worksheets as the DBF template has.
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

int FilledCells(spreadsheet::Sheet& sheet, int rows, int columns) {
  int filled = 0;
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= columns; ++c) filled += !sheet.Cells(r, c).IsEmpty();
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
  EXPECT_EQ(FilledCells(sheet, 400, 6), c.cells);
  EXPECT_EQ(FilledCells(target.sheet(1), 400, 6), 0);
}

INSTANTIATE_TEST_SUITE_P(
    TableList, FullTableTest,
    ::testing::Values(LayoutCase{"Rnddat", kRnddat, 150, RnddatRows, 420},
                      LayoutCase{"mqdat", kMqdat, 130, MqdatRows, 400}),
    [](const auto& info) { return std::string(info.param.table_name); });

TEST(ConvertDBFTableTest, AFifthRecordWithoutPriceStillStartsGroupOneAtRow37) {
  TempDir dir;
  std::vector<DbfRecord> records = NumberedRecords(6);
  records[4] = {{"", "0"}};
  testing::WriteDbf(dir / "t.dbf", testing::PriceFields(2), records);
  TargetBook target;
  ScriptedHost host;
  ConvertDBFTable(kMqdat, "mqdat", 1, dir / "t.dbf", target.book(), host);
  spreadsheet::Sheet& sheet = target.sheet(1);
  EXPECT_EQ(sheet.Cells(37, 2), FirstPrice(5));
  EXPECT_EQ(sheet.Cells(30, 2), FirstPrice(3));
  EXPECT_TRUE(sheet.Cells(31, 2).IsEmpty());
  EXPECT_EQ(FilledCells(sheet, 60, 4), 4 * 3 * 2 + 2);
}

TEST(ConvertDBFTableTest, ZeroAndNullFieldsLeaveTheTemplateCellsAlone) {
  TempDir dir;
  testing::WriteDbf(dir / "t.dbf",
                    {{"A", 'N', 8, 2}, {"B", 'N', 8, 2}, {"C", 'C', 8, 0}},
                    {{{"0", "", ""}}, {{"-0", "0.00", "0"}}, {{"", "", "1"}}});
  TargetBook target;
  spreadsheet::Sheet& sheet = target.sheet(1);
  sheet.SetCells(7, 2, "keep");
  sheet.SetCells(7, 3, 5.0);
  sheet.SetCells(8, 4, "x");
  ScriptedHost host;
  ConvertDBFTable(kRnddat, "Rnddat", 1, dir / "t.dbf", target.book(), host);
  EXPECT_EQ(sheet.Cells(7, 2), CellValue::Text("keep"));
  EXPECT_EQ(sheet.Cells(7, 3), CellValue::Number(5));
  EXPECT_EQ(sheet.Cells(8, 4), CellValue::Text("x"));
  // A record without a price still takes its row.
  EXPECT_EQ(sheet.Cells(9, 4), CellValue::Number(100));
  EXPECT_EQ(FilledCells(sheet, 20, 6), 4);
}

TEST(ConvertDBFTableTest, PricesAreWrittenAsNumbersTimesHundred) {
  struct Case {
    int field;
    const char* text;
    double cell;
  };
  std::vector<Case> cases = {
      {0, "12.5", 1250},       {0, "-3", -300},      {0, "-0.25", -25},
      {0, "0.07", 0.07 * 100}, {1, "327.68", 32768}, {2, "1e2", 10000},
      {2, "42", 4200},
  };
  std::vector<DbfRecord> records;
  for (const Case& c : cases) {
    DbfRecord record{{"", "", ""}};
    record.texts[c.field] = c.text;
    records.push_back(record);
  }
  TempDir dir;
  testing::WriteDbf(dir / "t.dbf",
                    {{"N", 'N', 10, 2}, {"F", 'F', 10, 2}, {"C", 'C', 10, 0}},
                    records);
  TargetBook target;
  ScriptedHost host;
  ConvertDBFTable(kRnddat, "Rnddat", 1, dir / "t.dbf", target.book(), host);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    int row = RnddatRows(static_cast<int>(i))[0];
    EXPECT_EQ(target.sheet(1).Cells(row, cases[i].field + 2),
              CellValue::Number(cases[i].cell))
        << cases[i].text;
  }
  EXPECT_EQ(FilledCells(target.sheet(1), 20, 6), 7);
}

TEST(ConvertDBFTableTest, FieldsPastTheGridGoToFurtherColumns) {
  TempDir dir;
  testing::WriteDbf(dir / "t.dbf", testing::PriceFields(14),
                    {{std::vector<std::string>(14, "1")}});
  TargetBook target;
  ScriptedHost host;
  ConvertDBFTable(kRnddat, "Rnddat", 1, dir / "t.dbf", target.book(), host);
  for (int column = 2; column <= 15; ++column) {
    EXPECT_EQ(target.sheet(1).Cells(7, column), CellValue::Number(100));
  }
  EXPECT_EQ(FilledCells(target.sheet(1), 10, 20), 14);
}

TEST(ConvertDBFTableTest, FewerRecordsThanTheLayoutLeaveLaterBlocksAlone) {
  TempDir dir;
  testing::WriteDbf(dir / "t.dbf", testing::PriceFields(2), NumberedRecords(7));
  TargetBook target;
  spreadsheet::Sheet& sheet = target.sheet(1);
  sheet.SetCells(19, 2, "keep");
  sheet.SetCells(232, 2, "keep");
  ScriptedHost host;
  ConvertDBFTable(kRnddat, "Rnddat", 1, dir / "t.dbf", target.book(), host);
  EXPECT_EQ(sheet.Cells(18, 2), FirstPrice(6));
  EXPECT_EQ(sheet.Cells(19, 2), CellValue::Text("keep"));
  EXPECT_EQ(sheet.Cells(232, 2), CellValue::Text("keep"));
  EXPECT_EQ(FilledCells(sheet, 400, 4), 7 * 2 + 2);
}

TEST(ConvertDBFTableTest, RecordsPastTheLayoutOverwriteTheRepeatedCopies) {
  TempDir dir;
  testing::WriteDbf(dir / "t.dbf", testing::PriceFields(2),
                    NumberedRecords(160));
  TargetBook target;
  ScriptedHost host;
  ConvertDBFTable(kRnddat, "Rnddat", 1, dir / "t.dbf", target.book(), host);
  spreadsheet::Sheet& sheet = target.sheet(1);
  EXPECT_EQ(sheet.Cells(232, 2), FirstPrice(140));
  EXPECT_EQ(sheet.Cells(247, 2), FirstPrice(150));  // over the first copy
  EXPECT_EQ(sheet.Cells(256, 3), SecondPrice(159));
  EXPECT_EQ(sheet.Cells(262, 2), FirstPrice(140));  // second copy stays
  EXPECT_TRUE(sheet.Cells(332, 2).IsEmpty());
}

TEST(ConvertDBFTableTest, DeletedRecordsTakeNoRowAndNoShareOfTheProgress) {
  TempDir dir;
  std::vector<DbfRecord> records = NumberedRecords(9);
  records[2].deleted = true;
  testing::WriteDbf(dir / "t.dbf", testing::PriceFields(2), records);
  TargetBook target;
  ScriptedHost host;
  ConvertDBFTable(kRnddat, "Rnddat", 1, dir / "t.dbf", target.book(), host);
  EXPECT_EQ(target.sheet(1).Cells(9, 2), FirstPrice(3));
  EXPECT_EQ(host.progress_max, 8);
  EXPECT_EQ(host.progress_value, 8);
  EXPECT_EQ(host.percents_seen,
            (std::vector<std::string>{"12%", "25%", "38%", "50%", "62%", "75%",
                                      "88%", "100%"}));
  EXPECT_EQ(host.progress_caption, "Converting(Rnddat)");
}

TEST(ConvertDBFTableTest, AnEmptyTableChangesNoCellAndKeepsTheCaptions) {
  TempDir dir;
  testing::WriteDbf(dir / "t.dbf", testing::PriceFields(2),
                    {{{"1", "2"}, true}});
  TargetBook target;
  ScriptedHost host;
  host.progress_max = 130;
  host.progress_value = 130;
  host.SetProgressCaption("Converting(Rnddat)");
  host.SetProgressPercent("100%");
  ConvertDBFTable(kMqdat, "mqdat", 2, dir / "t.dbf", target.book(), host);
  EXPECT_EQ(host.progress_value, 0);
  EXPECT_EQ(host.progress_max, 130);
  EXPECT_EQ(host.progress_caption, "Converting(Rnddat)");
  EXPECT_EQ(host.progress_percent, "100%");
  EXPECT_EQ(FilledCells(target.sheet(2), 40, 4), 0);
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
    EXPECT_EQ(std::string(e.what()),
              "long.dbf, record 43681: its prices would go to row 65542, past "
              "the sheet's last row (65,536)");
  }
}

TEST(ConvertDBFTableTest, AFieldHoldingNoNumberNamesRecordAndField) {
  TempDir dir;
  testing::WriteDbf(dir / "MQDAT.DBF", {{"IF", 'N', 8, 2}, {"VVS1", 'C', 8, 0}},
                    {{{"1", "2"}}, {{"1", ""}, true}, {{"1", "abc"}}});
  TargetBook target;
  ScriptedHost host;
  try {
    ConvertDBFTable(kMqdat, "mqdat", 2, dir / "MQDAT.DBF", target.book(), host);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "MQDAT.DBF, record 3, field VVS1: holds the text \"abc\", not a "
              "price");
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
    EXPECT_EQ(std::string(e.what()),
              "the DBF template has 2 sheets, so the table prndat has no sheet "
              "5 to fill");
  }
}

}  // namespace
}  // namespace tarnwick
