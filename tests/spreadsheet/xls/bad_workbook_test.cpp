#include <gmock/gmock.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/error.h"
#include "import/error_of.h"
#include "spreadsheet/application.h"
#include "spreadsheet/cell_reader.h"
#include "spreadsheet/xls/blank_workbook.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/compound_file.h"
#include "spreadsheet/xls/record.h"
#include "spreadsheet/xls/workbook_reader.h"
#include "spreadsheet/xls/workbook_writer.h"
#include "spreadsheet/xls_peers.h"
#include "support/temp_dir.h"

namespace tarnwick::spreadsheet::xls {
namespace {

using test::TempDir;
using test::WriteBytes;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// A compound file holding the named streams, made without the engine.
std::string CompoundFileOf(
    const std::vector<std::pair<std::string, std::string>>& streams,
    guint sector_size = 512) {
  GsfOutput* sink = gsf_output_memory_new();
  GsfOutfile* ole = gsf_outfile_msole_new_full(sink, sector_size, 64);
  for (const auto& [name, data] : streams) {
    GsfOutput* child = gsf_outfile_new_child(ole, name.c_str(), FALSE);
    gsf_output_write(child, data.size(),
                     reinterpret_cast<const guint8*>(data.data()));
    gsf_output_close(child);
    g_object_unref(child);
  }
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

std::string Bof(std::uint16_t kind) {
  std::string data;
  AppendU16(data, 0x0600);
  AppendU16(data, kind);
  return Record(rt::kBof, data + std::string(12, '\0'));
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
  return CompoundFileOf({{"Workbook", stream}});
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

TEST(BadWorkbookTest, EachKindOfBadFileGivesItsReasonNamingTheFile) {
  std::string stream = SmallStream();
  std::string ole = CompoundFileOf({{"Workbook", stream}});
  // A stream of 4096 bytes or more lies in the file's big sectors.
  std::string padded = stream + std::string(8192, '\0');
  std::string looped = CompoundFileOf({{"Workbook", padded}});
  {
    // Point the second sector of the Workbook stream's chain back at its
    // first: the chain never ends.
    std::uint32_t fat = GetU32(looped.data() + 0x4C);
    std::uint32_t dir = GetU32(looped.data() + 0x30);
    std::uint32_t start = GetU32(looped.data() + 512 * (dir + 1) + 128 + 0x74);
    PutU32(looped.data() + 512 * (fat + 1) + 4 * (start + 1), start);
  }
  std::string xor_password = Bof(kBofGlobals) +
                             Record(rt::kFilePass, std::string(6, '\0')) +
                             Record(rt::kEof, "");
  std::string biff4_bof = Record(
      rt::kBof, std::string("\x00\x04\x05\x00", 4) + std::string(4, '\0'));
  std::string huge_length = stream;
  PutU16(huge_length.data() + FindRecord(stream, rt::kSst) + 2, 8000);

  const struct {
    const char* what;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"empty file", "", "the file is empty"},
      {"random bytes",
       std::string("\x01\x02\x03\x00\xFF", 5) + std::string(600, '\x7F'),
       "not an Excel 97-2003 workbook (no compound file)"},
      {"CSV text", "Round,D,E\r\n0.30,1,2\r\n",
       "this is a text file (perhaps CSV), not an Excel 97-2003 workbook"},
      {"damaged ZIP under an .xls name",
       std::string("PK\x03\x04", 4) + std::string(100, '\0'),
       "the workbook is damaged (its ZIP archive cannot be read"},
      {"no Workbook stream", CompoundFileOf({{"Other", "data"}}),
       "not an Excel workbook (the compound file has no Workbook stream)"},
      {"Excel 4 in a compound file",
       CompoundFileOf({{"Book", biff4_bof + Record(rt::kEof, "")}}),
       "this is a workbook of an Excel older than 5.0; save it as an Excel "
       "97-2003 workbook"},
      {"XOR obfuscation", CompoundFileOf({{"Workbook", xor_password}}),
       "the workbook is encrypted in a way Tarnwick does not read"},
      {"truncated compound file", ole.substr(0, ole.size() / 2),
       "the workbook's compound file is damaged"},
      {"short compound file", ole.substr(0, 300), "the workbook is truncated"},
      {"looped sector chain", looped,
       "the workbook is damaged (a stream cannot be read whole)"},
      {"truncated stream",
       CompoundFileOf({{"Workbook", stream.substr(0, stream.size() - 7)}}),
       "the workbook is truncated"},
      {"globals without end",
       CompoundFileOf(
           {{"Workbook", stream.substr(0, FindRecord(stream, rt::kEof))}}),
       "the workbook is truncated"},
      {"record longer than the stream",
       CompoundFileOf({{"Workbook", huge_length}}),
       "the workbook is truncated (a record at byte"},
      {"sheet beyond the stream", WithBoundSheetOffset(1 << 30),
       "the sheet lies beyond the end of the workbook stream"},
      {"sheet offset in mid-record", WithBoundSheetOffset(3),
       "the sheet list points to no sheet"},
  };
  TempDir dir;
  for (const auto& c : cases) {
    EXPECT_THAT(Read(dir, c.bytes),
                AllOf(StartsWith((dir / "Price.xls").string() + ": "),
                      HasSubstr(c.reason)))
        << c.what;
  }
}

// A damaged cell shows when its sheet is first read, naming file and sheet;
// opening the workbook and listing its sheets need no cells.
TEST(BadWorkbookTest, ADamagedCellIsReportedWhenItsSheetIsRead) {
  // The stream whole, with its last EOF's length that SmallStream trims.
  std::string stream = SmallStream() + std::string(3, '\0');
  PutU32(stream.data() + FindRecord(stream, rt::kLabelSst) + 4 + 6, 999);
  TempDir dir;
  WriteBytes(dir / "Price.xls", CompoundFileOf({{"Workbook", stream}}));
  Application app;
  Workbook& book = app.Workbooks().Add(dir / "Price.xls");
  EXPECT_EQ(book.Sheets().Item(1).Name(), "Sheet1");
  const std::string reason =
      (dir / "Price.xls").string() +
      ": sheet \"Sheet1\": the workbook is damaged (a cell refers to text "
      "999 of a table of 3)";
  EXPECT_EQ(test::ErrorOf([&] { book.Sheets().Item(1).Cells(1, 1); }), reason);
  // A sheet read for its values (a price or discount sheet) meets the damage
  // as soon, though the cell asked for is a sound number.
  CellReader values(book.Sheets().Item(1), CellReader::Use::kValues);
  double number = 0;
  EXPECT_EQ(test::ErrorOf([&] { values.NumberAt(1, 2, &number); }), reason);
}

// Compound files as other programs write them, which libgsf refuses while
// other readers open them, made by editing LibreOffice's: the workbook keeps
// its cells. Chains that loop or leave the file are still refused.
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
    const char* what;
    int fixture;
    std::function<void(std::string&)> edit;
    const char* refused = nullptr;
  } cases[] = {
      {"no count of FAT sectors", 0, [](auto& f) { PutU32(&f[0x2C], 0); }},
      {"a DIFAT sector counted, none written", 1,
       [](auto& f) { PutU32(&f[0x48], 1); }},
      {"a size beyond the sectors", 0, add_to_size(300)},
      {"a size beyond the file", 0, add_to_size(10'000'000)},
      {"a mini stream size beyond its sectors", 1, add_to_size(300)},
      {"a mini stream cutoff of 0", 1, [](auto& f) { PutU32(&f[0x38], 0); }},
      {"a name length beyond the field", 1,
       [&](auto& f) { PutU16(workbook_entry(f) + 0x40, 200); }},
      {"4096-byte sectors, the last cut short", 0,
       [](std::string& f) {
         f = CompoundFileOf(
             {{"Workbook",
               std::string(ReadCompoundFile(f, "").WorkbookBytes())}},
             4096);
         f.resize(f.size() - 3000);
       }},
      {"a looping chain", 0, [&](auto& f) { PutU32(at(f, 0, 4 * 3), 2); },
       "the workbook is damaged (a stream cannot be read whole)"},
      {"a chain leaving the file", 0,
       [&](auto& f) { PutU32(at(f, 0, 4 * 5), 0x7000); },
       "the workbook's compound file is damaged"},
      {"a looping mini chain", 1,
       [&](auto& f) { PutU32(at(f, GetU32(&f[0x3C]), 4 * 5), 3); },
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
        << c.what;
  }
}

// Replaces the first record of `type` of a one-sheet stream with what
// `make` makes of its data, moving the sheet's offset in BOUNDSHEET along.
void ReplaceRecord(std::string& stream, std::uint16_t type,
                   const std::function<std::string(std::string)>& make) {
  std::size_t at = FindRecord(stream, type);
  std::size_t size = GetU16(stream.data() + at + 2);
  std::string insert = make(stream.substr(at + 4, size));
  std::size_t field = FindRecord(stream, rt::kBoundSheet) + 4;
  std::uint32_t sheet = GetU32(stream.data() + field);
  stream.replace(at, 4 + size, insert);
  if (at < sheet) {
    PutU32(stream.data() + field, sheet + insert.size() - 4 - size);
  }
}

// What other programs write that a strict reader would refuse, each made by
// editing the records of a sound workbook, is read whichever way the sheet
// is read, and saved again.
TEST(BadWorkbookTest, WhatOtherProgramsWriteIsRead) {
  const struct {
    const char* what;
    std::function<void(std::string&)> edit;
    std::string cell, reads_as;  // the one cell that reads otherwise
  } cases[] = {
      {"an empty CONTINUE inside a string",
       [](auto& s) {
         // Splits "text 0" after "te", with an empty CONTINUE between.
         ReplaceRecord(s, rt::kSst, [](std::string d) {
           return Record(rt::kSst, d.substr(0, 13)) +
                  Record(rt::kContinue, "") +
                  Record(rt::kContinue, '\0' + d.substr(13));
         });
       }},
      {"an empty text without its option byte",
       [](auto& s) {
         ReplaceRecord(s, rt::kLabelSst, [](std::string d) {
           return Record(rt::kLabel, d.substr(0, 6) + std::string(2, '\0'));
         });
       },
       "1\t1\ts\ttext 0", "1\t1\ts\t"},
      {"a sheet offset a few bytes before its BOF",
       [](auto& s) {
         char* field = &s[FindRecord(s, rt::kBoundSheet) + 4];
         PutU32(field, GetU32(field) - 6);
       }},
      {"a string table holding more than it counts",
       [](auto& s) { PutU32(&s[FindRecord(s, rt::kSst) + 8], 1); }},
      {"a formula numbered as Excel 4 did",
       [](auto& s) {
         ReplaceRecord(s, rt::kRk, [](std::string d) {
           d.resize(6);
           AppendF64(d, 7.25);
           return Record(rt::kFormula4,
                         d + std::string("\0\0\x03\0\x1E\x07\0", 7));
         });
       },
       "1\t2\tn\t0.5", "1\t2\tn\t7.25"},
      {"cells beyond the extent DIMENSIONS gives",
       [](auto& s) { PutU32(&s[FindRecord(s, rt::kDimensions) + 8], 1); }},
  };
  TempDir dir;
  std::string sound = SmallStream() + std::string(3, '\0');
  std::string cells = Read(dir, CompoundFileOf({{"Workbook", sound}}));
  for (const auto& c : cases) {
    std::string stream = sound;
    c.edit(stream);
    std::string expected = cells;
    expected.replace(expected.find(c.cell), c.cell.size(), c.reads_as);
    EXPECT_EQ(Read(dir, CompoundFileOf({{"Workbook", stream}})), expected)
        << c.what;
  }
}

// A substream after the last sheet that no sheet refers to is saved too.
TEST(BadWorkbookTest, ASubstreamNoSheetRefersToIsKept) {
  std::string extra =
      Bof(0x0100) + Record(0x1234, "kept") + Record(rt::kEof, "");
  BookData book = ParseWorkbookStream(
      SmallStream() + std::string(3, '\0') + extra, "extra.xls");
  std::string again = WriteWorkbookStream(book);
  EXPECT_NE(again.find(extra), std::string::npos);
}

// Every cut of a workbook gives an error or the part that is whole, never a
// crash or a read past the end (the sanitizer build shows the latter).
TEST(BadWorkbookTest, EveryTruncationOfAStreamIsRefusedCleanly) {
  std::string stream = SmallStream();
  for (std::size_t cut = 0; cut < stream.size(); ++cut) {
    std::string bytes = CompoundFileOf({{"Workbook", stream.substr(0, cut)}});
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
