#include "spreadsheet/xls/blank_workbook.h"

#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/continued_data.h"

namespace tarnwick::spreadsheet::xls {
namespace {

std::string BofData(std::uint16_t kind) {
  std::string data;
  AppendU16(data, 0x0600);  // BIFF8
  AppendU16(data, kind);
  AppendU16(data, 0x0DBB);  // build and year of the writing program
  AppendU16(data, 0x07CC);
  AppendU32(data, 0);
  AppendU32(data, 0x00000006);  // lowest version that can read it: BIFF8
  return data;
}

std::string Window1Data() {
  std::string data;
  for (std::uint16_t v :
       {0x0168, 0x001E, 0x3A5C, 0x2328, 0x0038, 0, 0, 1, 0x0258}) {
    AppendU16(data, static_cast<std::uint16_t>(v));
  }
  return data;
}

std::string FontData() {
  std::string data;
  AppendU16(data, 200);     // 10 points
  AppendU16(data, 0);       // not italic, not struck out
  AppendU16(data, 0x7FFF);  // the window text colour
  AppendU16(data, 400);     // normal weight
  AppendU16(data, 0);       // no super- or subscript
  AppendU8(data, 0);        // no underline
  AppendU8(data, 0);
  AppendU8(data, 0);
  AppendU8(data, 0);
  AppendUnicodeString(data, "Arial", true);
  return data;
}

// Cell formats: 0..14 style formats (0 the Normal style), 15 the format of
// every cell nobody formatted.
std::string XfData(int index) {
  std::string data;
  bool style = index < 15;
  AppendU16(data, 0);                        // font 0
  AppendU16(data, 0);                        // number format General
  AppendU16(data, style ? 0xFFF5 : 0x0001);  // locked; style or cell
  AppendU8(data, 0x20);                      // aligned bottom
  AppendU8(data, 0);
  AppendU8(data, 0);
  AppendU8(data, (style && index != 0) ? 0xF4 : 0);
  AppendU32(data, 0);
  AppendU32(data, 0);
  AppendU16(data, 0x20C0);  // automatic pattern colours
  return data;
}

std::string StyleData() {
  std::string data;
  AppendU16(data, 0x8000);  // built-in style of format 0
  AppendU8(data, 0);        // Normal
  AppendU8(data, 0xFF);
  return data;
}

std::string Window2Data() {
  std::string data;
  AppendU16(data, 0x06B6);  // grid, headers, zeros, outline; selected, shown
  AppendU16(data, 0);
  AppendU16(data, 0);
  AppendU16(data, 0x40);  // automatic grid colour
  AppendU16(data, 0);
  AppendU16(data, 0);
  AppendU16(data, 0);
  AppendU32(data, 0);
  return data;
}

}  // namespace

std::shared_ptr<SheetData> MakeBlankSheet() {
  auto sheet = std::make_shared<SheetData>();
  sheet->has_cells = true;
  sheet->records.push_back({rt::kBof, BofData(kBofWorksheet)});
  sheet->records.push_back({rt::kWindow2, Window2Data()});
  sheet->records.push_back({rt::kEof, {}});
  sheet->cell_block_at = 1;
  return sheet;
}

BookData MakeBlankWorkbook() {
  RecordList globals;
  globals.push_back({rt::kBof, BofData(kBofGlobals)});
  std::string codepage;
  AppendU16(codepage, 1200);  // texts are UTF-16
  globals.push_back({rt::kCodePage, codepage});
  globals.push_back({rt::kWindow1, Window1Data()});
  // Font 4 does not exist in BIFF; four fonts make the usual table.
  for (int i = 0; i < 4; ++i) globals.push_back({rt::kFont, FontData()});
  for (int i = 0; i <= 15; ++i) globals.push_back({rt::kXf, XfData(i)});
  globals.push_back({rt::kStyle, StyleData()});
  globals.push_back({kSheetListHere, {}});
  globals.push_back({kStringTableHere, {}});
  globals.push_back({rt::kEof, {}});

  BookData book;
  book.globals = std::make_shared<const RecordList>(std::move(globals));
  book.sheets.push_back({"Sheet1", 0, 0, MakeBlankSheet(), 0, {}});
  book.other_streams = std::make_shared<const std::vector<CompoundEntry>>();
  return book;
}

}  // namespace tarnwick::spreadsheet::xls
