// libFuzzer target for the value grid: a sheet's plain values laid out in
// one block must read exactly as the same sheet decoded cell by cell, since
// price and discount sheets are read through the grid whenever it can be
// made. The input is a sheet substream (BOF to EOF) placed after fixed
// workbook globals whose shared string table holds a few texts; any
// difference stops the run.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/error.h"
#include "spreadsheet/xls/blank_workbook.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/workbook_reader.h"
#include "spreadsheet/xls/workbook_writer.h"

namespace {

using namespace tarnwick::spreadsheet;
using namespace tarnwick::spreadsheet::xls;

// The globals of a one-sheet workbook whose shared string table holds a few
// texts, up to where its sheet begins.
std::string MakeGlobals() {
  BookData book = MakeBlankWorkbook();
  auto sheet = std::make_shared<SheetData>(*book.sheets[0].Data());
  const char* texts[] = {"Round", "Émeraude", "1.5", " ", "Pear 0.30-0.39"};
  sheet->rows.resize(1);
  sheet->rows[0].cells.resize(std::size(texts));
  for (std::size_t k = 0; k < std::size(texts); ++k) {
    SetValue(*sheet, sheet->rows[0].cells[k], CellValue::Text(texts[k]));
  }
  book.sheets[0].data = sheet;
  std::string stream = WriteWorkbookStream(book);
  for (std::size_t at = 0; at + 4 <= stream.size();) {
    std::uint16_t type = GetU16(stream.data() + at);
    std::uint16_t size = GetU16(stream.data() + at + 2);
    if (type == rt::kBoundSheet) {
      return stream.substr(0, GetU32(stream.data() + at + 4));
    }
    at += 4 + size;
  }
  std::abort();
}

[[noreturn]] void Differ(const char* what, std::uint32_t row,
                         std::uint32_t column) {
  std::fprintf(stderr, "value grid and decoded sheet differ at R%uC%u: %s\n",
               row + 1, column + 1, what);
  std::abort();
}

bool SameNumber(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void Compare(const ValueGrid& grid, const SheetData& data) {
  for (std::uint32_t r = 0; r < grid.rows; ++r) {
    for (std::uint32_t c = 0; c < grid.columns; ++c) {
      CellValue value;
      if (r < data.rows.size() && c < data.rows[r].cells.size()) {
        value = ValueOf(data, data.rows[r].cells[c]);
      }
      switch (grid.KindAt(r, c)) {
        case ValueGrid::kEmpty:
          if (!value.IsEmpty()) Differ("empty in the grid", r, c);
          break;
        case ValueGrid::kNumber:
          if (value.kind() != CellKind::kNumber ||
              !SameNumber(value.number(), grid.NumberAt(r, c))) {
            Differ("a number in the grid", r, c);
          }
          break;
        case ValueGrid::kText:
          if (value.kind() != CellKind::kText ||
              value.text() != grid.TextAt(r, c)) {
            Differ("a text in the grid", r, c);
          }
          break;
        case ValueGrid::kOther:
          break;  // read from the decoded sheet
      }
    }
  }
  // The grid tells every cell outside it empty.
  for (std::uint32_t r = 0; r < data.rows.size(); ++r) {
    for (std::uint32_t c = 0; c < data.rows[r].cells.size(); ++c) {
      if ((r >= grid.rows || c >= grid.columns) &&
          !ValueOf(data, data.rows[r].cells[c]).IsEmpty()) {
        Differ("outside the grid", r, c);
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  static const std::string globals = MakeGlobals();
  std::string stream = globals;
  stream.append(reinterpret_cast<const char*>(data), size);
  BookData book;
  try {
    book = ParseWorkbookStream(stream, "fuzz.xls");
  } catch (const tarnwick::Error&) {
    return 0;
  }
  for (const SheetEntry& sheet : book.sheets) {
    std::shared_ptr<const ValueGrid> grid = sheet.source->DecodeValues();
    if (grid == nullptr) continue;
    std::shared_ptr<const SheetData> decoded;
    try {
      decoded = sheet.source->Load();
    } catch (const tarnwick::Error& e) {
      std::fprintf(stderr, "the grid read a sheet the decoder refuses: %s\n",
                   e.what());
      std::abort();
    }
    Compare(*grid, *decoded);
  }
  return 0;
}
