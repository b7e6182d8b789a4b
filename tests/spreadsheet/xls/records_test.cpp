// The records of .xls files. Every kind of damage is refused with its
// reason, what other programs write is read; numbers in RK form, texts
// continued over records, the text a formula last gave; and the records a save
// writes, read from the saved file itself: peer readers pass over a wrong
// DIMENSIONS, a second WINDOW2, a misplaced EXTSST or a reserved field that
// is not zero, so only the bytes tell.

#include <gmock/gmock.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/error.h"
#include "import/error_of.h"
#include "spreadsheet/application.h"
#include "spreadsheet/cell_reader.h"
#include "spreadsheet/xls/blank_workbook.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/compound_file.h"
#include "spreadsheet/xls/continued_data.h"
#include "spreadsheet/xls/record.h"
#include "spreadsheet/xls/rk_number.h"
#include "spreadsheet/xls/workbook_reader.h"
#include "spreadsheet/xls/workbook_writer.h"
#include "spreadsheet/xls_peers.h"
#include "support/temp_dir.h"

namespace tarnwick::spreadsheet::xls {
namespace {

using test::TempDir;
using test::WriteBytes;
using ::testing::AllOf;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

// A compound file holding one stream, made without the engine.
std::string CompoundFileOf(const std::string& data,
                           const char* name = "Workbook",
                           guint sector_size = 512) {
  GsfOutput* sink = gsf_output_memory_new();
  GsfOutfile* ole = gsf_outfile_msole_new_full(sink, sector_size, 64);
  GsfOutput* child = gsf_outfile_new_child(ole, name, FALSE);
  gsf_output_write(child, data.size(),
                   reinterpret_cast<const guint8*>(data.data()));
  gsf_output_close(child);
  g_object_unref(child);
  gsf_output_close(GSF_OUTPUT(ole));
  g_object_unref(ole);
  std::string bytes(reinterpret_cast<const char*>(
                        gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink))),
                    static_cast<std::size_t>(gsf_output_size(sink)));
  g_object_unref(sink);
  return bytes;
}

std::string Record(std::uint16_t type, const std::string& data) {
  std::string out;
  AppendRecord(out, type, data);
  return out;
}

// The BOF record of a BIFF8 substream of `kind` (its two bytes as written).
std::string Bof(const char (&kind)[3]) {
  return Record(rt::kBof, std::string("\0\6", 2) + std::string(kind, 2) +
                              std::string(12, '\0'));
}

// The Workbook stream of a workbook with one sheet holding a few cells.
std::string SmallStream() {
  BookData book = MakeBlankWorkbook();
  auto sheet = std::make_shared<SheetData>(*book.sheets[0].Data());
  sheet->rows.resize(3);
  for (int r = 0; r < 3; ++r) {
    sheet->rows[r].cells.resize(2);
    SetValue(*sheet, sheet->rows[r].cells[0],
             CellValue::Text("text " + std::to_string(r)));
    SetValue(*sheet, sheet->rows[r].cells[1], CellValue::Number(r + 0.5));
  }
  book.sheets[0].data = sheet;
  std::string stream = WriteWorkbookStream(book);
  return stream.substr(0, stream.find_last_not_of('\0') + 1);
}

// The offset of the first record of `type` in a stream.
std::size_t FindRecord(const std::string& stream, std::uint16_t type) {
  std::size_t at = 0;
  while (at + 4 <= stream.size()) {
    if (GetU16(stream.data() + at) == type) return at;
    at += 4 + GetU16(stream.data() + at + 2);
  }
  return std::string::npos;
}

std::string WithBoundSheetOffset(std::uint32_t offset) {
  std::string stream = SmallStream();
  PutU32(stream.data() + FindRecord(stream, rt::kBoundSheet) + 4, offset);
  return CompoundFileOf(stream);
}

