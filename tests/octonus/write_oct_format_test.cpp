#include "octonus/write_oct_format.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/error.h"
#include "octonus/price_workbooks.h"
#include "support/memory_settings_store.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

const char kTooLarge[] =
    "Too large cell value\r\nDo the following...\r\n"
    "1) Increase the space value in Registry\r\n"
    "2) Use the round option in registry";

std::string Spaces(int n) { return std::string(n, ' '); }

class WriteOCTFormatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session.application = std::make_unique<spreadsheet::Application>();
    NextCase();
  }

  // A fresh application folder, host and settings, so that no case of a
  // table sees another's files or answers.
  void NextCase() {
    options = {dir / ("case" + std::to_string(++cases_))};
    std::filesystem::create_directory(Folder());
    host = ScriptedHost();
    settings = MemorySettingsStore();
  }
  std::filesystem::path Folder() const { return options.app_folder; }
  void WritePrice(const Rows& rows, const std::string& name = "Round") {
    WriteWorkbook(Folder() / "Price.xls", {{name, rows}});
  }
  void WriteDiscount(int level, const Rows& rows) {
    WriteWorkbook(Folder() / ("Discount" + std::to_string(level) + ".xls"),
                  {{"Round", rows}});
  }
  void Write(int sheet_index = 1) {
    octonus::WriteOCTFormat(session, sheet_index, options, settings, host,
                            copies);
  }
  // Converts a one-sheet price workbook and returns the table's bytes.
  std::string Convert(const Rows& rows) {
    WritePrice(rows);
    Write();
    return ReadBytes(Folder() / "Round.txt");
  }
  void Rounding(int digits) {
    settings.values["cRound"] = digits < 0 ? "0" : "1";
    settings.values["rDecimalPoint"] = std::to_string(std::max(digits, 0));
  }

  TempDir dir;
  MemorySettingsStore settings;
  ScriptedHost host;
  octonus::ConversionSession session;
  octonus::ConversionOptions options;
  octonus::RunCopies copies;
  int cases_ = 0;
};

TEST_F(WriteOCTFormatTest, ExampleSheetGivesItsSevenLinesToTheByte) {
  EXPECT_EQ(Convert(ExampleSheet()), TableBytes(ExampleLines()));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.progress_caption, "Writing(Round)");
  EXPECT_EQ(host.progress_percent, "100%");
}

