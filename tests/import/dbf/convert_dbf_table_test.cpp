#include "import/dbf/convert_dbf_table.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <tuple>
#include <vector>

#include "import/dbf/dbf_table.h"
#include "import/dbf/dbf_table_list.h"
#include "import/error_of.h"
#include "import/import_fixture.h"
#include "spreadsheet/cell_text.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using spreadsheet::CellValue;
using test::DbfField;
using test::ErrorOf;
using Records = std::vector<std::string>;

const import::DbfTableEntry& kRnddat = import::DbfTableList()[0];
const import::DbfTableEntry& kMqdat = import::DbfTableList()[1];

// Rnddat: six 5-record blocks from row 7, 10 rows apart, then 10-record
// blocks 15 rows apart; group 17 also fills the six blocks below it, and
// records past the layout go on over those copies. mqdat: group 0 at rows 7,
// 17 and 27, group 1 at row 37, then 10-record blocks, group 13 repeated.
TEST(DbfBlockPlacementTest, RecordsFillTheirBlocksAndTheBlockCopies) {
  // Record numbers from 0, each with the rows it goes to.
  const std::pair<import::DbfTableLayout, std::string> cases[] = {
      {kRnddat.layout,
       " 0:7 4:11 5:17 29:61 30:67 39:76 40:82 139:226 "
       "140:232,247,262,277,292,307,322 150:247"},
      {kMqdat.layout,
       " 0:7,17,27 4:11,21,31 5:37 9:41 10:47 20:62 119:206 "
       "129:221,236,251,266,281,296,311"}};
  for (const auto& [layout, expected] : cases) {
    import::DbfBlockPlacement placement(layout);
    std::string placed;
    for (int record = 0; record <= 150; ++record, placement.NextRecord()) {
      std::string number = " " + std::to_string(record) + ":";
      if (expected.find(number) == std::string::npos) continue;
      placed += number;
      for (int i = 0; i < placement.Rows().count; ++i)
        placed += (i ? "," : "") + std::to_string(placement.Rows().rows[i]);
    }
    EXPECT_EQ(placed, expected);
  }
}

// A workbook of five empty worksheets, as many as the DBF template has.
class ConvertDBFTableTest : public ::testing::Test {
 protected:
  ConvertDBFTableTest() {
    for (int i = 2; i <= 5; ++i) book_.AddWorksheet("S" + std::to_string(i));
  }

  // Writes the table `file` and converts it into sheet `sheet`.
  void Convert(const import::DbfTableEntry& table, const std::string& file,
               const std::vector<DbfField>& fields, const Records& records,
               int sheet = 1, unsigned char version = test::kDbase3) {
    test::WriteBytes(dir_ / file, test::DbfBytes(fields, records, version));
    import::ConvertDBFTable(table.layout, table.table_name, sheet, dir_ / file,
                            book_, host_);
  }

  // The cells of rows 1-400, columns A-P that hold anything, each as
  // " row/column:" and the value (texts after an apostrophe).
  std::string FilledCells(int sheet) {
    std::string cells;
    for (int r = 1; r <= 400; ++r) {
      for (int c = 1; c <= 16; ++c) {
        const CellValue& v = book_.Sheets().Item(sheet).Cells(r, c);
        if (!v.IsEmpty())
          cells += " " + std::to_string(r) + "/" + std::to_string(c) + ":" +
                   (v.kind() == spreadsheet::CellKind::kText ? "'" : "") +
                   CellText(v);
      }
    }
    return cells;
  }

  test::TempDir dir_;
  test::ScriptedHost host_;
  spreadsheet::Application app_;
  spreadsheet::Workbook& book_ = app_.Workbooks().Add();
};

// Prices overwrite what the template holds; zero and null fields of any type
// write nothing; fields past the clarity grid go to further columns.
TEST_F(ConvertDBFTableTest, WritesPricesTimesHundredAndLeavesTheRestAlone) {
  spreadsheet::Sheet& sheet = book_.Sheets().Item(1);
  for (auto [row, column] : {std::pair{7, 2}, {8, 4}, {19, 2}, {232, 2}})
    sheet.SetCells(row, column, "m");
  sheet.SetCells(7, 3, 5.0);
  std::vector<DbfField> fields = test::PriceFields(7);
  fields.insert(fields.end(), {{"A", 'N', 8},
                               {"B", 'N', 8},
                               {"D", 'D', 8, 0},
                               {"L", 'L', 1, 0},
                               {"C", 'C', 8, 0}});
  Convert(kRnddat, "t.dbf", fields,
          {"1|2|3|4|5|6|7|0", "|||||||-0|0.00|00000000|?|0",
           "||||||||********|||1"});
  EXPECT_EQ(FilledCells(1),
            " 7/2:100 7/3:200 7/4:300 7/5:400 7/6:500 7/7:600 7/8:700 8/4:'m "
            "9/13:100 19/2:'m 232/2:'m");
}

// A table without live records resets the bar but keeps the captions.
TEST_F(ConvertDBFTableTest, ATableWithoutLiveRecordsOnlyResetsTheBar) {
  Convert(kRnddat, "t.dbf", test::PriceFields(1), {"1"});
  Convert(kMqdat, "none.dbf", test::PriceFields(1), {"*1"}, 2);
  EXPECT_EQ(host_.progress_value, 0);
  EXPECT_EQ(host_.progress_caption + " " + host_.progress_percent,
            "Converting(Rnddat) 100%");
  EXPECT_EQ(FilledCells(2), "");
}