// What Tarnwick reads from `bytes` saved as Price.xls, or why it cannot;
// read for its values, or from a copy saved once its sheet was read, it
// reads the same.
std::string Read(const TempDir& dir, const std::string& bytes) {
  WriteBytes(dir / "Price.xls", bytes);
  std::string cells;
  std::string error = test::ErrorOf([&] {
    cells = test::TarnwickDump(dir / "Price.xls");
    EXPECT_EQ(test::TarnwickDump(dir / "Price.xls", true), cells);
    Application app;
    Workbook& book = app.Workbooks().Add(dir / "Price.xls");
    book.Sheets().Item(1).UsedRows();
    book.SaveAs(dir / "again.xls");
    EXPECT_EQ(test::TarnwickDump(dir / "again.xls"), cells);
  });
  return cells.empty() ? error : cells;
}

// 30-bit integers, doubles whose low 34 bits are zero, hundredths of a
// 30-bit integer; and what needs a whole double: a negative zero stays what
// it is.
// 30-bit integers (the largest and smallest; then one too large), doubles
// whose low 34 bits are zero, hundredths of a 30-bit integer; the rest needs
// every bit of a double, and a negative zero stays what it is.
TEST(RkNumberTest, NumbersTakeTheSmallestExactForm) {
  const std::pair<double, std::uint32_t> exact[] = {
      {0, 0x00000002},          {1, 0x00000006},
      {-1, 0xFFFFFFFE},         {536870911, 0x7FFFFFFE},
      {-536870912, 0x80000002}, {536870912, 0x41C00000},
      {0.5, 0x3FE00000},        {12.34, 0x0000134B},
      {-0.01, 0xFFFFFFFF},      {1234.56, 0x00078903},
      {0.1, 0x0000002B}};
  for (auto [x, rk] : exact) {
    EXPECT_EQ(EncodeRk(x), rk) << x;
    EXPECT_EQ(DecodeRk(rk), x) << x;
  }
  for (double x : {1.0 / 3, 123456789.25, 1e300, -0.0,
                   std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(EncodeRk(x), std::nullopt) << x;
  }
}

// Reads XLUnicodeStrings until the data ends; "!" when a read fails. Each
// part lies in a heap block of its own size, so that a read one byte past a
// part's end is seen by the sanitizer build.
std::string ReadAll(const std::vector<std::string>& parts) {
  std::vector<std::vector<char>> blocks;
  std::vector<std::string_view> views;
  for (const std::string& part : parts) {
    views.emplace_back(blocks.emplace_back(part.begin(), part.end()).data(),
                       part.size());
  }
  ContinuedData data(views, "t.xls");
  std::string texts;
  try {
    while (!data.AtEnd()) texts += data.UnicodeString() + "|";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(),
                 "t.xls: the workbook is damaged (a record ends in the middle "
                 "of its data)");
    texts += "!";
  }
  return texts;
}

TEST(ContinuedDataTest, TextsEndWhereTheirDataEndsAndGoOnInTheNextRecord) {
  using S = std::string;
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{S("\3\0\0abc", 6)}, "abc|"},
      {{S("\3\0\0ab", 5)}, "!"},
      {{S("\2\0\1\x7D\1\x7D\1", 7)}, "\u017D\u017D|"},
      {{S("\2\0\1\x7D\1\x7D", 6)}, "!"},         // half a wide character
      {{S("\1\0\x08\1\0x\0\0\0\0", 10)}, "x|"},  // one formatting run
      {{S("\1\0\x08\1\0x\0\0\0", 9)}, "!"},
      {{S("\1\0\x04\2\0\0\0xAB", 10)}, "x|"},  // extended data
      {{S("\1\0\x04\2\0\0\0xA", 9)}, "!"},
      // A record that ends exactly between two texts: the next text starts
      // the next record, with no option byte of the record's own.
      {{S("\1\0\0a", 4), S("\1\0\0b", 4), S("\2\0\1\x41\0\x42\0", 7)},
       "a|b|AB|"},
      {{S("\1\0\0a", 4), S(), S("\1\0\0b", 4)}, "a|b|"},
      {{S("\0\0", 2)}, "|"},  // an empty text without its option byte
      // Characters that go on in the next record, which may change width.
      {{S("\4\0\0ab", 5), S("\1c\0d\0", 5)}, "abcd|"},
      {{S("\4\0\0ab", 5), S("\0cd", 3)}, "abcd|"},
      {{S("\4\0\0ab", 5), S(), S("\0cd", 3)}, "abcd|"},
      {{S("\4\0\0ab", 5)}, "!"},
  };
  for (const auto& [parts, texts] : cases) {
    EXPECT_EQ(ReadAll(parts), texts) << parts[0].size();
  }
}

