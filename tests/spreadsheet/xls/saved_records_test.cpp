// The records a save writes, read from the saved file itself: peer readers
// pass over a wrong DIMENSIONS, a second WINDOW2, a misplaced EXTSST or a
// reserved field that is not zero, so only the bytes tell.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/error.h"
#include "spreadsheet/application.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/compound_file.h"
#include "spreadsheet/xls/record.h"
#include "support/temp_dir.h"

namespace tarnwick::spreadsheet::xls {
namespace {

using test::TempDir;

// The saved Workbook stream's substreams (globals first, then each sheet),
// each record as "type:data" in hex.
std::vector<std::vector<std::string>> Substreams(
    const std::filesystem::path& path) {
  std::string file = test::ReadBytes(path);
  CompoundContents contents = ReadCompoundFile(file, "saved.xls");
  std::string_view stream = contents.WorkbookBytes();
  std::vector<std::vector<std::string>> substreams;
  for (std::size_t at = 0; at + 4 <= stream.size();) {
    std::uint16_t type = GetU16(stream.data() + at);
    std::uint16_t size = GetU16(stream.data() + at + 2);
    if (type == 0) break;  // the padding after the last sheet
    if (type == rt::kBof) substreams.emplace_back();
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X:", type);
    std::string line = hex;
    for (std::size_t k = 0; k < size; ++k) {
      std::snprintf(hex, sizeof hex, "%02X", 0xFF & stream[at + 4 + k]);
      line += hex;
    }
    substreams.back().push_back(line);
    at += 4 + size;
  }
  return substreams;
}

std::size_t Count(const std::vector<std::string>& records, const char* type) {
  std::size_t n = 0;
  for (const std::string& r : records) n += r.starts_with(type);
  return n;
}

TEST(SavedRecordsTest, EachSheetHasItsOwnExtentOneWindowAndZeroReservedBits) {
  TempDir dir;
  Application app;
  Workbook& book = app.Workbooks().Add();
  book.Sheets().Item(1).SetCells(2, 1, "Round");
  book.AddWorksheet("Pear").SetCells(5, 3, 7.0);
  book.Sheets().Item(2).SetCells(65536, 256, 9.0);
  book.AddWorksheet("Empty");
  book.SaveAs(dir / "saved.xls");

  auto substreams = Substreams(dir / "saved.xls");
  ASSERT_EQ(substreams.size(), 4u);
  // The shared string table, and its index straight after it, once.
  const std::vector<std::string>& globals = substreams[0];
  std::size_t sst = 0;
  while (sst < globals.size() && !globals[sst].starts_with("00FC:")) ++sst;
  ASSERT_LT(sst + 1, globals.size());
  EXPECT_TRUE(globals[sst + 1].starts_with("00FF:")) << globals[sst + 1];
  EXPECT_EQ(Count(globals, "00FF:"), 1u);
  EXPECT_EQ(Count(globals, "00FC:"), 1u);

  // DIMENSIONS, ROW and cell records to the byte, reserved fields zero.
  const std::vector<std::vector<std::string>> cells = {
      {"0200:0100000002000000000001000000",
       "0208:010000000100FF000000000000010F00", "00FD:010000000F0000000000"},
      {"0200:0400000000000100020000010000",
       "0208:040002000300FF000000000000010F00", "027E:040002000F001E000000",
       "0208:FFFFFF000001FF000000000000010F00", "027E:FFFFFF000F0026000000"},
      {"0200:0000000000000000000000000000"},
  };
  for (std::size_t s = 0; s < cells.size(); ++s) {
    const std::vector<std::string>& sheet = substreams[s + 1];
    EXPECT_NE(std::search(sheet.begin(), sheet.end(), cells[s].begin(),
                          cells[s].end()),
              sheet.end())
        << ::testing::PrintToString(sheet);
    EXPECT_EQ(Count(sheet, "0200:"), 1u) << "sheet " << s + 1;
    EXPECT_EQ(Count(sheet, "023E:"), 1u) << "sheet " << s + 1;
  }
}

TEST(SavedRecordsTest, PlacesOffTheSheetAreRefused) {
  Application app;
  Sheet& sheet = app.Workbooks().Add().Sheets().Item(1);
  for (auto [row, column] : {std::pair{65537, 1}, {0, 1}, {1, 257}, {1, 0}}) {
    EXPECT_THROW(sheet.SetCells(row, column, 1.0), Error) << row;
    EXPECT_THROW(sheet.Cells(row, column), Error) << row;
  }
  EXPECT_TRUE(sheet.Cells(1, 1).IsEmpty());
}

}  // namespace
}  // namespace tarnwick::spreadsheet::xls
