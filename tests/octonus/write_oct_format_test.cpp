#include "octonus/write_oct_format.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/error.h"
#include "octonus/price_workbooks.h"

namespace tarnwick::test {
namespace {

const char kTooLarge[] =
    "Too large cell value\r\nDo the following...\r\n"
    "1) Increase the space value in Registry\r\n"
    "2) Use the round option in registry";

std::string Spaces(int n) { return std::string(n, ' '); }

class WriteOCTFormatTest : public PriceFolderTest {
 protected:
  void WritePrice(const Rows& rows, const std::string& name = "Round") {
    WriteWorkbook(Folder() / "Price.xls", {{name, rows}});
  }
  void WriteDiscount(int level, const Rows& rows) {
    WriteWorkbook(Folder() / ("Discount" + std::to_string(level) + ".xls"),
                  {{"Round", rows}});
  }
  // The price workbook counts as read, its sheets those of Price.xls now.
  void Write(int sheet_index = 1) {
    if (!session.application) {
      session.application = std::make_unique<spreadsheet::Application>();
    }
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

  octonus::RunCopies copies;
};

TEST_F(WriteOCTFormatTest, CellsBecomeTheseLinesToTheByte) {
  struct Case {
    const char* what;
    const char* rows;
    Texts lines;
  } cases[] = {
      {"keywords in any case fill fixed columns; only exact keywords count "
       "and only the exact end marker ends",
       "Tables:|12\ntables:|3\nFORMAT:|11|10\nformat:|3|'12345678\n"
       "Mass:|'10.00-|'14.99\nMASS:|12345678|2\nMASS:\n"
       "'TABLES: |1\nEND PRICE\nMass|1|2\nmass:|1|2\nEnd Price\nMASS:|3|4",
       {"Tables: 12", "tables: 3", "Format: clarity 11      10",
        "Format: clarity 312345678", "Mass:   10.00-  14.99",
        "Mass:   123456782", "Mass:           ", "", "", "",
        "Mass:   1       2"}},
      // An en dash, u with circumflex and e acute are one byte each; an
      // omega, outside the code page, is written as '?'.
      {"every character takes one column of the single-byte file",
       "MASS:|'3\u2013"
       "4 ct|5\nFORMAT:|1|0\nMAGNIFY:|1\n"
       "'Br\u00fbl\u00e9|'\u03a9\nEnd Price",
       {"Mass:   3\x96"
        "4 ct  5",
        "Format: clarity 1       0", "Magnify:        1",
        "Br\xfbl\xe9" + Spaces(9) + "?" + Spaces(13)}},
      // Before any FORMAT row a grid is one heading line of two fields; with
      // no colours it is the heading alone.
      {"the grid's shape follows the last FORMAT row",
       "Magnify:|10\n|X\nFORMAT:|2|0\nMAGNIFY:|2\n|A|'X23456789012X\nR1|5|6\n"
       "End Price",
       {"Magnify:        10", Spaces(14) + "X", "Format: clarity 2       0",
        "Magnify:        2", Spaces(14) + "A" + Spaces(13) + "X23456789012X ",
        ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NextCase();
    settings.values["mSpace"] = "14";  // a field that takes 13 characters
    EXPECT_EQ(Convert(RowsOf(c.rows)), TableBytes(c.lines));
  }
}

// A price is the leading number of its cell's text, 0 (never -0) for none;
// the price in the last column keeps every digit however the trim its own
// text sets would cut it.
TEST_F(WriteOCTFormatTest,
       EveryDiscountLevelIsAskedForOrCompoundedThenRounded) {
  using enum octonus::DiscountFormat;
  struct Case {
    octonus::DiscountFormat format;
    // A factor "-" or "x": no workbook, asked about and answered Yes or No.
    Texts factors;
    int digits;                 // -1: rounding off
    std::string r1;             // the prices of row R1 as written; "": no table
    std::string price = "100";  // the first of them as typed
  } cases[] = {
      {kMultiplier, {"0.9"}, -1, "90          1111.05"},
      {kMultiplier, {"0.9", "0.5", "2"}, -1, "90          1111.05"},
      {kMultiplier, {"0.5", ""}, -1, "0           0     "},
      {kMultiplier, {"-", "0.5", "-"}, -1, "50          617.25"},
      {kMultiplier, {"0.9", "x", "-"}, -1, ""},
      {kMultiplier, {"0.95"}, -1, "95          1172.775"},
      {kMultiplier, {"1"}, -1, "100         1234.5"},
      {kMultiplier, {"0.95"}, 0, "95          1173"},
      {kMultiplier, {"0.95"}, 2, "95          1172.78"},
      {kMultiplier, {"-0.9"}, -1, "0           -1111.05", ""},
      {kMultiplier, {"-0.9"}, -1, "0           -1111.05", "'N/A"},
      {kMultiplier, {}, -1, "12.5        1234.5", "'12.5 ct"},
      {kPercentOff, {"10", "'5"}, -1, "85.5        1055.4975"},
      {kPercentOff, {"10", "5", "", "0"}, -1, "85.5        1055.4975"},
      {kPercentOff, {"10", "5"}, 0, "86          1055"},
      {kPercentOff, {"10", "5"}, 1, "85.5        1055.5"},
      {kPercentOff, {"10", "5"}, 3, "85.5        1055.498"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.factors) + " " + c.r1);
    NextCase();
    options.disc_format = c.format;
    options.disc_level = static_cast<int>(c.factors.size());
    Texts questions;  // none follows a No
    for (int k = 1; k <= options.disc_level; ++k) {
      const std::string& f = c.factors[k - 1];
      if (f != "-" && f != "x") {
        WriteDiscount(k, {{}, {}, {}, {"", f, f}});
      } else if (host.answers.empty() || host.answers.back()) {
        host.answers.push_back(f == "-");
        questions.push_back("Discount-" + std::to_string(k) +
                            "file not exist!!!\r\nDo you want to continue?");
      }
    }
    Rounding(c.digits);
    WritePrice(RowsOf("FORMAT:|1|1\nMAGNIFY:|1\n|X1|'IF\nR1|" + c.price +
                      "|1234.5\nEnd Price"));
    Write();
    EXPECT_EQ(host.questions, questions);
    EXPECT_EQ(ReadBytes(Folder() / "Round.txt"),
              c.r1.empty() ? ""
                           : TableBytes({"Format: clarity 1       1",
                                         "Magnify:        1",
                                         Spaces(12) + "X1" + Spaces(10) + "IF",
                                         "R1" + Spaces(10) + c.r1}));
  }
}

TEST_F(WriteOCTFormatTest, EmptyLastColumnIsTrimmedAsTheRoundingSays) {
  // Rounding off: the empty column K + 2 goes whole (the example). Rounding
  // on: its price 0 stays and the heading keeps one space.
  Rounding(0);
  Texts lines = ExampleLines();
  lines[4] += " ";
  lines[5] += "0";
  lines[6] += "0";
  EXPECT_EQ(Convert(ExampleSheet()), TableBytes(lines));
}

TEST_F(WriteOCTFormatTest, SheetFaultsArePassedOnAsErrors) {
  struct Case {
    const char* what;
    Rows rows;  // End Price follows
    int digits = -1;
    int disc_level = 0;  // Discount1.xls has one sheet
    int sheet = 1;       // of Round and Table, both with these rows
  } cases[] = {
      {"negative space count", RowsOf("MASS:|'0.3000001|1")},
      {"colours wider than 8", RowsOf("FORMAT:|1|'123456789")},
      {"clarity count no number", RowsOf("FORMAT:|'many|1")},
      {"colour count no number", RowsOf("FORMAT:|1|'many\nMAGNIFY:|1")},
      {"clarity count past 16 bits", RowsOf("FORMAT:|40000|1")},
      {"table count no number", RowsOf("TABLES:|'one")},
      {"label longer than W with rounding on",
       RowsOf("FORMAT:|1|1\nMAGNIFY:|1\n|X1\n'A very long colour|1"), 0},
      {"rounded price wider than W",
       RowsOf("FORMAT:|2|1\nMAGNIFY:|1\n|X1|X2\nR1|1234567890123|1"), 0},
      {"grid past column 256", RowsOf("FORMAT:|300|0\nMAGNIFY:|1")},
      {"row counter past 16 bits", Rows(32767, Texts{"MASS:", "1", "2"})},
      {"discount workbook without the sheet", ExampleSheet(), -1, 1, 2},
      {"table that cannot be created", ExampleSheet(), -1, 0, 2},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    NextCase();
    Rounding(c.digits);
    options.disc_level = c.disc_level;
    WriteDiscount(1, ExampleDiscounts("0.9"));
    if (c.disc_level == 0) {
      std::filesystem::create_directory(Folder() / "Table.txt");
    }
    c.rows.push_back({"End Price"});
    WriteWorkbook(Folder() / "Price.xls",
                  {{"Round", c.rows}, {"Table", c.rows}});
    EXPECT_THROW(Write(c.sheet), Error);
  }
}

TEST_F(WriteOCTFormatTest, MissingPriceWorkbookIsToldAndNothingWritten) {
  Write();
  EXPECT_EQ(host.MessageTexts(), Texts{"Price file not exist!!!"});
  EXPECT_EQ(session.application->Workbooks().Count(), 0);
  EXPECT_TRUE(std::filesystem::is_empty(Folder()));
}

// The table takes the older one's place only when its walk went through; a
// walk that stopped leaves the older table, or none, and no hidden file. A
// hidden file a killed run left is cleared by the next run of its sheet.
// Without an end marker, 25 rows in a run without a keyword end the sheet: a
// keyword row starts the count again, the rows of a grid do not count.
TEST_F(WriteOCTFormatTest, ATableReplacesTheOlderOneOnlyWhenWhole) {
  const std::string kOlder = "an older table, longer than the new one";
  Rows no_end = ExampleSheet();
  no_end.pop_back();
  no_end.insert(no_end.begin() + 3, Texts{});      // after MASS
  no_end.insert(no_end.begin() + 2, 24, Texts{});  // before it
  Texts no_end_lines = ExampleLines();
  no_end_lines.insert(no_end_lines.begin() + 3, "");
  no_end_lines.insert(no_end_lines.begin() + 2, 24, "");
  no_end_lines.resize(no_end_lines.size() + 25);
  Rows too_large = ExampleSheet();
  too_large[4][2] = "'X23456789012X";  // 13 characters in a field of 12
  struct Case {
    const char* what;
    Rows rows;
    bool older;
    std::string after;         // "": no table
    std::string message = "";  // "": none
    int escape_at = 0;         // the row at which Escape is pressed
  } cases[] = {
      {"end marker", ExampleSheet(), true, ExampleBytes()},
      {"no end marker", no_end, true, TableBytes(no_end_lines),
       "End File Pointer not present"},
      {"too large, no older table", too_large, false, "", kTooLarge},
      {"escape, no older table", ExampleSheet(), false, "", "", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NextCase();
    copies.CloseAll();
    if (c.older) WriteBytes(Folder() / "Oval 3.txt", kOlder);
    WriteBytes(Folder() / ".Oval 3.txt.tarnwick-tmp", "left");
    host.on_events = [&c](ScriptedHost& h) {
      if (h.events_processed == c.escape_at) h.cancel = true;
    };
    WritePrice(c.rows, "Oval 3");
    Write();
    EXPECT_EQ(ReadBytes(Folder() / "Oval 3.txt"), c.after);
    EXPECT_TRUE(HiddenFiles(Folder()).empty());
    EXPECT_EQ(host.MessageTexts(),
              c.message.empty() ? Texts{} : Texts{c.message});
    for (const auto& m : host.messages) {
      EXPECT_EQ(m.icon, MessageIcon::kInformation);
    }
    // A too-large cell closes the price workbook's copy.
    EXPECT_EQ(session.application->Workbooks().Count(),
              c.message == kTooLarge ? 0 : 1);
  }
}

// Every FORMAT row moves the progress on by one table, up to the whole bar.
TEST_F(WriteOCTFormatTest, ProgressCountsFormatRowsAgainstTheTableCount) {
  Convert(RowsOf("TABLES:|2\nFORMAT:\nFORMAT:\nFORMAT:\nEnd Price"));
  EXPECT_EQ(host.percents_seen, (Texts{"50%", "100%", "100%"}));
}

}  // namespace
}  // namespace tarnwick::test