// The text a formula last gave is read, kept through a save, and stays as
// the cell's value once the formula goes; other texts keep their own.
TEST(FormulaTextTest, AFormulasTextResultOutlivesSavesAndTheFormula) {
  // A1 a text and B1 the formula ="abc", whose last result (in the STRING
  // record after it) was a text: the formula's text is not the first of the
  // sheet, nor is its record.
  std::string stream = SmallStream() + std::string(3, '\0');
  std::size_t at = FindRecord(stream, rt::kRk);    // of B1, 14 bytes
  std::string formula = stream.substr(at + 4, 6);  // its place and format
  formula += std::string(
      "\0\0\0\0\0\0\xFF\xFF"  // a text result
      "\0\0\0\0\0\0\6\0\x17\3\0abc",
      22);
  stream.replace(at, 14,
                 Record(rt::kFormula, formula) +
                     Record(rt::kString, std::string("\3\0\0abc", 6)));
  BookData book = ParseWorkbookStream(stream, "book");
  for (int save = 0; save < 2; ++save) {
    book = ParseWorkbookStream(WriteWorkbookStream(book), "book");
  }
  auto sheet = std::make_shared<SheetData>(*book.sheets[0].Data());
  StoredCell& b1 = sheet->rows.at(0).cells.at(1);
  ASSERT_TRUE(b1.has_formula());
  EXPECT_EQ(ValueOf(*sheet, b1), CellValue::Text("abc"));
  EXPECT_EQ(ValueOf(*sheet, sheet->rows[0].cells[0]).text(), "text 0");

  DropFormula(*sheet, b1);
  EXPECT_FALSE(b1.has_formula());
  EXPECT_EQ(ValueOf(*sheet, b1), CellValue::Text("abc"));
  SetText(*sheet, b1, "new");
  EXPECT_EQ(ValueOf(*sheet, b1), CellValue::Text("new"));
  EXPECT_EQ(ValueOf(*sheet, sheet->rows[0].cells[0]).text(), "text 0");
}

// The saved Workbook stream's substreams (globals first, then each sheet),
// each record as "\ntype:data" in hex.
std::vector<std::string> Substreams(const std::filesystem::path& path) {
  std::string file = test::ReadBytes(path);
  CompoundContents contents = ReadCompoundFile(file, "saved.xls");
  std::string_view stream = contents.WorkbookBytes();
  std::vector<std::string> substreams;
  for (std::size_t at = 0; at + 4 <= stream.size();) {
    std::uint16_t type = GetU16(stream.data() + at);
    std::uint16_t size = GetU16(stream.data() + at + 2);
    if (type == 0) break;  // the padding after the last sheet
    if (type == rt::kBof) substreams.emplace_back();
    char hex[8];
    std::snprintf(hex, sizeof hex, "\n%04X:", type);
    substreams.back() += hex;
    for (std::size_t k = 0; k < size; ++k) {
      std::snprintf(hex, sizeof hex, "%02X", 0xFF & stream[at + 4 + k]);
      substreams.back() += hex;
    }
    at += 4 + size;
  }
  return substreams;
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

  std::vector<std::string> saved = Substreams(dir / "saved.xls");
  ASSERT_EQ(saved.size(), 4u);
  // The shared string table, and its index straight after it, once.
  EXPECT_THAT(saved[0],
              AllOf(ContainsRegex("\n00FC:[0-9A-F]*\n00FF:"),
                    Not(ContainsRegex("\n00FC:.*\n00FC:|\n00FF:.*\n00FF:"))));
  // DIMENSIONS, ROW and cell records to the byte, reserved fields zero; one
  // DIMENSIONS and one WINDOW2 a sheet.
  const char* cells[] = {
      "\n0200:0100000002000000000001000000"
      "\n0208:010000000100FF000000000000010F00\n00FD:010000000F0000000000",
      "\n0200:0400000000000100020000010000"
      "\n0208:040002000300FF000000000000010F00\n027E:040002000F001E000000"
      "\n0208:FFFFFF000001FF000000000000010F00\n027E:FFFFFF000F0026000000",
      "\n0200:0000000000000000000000000000"};
  for (int s = 1; s <= 3; ++s) {
    EXPECT_THAT(saved[s],
                AllOf(HasSubstr(cells[s - 1]), HasSubstr("\n023E:"),
                      Not(ContainsRegex("\n0200:.*\n0200:|\n023E:.*\n023E:"))));
  }
}