// Rnddat's layout puts record 43,680 on row 65,536, the sheet's last.
TEST_F(ConvertDBFTableTest, ATableRunningPastTheLastRowStopsWithAnError) {
  Records records(43680, "1");
  Convert(kRnddat, "fits.dbf", test::PriceFields(1), records);
  EXPECT_EQ(book_.Sheets().Item(1).Cells(65536, 2), CellValue::Number(100));
  records.push_back("2");
  EXPECT_EQ(ErrorOf([&] {
              Convert(kRnddat, "long.dbf", test::PriceFields(1), records, 2);
            }),
            "long.dbf, record 43681: its prices would go to row 65542, past "
            "the sheet's last row (65,536)");
}

TEST_F(ConvertDBFTableTest, AFieldWithoutPriceOrASheetTooFarIsAnError) {
  const std::string at = "MQDAT.DBF, record 3, field F: ";
  // The type of field F, the record's second, its text, the sheet and the
  // error.
  const std::tuple<char, std::string, int, std::string> cases[] = {
      {'C', "1,5", 2, at + "holds the text \"1,5\", not a price"},
      {'C', "caf\xE9", 2, at + "holds the text \"caf\xC3\xA9\", not a price"},
      {'D', "20261206", 2, at + "holds the date \"20261206\", not a price"},
      {'L', "T", 2, at + "holds the logical value \"T\", not a price"},
      {'N', "1e308", 2,
       at + "its price 1e308 times 100 is too large for a cell"},
      {'N', "1", 6,
       "the DBF template has 5 sheets, so the table mqdat has no sheet 6 to "
       "fill"},
  };
  for (const auto& [type, text, sheet, message] : cases) {
    EXPECT_EQ(ErrorOf([&] {
                Convert(kMqdat, "MQDAT.DBF",
                        {{"P", 'N', 8, 2}, {"F", type, type == 'L' ? 1 : 8}},
                        {"1|", "*1|x", "1|" + text}, sheet);
              }),
              message);
  }
}

// Each header version, read under a German locale, where the C library's
// numbers take a comma; a blank record takes its row.
TEST_F(ConvertDBFTableTest, ReadsEveryLiveRecordInAnyHeaderVersionAndLocale) {
  std::string old = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
      << "no German locale on this machine";
  const std::vector<DbfField> fields = {{"ROUND"},
                                        {"WHOLE", 'N', 6, 0},
                                        {"FLOAT", 'F', 12, 4},
                                        {"TEXT", 'C', 12, 0}};
  int sheet = 0;
  for (unsigned char version :
       {test::kDbase3, test::kFoxPro2WithMemo, test::kVisualFoxPro}) {
    Convert(kRnddat, "T.DBF", fields,
            {"12.50|3|-0.0625|42", "|||", "*99.99|7|1.5| 8.25 ",
             "-3.75|-12|0.0000|1e3", "0.07|0||-.5",
             "123456.78|999999|1234567.1234|"},
            ++sheet, version);
    EXPECT_EQ(FilledCells(sheet),
              " 7/2:1250 7/3:300 7/4:-6.25 7/5:4200 9/2:-375 9/3:-1200 "
              "9/5:100000 10/2:7 10/5:-50 11/2:12345678 11/3:99999900 "
              "11/4:123456712.34")
        << int{version};
    // A deleted record takes no row and no share of the progress.
    EXPECT_EQ(host_.percents_seen,
              (Records{"20%", "40%", "60%", "80%", "100%"}));
    host_.percents_seen.clear();
  }
  std::setlocale(LC_ALL, old.c_str());
}

// Two fields P1, P2 of width 10, so the header is 97 bytes and a record 21.
TEST(DbfTableTest, AForeignOrDamagedTableIsRefusedWithTheReason) {
  const std::string damaged = "damaged header: ";
  // Where the bytes go into the good table, the bytes and the reason.
  const std::tuple<std::size_t, std::string, std::string> cases[] = {
      {0, "I", "not a dBASE or FoxPro table"},
      {4, "\x03",
       "cut short: the header counts 3 records that the file does not hold"},
      {8, std::string("\x81\x00", 2),
       damaged + "it gives its length as 129 bytes, but its 2 field "
                 "descriptors make it 97"},
      {8, std::string("\x21\x00", 2),
       damaged + "it gives its length as 33 bytes, but its 2 field "
                 "descriptors make it 97"},
      {80, std::string(1, '\0'), damaged + "field 2 (P2) has length 0"},
      {10, std::string("\x16\x00", 2),
       damaged + "its fields and the deletion flag take 21 bytes, but a "
                 "record is 22 bytes long"},
      {32, "ABCDEFGHIJK", damaged + "the name of field 1 has no end"},
      {96, " ", damaged + "the field descriptors have no end mark"},
  };
  test::TempDir dir;
  const std::string good = test::DbfBytes(test::PriceFields(2), {"1|2", "3|4"});
  for (const auto& [at, bytes, reason] : cases) {
    std::string table = good;
    test::WriteBytes(dir / "T.DBF", table.replace(at, bytes.size(), bytes));
    EXPECT_EQ(ErrorOf([&] { import::DbfTable table(dir / "T.DBF"); }),
              "T.DBF: " + reason);
  }
}

}  // namespace
}  // namespace tarnwick