TEST_F(WriteOCTFormatTest, KeywordLinesFollowTheirFixedColumns) {
  struct Case {
    std::vector<std::string> row;
    std::string line;
  } cases[] = {
      {{"Tables:", "12"}, "Tables: 12"},
      {{"tables:", "3"}, "tables: 3"},
      {{"FORMAT:", "11", "10"}, "Format: clarity 11      10"},
      {{"format:", "3", "'12345678"}, "Format: clarity 312345678"},
      {{"Mass:", "'10.00-", "'14.99"}, "Mass:   10.00-  14.99"},
      {{"MASS:", "12345678", "2"}, "Mass:   123456782"},
      {{"MASS:"}, "Mass:           "},
      {{"Magnify:", "10"}, "Magnify:        10"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    NextCase();
    std::string bytes = Convert({c.row, {""}, {"End Price"}});
    EXPECT_TRUE(bytes.starts_with(c.line + "\r\n")) << bytes;
  }
}

TEST_F(WriteOCTFormatTest, CellsBecomeTheseLinesToTheByte) {
  struct Case {
    const char* what;
    const char* rows;
    std::vector<std::string> lines;
  } cases[] = {
      {"only exact keywords count, only the exact end marker ends",
       "'TABLES: |1\nEND PRICE\nMass|1|2\nmass:|1|2\nEnd Price\nMASS:|3|4",
       {"", "", "", "Mass:   1       2"}},
      // An en dash, u with circumflex and e acute are one byte each; an
      // omega, outside the code page, is written as '?'.
      {"every character takes one column of the single-byte file",
       "MASS:|'3\u2013"
       "4 ct|5\nFORMAT:|1|0\nMAGNIFY:|1\n"
       "'Br\u00fbl\u00e9|'\u03a9\nEnd Price",
       {"Mass:   3\x96"
        "4 ct  5",
        "Format: clarity 1       0", "Magnify:        1",
        "Br\xfbl\xe9" + Spaces(7) + "?" + Spaces(11)}},
      // Before any FORMAT row a grid is one heading line of two fields; with
      // no colours it is the heading alone.
      {"the grid's shape follows the last FORMAT row",
       "MAGNIFY:|1\n|X\nFORMAT:|2|0\nMAGNIFY:|2\n|A|B\nR1|5|6\nEnd Price",
       {"Magnify:        1", Spaces(12) + "X", "Format: clarity 2       0",
        "Magnify:        2", Spaces(12) + "A" + Spaces(11) + "B" + Spaces(11),
        ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NextCase();
    EXPECT_EQ(Convert(RowsOf(c.rows)), TableBytes(c.lines));
  }
}

TEST_F(WriteOCTFormatTest, TwentyFiveRowsInARunWithoutKeywordEndTheSheet) {
  Rows rows = {{"TABLES:", "1"}};
  rows.resize(40);
  std::vector<std::string> lines = {"TABLES: 1"};
  lines.resize(26);
  EXPECT_EQ(Convert(rows), TableBytes(lines));
  ASSERT_EQ(host.MessageTexts(),
            std::vector<std::string>{"End File Pointer not present"});
  EXPECT_EQ(host.messages[0].icon, MessageIcon::kInformation);

  // Keyword rows start the count again; the rows of a grid do not count.
  NextCase();
  rows = Rows(24);
  rows.push_back({"MASS:", "1", "2"});
  rows.resize(48);
  rows.push_back({"FORMAT:", "1", "30"});  // 31 grid rows
  rows.push_back({"MAGNIFY:", "1"});
  rows.resize(rows.size() + 31);
  rows.push_back({"End Price"});
  Convert(rows);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(WriteOCTFormatTest,
       EveryDiscountLevelIsAskedForOrCompoundedThenRounded) {
  const octonus::DiscountFormat kTimes = octonus::DiscountFormat::kMultiplier;
  const octonus::DiscountFormat kOff = octonus::DiscountFormat::kPercentOff;
  struct Case {
    octonus::DiscountFormat format;
    // A factor "-" or "x": no workbook, asked about and answered Yes or No.
    std::vector<std::string> factors;
    int digits;      // -1: rounding off
    std::string r1;  // the prices of row R1 as written; "": no table
  } cases[] = {
      {kTimes, {"0.9"}, -1, "11250       9900        8820"},
      {kTimes, {"0.9", "0.5", "2"}, -1, "11250       9900        8820"},
      {kTimes, {"0.5", ""}, -1, "0           0           0"},
      {kTimes, {"-", "0.5", "-"}, -1, "6250        5500        4900"},
      {kTimes, {"0.9", "x", "-"}, -1, ""},
      {kOff, {"10"}, -1, "11250       9900        8820"},
      {kOff, {"10", "5"}, -1, "10687.5     9405        8379"},
      {kOff, {"10", "5", "", "0"}, -1, "10687.5     9405        8379"},
      {kOff, {"10", "5"}, 0, "10688       9405        8379"},
      {kOff, {"10", "5"}, 1, "10687.5     9405        8379"},
      {kOff, {"10", "5"}, 3, "10687.5     9405        8379"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.factors) + " " + c.r1);
    NextCase();
    options.disc_format = c.format;
    options.disc_level = static_cast<int>(c.factors.size());
    std::vector<std::string> questions;
    bool asking = true;  // no question follows a No
    for (int k = 1; k <= options.disc_level; ++k) {
      const std::string& f = c.factors[k - 1];
      if (f != "-" && f != "x") {
        WriteDiscount(k, ExampleDiscounts(f));
      } else if (asking) {
        host.answers.push_back(f == "-");
        questions.push_back("Discount-" + std::to_string(k) +
                            "file not exist!!!\r\nDo you want to continue?");
        asking = f == "-";
      }
    }
    Rounding(c.digits);
    WritePrice(ExampleSheet());
    Write();
    EXPECT_EQ(host.questions, questions);
    std::filesystem::path table = Folder() / "Round.txt";
    ASSERT_EQ(std::filesystem::exists(table), !c.r1.empty());
    EXPECT_TRUE(c.r1.empty() ||
                ReadBytes(table).find("\r\nR1" + Spaces(10) + c.r1) !=
                    std::string::npos)
        << ReadBytes(table);
  }
}

TEST_F(WriteOCTFormatTest, EmptyLastColumnIsTrimmedAsTheRoundingSays) {
  // Rounding off: the empty column K + 2 goes whole (the example). Rounding
  // on: its price 0 stays and the heading keeps one space.
  Rounding(0);
  std::vector<std::string> lines = ExampleLines();
  lines[4] += " ";
  lines[5] += "0";
  lines[6] += "0";
  EXPECT_EQ(Convert(ExampleSheet()), TableBytes(lines));
}

TEST_F(WriteOCTFormatTest, PriceInTheLastColumnIsNeverCutByTheTrim) {
  struct Case {
    std::string factor;
    int digits;
    std::string r1;
  } cases[] = {
      // Longer than the cell's own text: every digit stays.
      {"0.95", -1, "R1          95          1172.775"},
      // Shorter: the trim still takes what the cell's own text leaves.
      {"0.5", -1, "R1          50          617.25"},
      {"1", -1, "R1          100         1234.5"},
      {"0.95", 0, "R1          95          1173"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.r1);
    NextCase();
    options.disc_level = 1;
    Rounding(c.digits);
    Rows discounts(4);
    discounts[3] = {"", c.factor, c.factor};
    WriteDiscount(1, discounts);
    std::string bytes = Convert(
        RowsOf("FORMAT:|1|1\nMAGNIFY:|1\n|X1|'IF\nR1|100|1234.5\nEnd Price"));
    EXPECT_EQ(bytes,
              TableBytes({"Format: clarity 1       1", "Magnify:        1",
                          Spaces(12) + "X1" + Spaces(10) + "IF", c.r1}));
  }
}

TEST_F(WriteOCTFormatTest, TooLargeCellStopsTheSheetAndClosesItsCopy) {
  Rows rows = ExampleSheet();
  rows[4][2] = "'X23456789012X";  // 13 characters in a field of 12
  WritePrice(rows);
  Write();
  EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{kTooLarge});
  EXPECT_EQ(host.messages[0].icon, MessageIcon::kInformation);
  EXPECT_EQ(copies.OpenCount(), 0);

  NextCase();
  settings.values["mSpace"] = "14";  // a field width that takes it
  EXPECT_NE(
      Convert(rows).find(Spaces(14) + "X1" + Spaces(12) + "X23456789012X "),
      std::string::npos);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(WriteOCTFormatTest, SheetFaultsArePassedOnAsErrors) {
  struct Case {
    const char* what;
    const char* rows;  // End Price follows; nullptr: the example sheet
    int digits = -1;
    int disc_level = 0;  // Discount1.xls has one sheet
    int sheet = 1;       // of Round and Table, both with these rows
  } cases[] = {
      {"negative space count", "MASS:|'0.3000001|1"},
      {"colours wider than 8", "FORMAT:|1|'123456789"},
      {"clarity count no number", "FORMAT:|'many|1"},
      {"colour count no number", "FORMAT:|1|'many\nMAGNIFY:|1"},
      {"clarity count past 16 bits", "FORMAT:|40000|1"},
      {"table count no number", "TABLES:|'one"},
      {"label longer than W with rounding on",
       "FORMAT:|1|1\nMAGNIFY:|1\n|X1\n'A very long colour|1", 0},
      {"rounded price wider than W",
       "FORMAT:|2|1\nMAGNIFY:|1\n|X1|X2\nR1|1234567890123|1", 0},
      {"grid past column 256", "FORMAT:|300|0\nMAGNIFY:|1"},
      {"discount workbook without the sheet", nullptr, -1, 1, 2},
      {"table that cannot be created", nullptr, -1, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NextCase();
    Rounding(c.digits);
    options.disc_level = c.disc_level;
    WriteDiscount(1, ExampleDiscounts("0.9"));
    if (c.disc_level == 0) {
      std::filesystem::create_directory(Folder() / "Table.txt");
    }
    Rows rows = c.rows ? RowsOf(c.rows) : ExampleSheet();
    if (c.rows) rows.push_back({"End Price"});
    WriteWorkbook(Folder() / "Price.xls", {{"Round", rows}, {"Table", rows}});
    EXPECT_THROW(Write(c.sheet), Error);
  }
}

TEST_F(WriteOCTFormatTest, RowCounterPastSixteenBitsFails) {
  WritePrice(Rows(32767, std::vector<std::string>{"MASS:", "1", "2"}));
  EXPECT_THROW(Write(), Error);
}

TEST_F(WriteOCTFormatTest, MissingPriceWorkbookIsToldAndNothingWritten) {
  Write();
  EXPECT_EQ(host.MessageTexts(),
            std::vector<std::string>{"Price file not exist!!!"});
  EXPECT_EQ(copies.OpenCount(), 0);
  EXPECT_TRUE(std::filesystem::is_empty(Folder()));
}

// The table takes the older one's place only when its walk went through; a
// walk that stopped leaves the older table, or none, and no hidden file. A
// hidden file a killed run left is cleared by the next run of its sheet.
TEST_F(WriteOCTFormatTest, ATableReplacesTheOlderOneOnlyWhenWhole) {
  const std::string kOlder = "an older table, longer than the new one";
  Rows no_end = ExampleSheet();
  no_end.pop_back();  // 25 empty lines, then End File Pointer not present
  std::string no_end_table = ExampleBytes();
  for (int i = 0; i < 25; ++i) no_end_table += "\r\n";
  Rows too_large = ExampleSheet();
  too_large[4][2] = "'X23456789012X";
  struct Case {
    const char* what;
    Rows rows;
    bool older;
    std::string after;  // "": no table
    int escape_at = 0;  // the row at which Escape is pressed
  } cases[] = {
      {"end marker", ExampleSheet(), true, ExampleBytes()},
      {"no end marker", no_end, true, no_end_table},
      {"too large, no older table", too_large, false, ""},
      {"escape, no older table", ExampleSheet(), false, "", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NextCase();
    if (c.older) WriteBytes(Folder() / "Oval 3.txt", kOlder);
    WriteBytes(Folder() / ".Oval 3.txt.tarnwick-tmp", "left");
    host.on_events = [&c](ScriptedHost& h) {
      if (h.events_processed == c.escape_at) h.cancel = true;
    };
    WritePrice(c.rows, "Oval 3");
    Write();
    std::filesystem::path table = Folder() / "Oval 3.txt";
    ASSERT_EQ(std::filesystem::exists(table), !c.after.empty());
    if (!c.after.empty()) {
      EXPECT_EQ(ReadBytes(table), c.after);
    }
    EXPECT_TRUE(HiddenFiles(Folder()).empty());
  }
}

TEST_F(WriteOCTFormatTest, ProgressCountsFormatRowsAgainstTheTableCount) {
  struct Case {
    std::string tables;
    int formats;
    std::vector<std::string> percents;
  } cases[] = {
      {"2", 2, {"50%", "100%"}},
      {"1", 3, {"100%", "100%", "100%"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tables);
    NextCase();
    Rows rows = {{"TABLES:", c.tables}};
    for (int i = 0; i < c.formats; ++i) rows.push_back({"FORMAT:", "0", "-1"});
    rows.push_back({"End Price"});
    Convert(rows);
    EXPECT_EQ(host.percents_seen, c.percents);
  }
}

}  // namespace
}  // namespace tarnwick::test