TEST(SavedRecordsTest, PlacesOffTheSheetAreRefused) {
  Application app;
  Sheet& sheet = app.Workbooks().Add().Sheets().Item(1);
  for (auto [row, column] : {std::pair{65537, 1}, {0, 1}, {1, 257}, {1, 0}}) {
    EXPECT_THROW(sheet.SetCells(row, column, 1.0), Error) << row;
    EXPECT_THROW(sheet.Cells(row, column), Error) << row;
    EXPECT_THROW(CellReader(sheet, CellReader::Use::kValues).Cells(row, column),
                 Error)
        << row;
  }
  EXPECT_TRUE(sheet.Cells(1, 1).IsEmpty());
}

TEST(BadWorkbookTest, EachKindOfBadFileGivesItsReasonNamingTheFile) {
  std::string stream = SmallStream();
  std::string xor_password = Bof("\5\0") +
                             Record(rt::kFilePass, std::string(6, '\0')) +
                             Record(rt::kEof, "");
  std::string biff4_bof = Record(
      rt::kBof, std::string("\x00\x04\x05\x00", 4) + std::string(4, '\0'));
  std::string huge_length = stream;
  PutU16(huge_length.data() + FindRecord(stream, rt::kSst) + 2, 8000);

  const std::pair<std::string, const char*> cases[] = {
      // An empty file, random bytes, CSV text.
      {"", "the file is empty"},
      {std::string("\x01\x02\x03\x00\xFF", 5) + std::string(600, '\x7F'),
       "not an Excel 97-2003 workbook (no compound file)"},
      {"Round,D,E\r\n0.30,1,2\r\n",
       "this is a text file (perhaps CSV), not an Excel 97-2003 workbook"},
      // No Workbook stream, Excel 4 in a compound file, XOR obfuscation.
      {CompoundFileOf("data", "Other"),
       "not an Excel workbook (the compound file has no Workbook stream)"},
      {CompoundFileOf(biff4_bof + Record(rt::kEof, ""), "Book"),
       "this is a workbook of an Excel older than 5.0; save it as an Excel "
       "97-2003 workbook"},
      {CompoundFileOf(xor_password),
       "the workbook is encrypted in a way Tarnwick does not read"},
      // A short compound file, a truncated stream, globals without their
      // end, a record longer than the stream.
      {CompoundFileOf(stream).substr(0, 300), "the workbook is truncated"},
      {CompoundFileOf(stream.substr(0, stream.size() - 7)),
       "the workbook is truncated"},
      {CompoundFileOf(stream.substr(0, FindRecord(stream, rt::kEof))),
       "the workbook is truncated"},
      {CompoundFileOf(huge_length),
       "the workbook is truncated (a record at byte"},
      // A sheet beyond the stream, a sheet offset in mid-record.
      {WithBoundSheetOffset(1 << 30),
       "the sheet lies beyond the end of the workbook stream"},
      {WithBoundSheetOffset(3), "the sheet list points to no sheet"},
  };
  TempDir dir;
  for (const auto& c : cases) {
    EXPECT_THAT(Read(dir, c.first),
                AllOf(StartsWith((dir / "Price.xls").string() + ": "),
                      HasSubstr(c.second)))
        << "case " << &c - cases;
  }
}

// A damaged cell shows when its sheet is first read, naming file and sheet;
// opening the workbook and listing its sheets need no cells.
TEST(BadWorkbookTest, ADamagedCellIsReportedWhenItsSheetIsRead) {
  // The stream whole, with its last EOF's length that SmallStream trims.
  std::string stream = SmallStream() + std::string(3, '\0');
  PutU32(stream.data() + FindRecord(stream, rt::kLabelSst) + 4 + 6, 999);
  TempDir dir;
  WriteBytes(dir / "Price.xls", CompoundFileOf(stream));
  Application app;
  Sheet& sheet = app.Workbooks().Add(dir / "Price.xls").Sheets().Item(1);
  EXPECT_EQ(sheet.Name(), "Sheet1");
  const std::string reason =
      (dir / "Price.xls").string() +
      ": sheet \"Sheet1\": the workbook is damaged (a cell refers to text "
      "999 of a table of 3)";
  EXPECT_EQ(test::ErrorOf([&] { sheet.Cells(1, 1); }), reason);
  // A sheet read for its values (a price or discount sheet) meets the
  // damage as soon, though the cell asked for is a sound number.
  CellReader values(sheet, CellReader::Use::kValues);
  double number = 0;
  EXPECT_EQ(test::ErrorOf([&] { values.NumberAt(1, 2, &number); }), reason);
}

// Compound files as other programs write them, which libgsf refuses while
// other readers open them, made by editing LibreOffice's: the workbook
// keeps its cells. Chains that loop or leave the file are still refused.
TEST(BadWorkbookTest, CompoundFilesOfOtherWritersAreReadWhenSafe) {
  // The regular sectors' file first, whose Workbook starts at sector 2 of
  // the FAT in sector 0; then the one with its Workbook in the mini stream.
  const char* fixtures[] = {"libreoffice-numbers.xls", "libreoffice.xls"};
  auto at = [](std::string& f, std::uint32_t sector, std::size_t offset) {
    return f.data() + 512 * (sector + 1) + offset;
  };
  auto workbook_entry = [&](std::string& f) {
    return at(f, GetU32(f.data() + 0x30), 128);
  };
  auto add_to_size = [&](std::uint32_t more) {
    return [&, more](std::string& f) {
      char* size = workbook_entry(f) + 0x78;
      PutU32(size, GetU32(size) + more);
    };
  };
  const struct {
    int fixture;
    std::function<void(std::string&)> edit;
    const char* refused = nullptr;
  } cases[] = {
      // No count of FAT sectors; a DIFAT sector counted, none written.
      {0, [](auto& f) { PutU32(&f[0x2C], 0); }},
      {1, [](auto& f) { PutU32(&f[0x48], 1); }},
      // A size beyond the sectors, beyond the file; a mini stream's size
      // beyond its sectors.
      {0, add_to_size(300)},
      {0, add_to_size(10'000'000)},
      {1, add_to_size(300)},
      // A mini stream cutoff of 0; a name length beyond its field.
      {1, [](auto& f) { PutU32(&f[0x38], 0); }},
      {1, [&](auto& f) { PutU16(workbook_entry(f) + 0x40, 200); }},
      // 4096-byte sectors, the last cut short.
      {0,
       [](std::string& f) {
         f = CompoundFileOf(
             std::string(ReadCompoundFile(f, "").WorkbookBytes()), "Workbook",
             4096);
         f.resize(f.size() - 3000);
       }},
      // A looping chain, a chain leaving the file, a looping mini chain.
      {0, [&](auto& f) { PutU32(at(f, 0, 4 * 3), 2); },
       "the workbook is damaged (a stream cannot be read whole)"},
      {0, [&](auto& f) { PutU32(at(f, 0, 4 * 5), 0x7000); },
       "the workbook's compound file is damaged"},
      {1, [&](auto& f) { PutU32(at(f, GetU32(&f[0x3C]), 4 * 5), 3); },
       "the workbook's compound file is damaged"},
  };
  TempDir dir;
  for (const auto& c : cases) {
    std::filesystem::path sound =
        std::filesystem::path(TARNWICK_TEST_DATA) / "xls" / fixtures[c.fixture];
    std::string bytes = test::ReadBytes(sound);
    c.edit(bytes);
    EXPECT_THAT(Read(dir, bytes),
                HasSubstr(c.refused ? c.refused : test::TarnwickDump(sound)))
        << "case " << &c - cases;
  }
}

// What other programs write that a strict reader would refuse, each made by
// editing the records of a sound workbook, is read whichever way the sheet
// is read, and saved again.
TEST(BadWorkbookTest, WhatOtherProgramsWriteIsRead) {
  const struct {
    std::function<void(std::string&)> edit;
    std::string cell = "", reads_as = "";  // the one cell that reads otherwise
  } cases[] = {
      // A sheet offset a few bytes before its BOF.
      {[](auto& s) {
        char* field = &s[FindRecord(s, rt::kBoundSheet) + 4];
        PutU32(field, GetU32(field) - 6);
      }},
      // A string table holding more than it counts.
      {[](auto& s) { PutU32(&s[FindRecord(s, rt::kSst) + 8], 1); }},
      // A formula numbered as Excel 4 did.
      {[](auto& s) {
         std::size_t at = FindRecord(s, rt::kRk);  // of B1, 14 bytes
         std::string data = s.substr(at + 4, 6);
         AppendF64(data, 7.25);
         data += std::string("\0\0\x03\0\x1E\x07\0", 7);  // =7
         s.replace(at, 14, Record(rt::kFormula4, data));
       },
       "1\t2\tn\t0.5", "1\t2\tn\t7.25"},
      // Cells beyond the extent DIMENSIONS gives.
      {[](auto& s) { PutU32(&s[FindRecord(s, rt::kDimensions) + 8], 1); }},
  };
  TempDir dir;
  std::string sound = SmallStream() + std::string(3, '\0');
  std::string cells = Read(dir, CompoundFileOf(sound));
  for (const auto& c : cases) {
    std::string stream = sound;
    c.edit(stream);
    std::string expected = cells;
    expected.replace(expected.find(c.cell), c.cell.size(), c.reads_as);
    EXPECT_EQ(Read(dir, CompoundFileOf(stream)), expected)
        << "case " << &c - cases;
  }
}

// A substream after the last sheet that no sheet refers to is saved too.
TEST(BadWorkbookTest, ASubstreamNoSheetRefersToIsKept) {
  std::string extra =
      Bof("\0\1") + Record(0x1234, "kept") + Record(rt::kEof, "");
  std::string whole = SmallStream() + std::string(3, '\0') + extra;
  EXPECT_THAT(WriteWorkbookStream(ParseWorkbookStream(whole, "extra.xls")),
              HasSubstr(extra));
}

// Every cut of a workbook gives an error or the part that is whole, never a
// crash or a read past the end (the sanitizer build shows the latter).
TEST(BadWorkbookTest, EveryTruncationOfAStreamIsRefusedCleanly) {
  std::string stream = SmallStream();
  for (std::size_t cut = 0; cut < stream.size(); ++cut) {
    std::string bytes = CompoundFileOf(stream.substr(0, cut));
    std::string error = test::ErrorOf([&] {
      for (const SheetEntry& sheet : ReadWorkbook(bytes, "cut.xls").sheets) {
        sheet.Data();
      }
    });
    EXPECT_EQ(error.rfind("cut.xls: ", 0), 0u) << cut << ": " << error;
  }
}

}  // namespace
}  // namespace tarnwick::spreadsheet::xls
