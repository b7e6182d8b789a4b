#include "spreadsheet/package/sheet_builder.h"

#include <algorithm>
#include <charconv>

#include "core/error.h"
#include "spreadsheet/xls/blank_workbook.h"
#include "spreadsheet/xls/record.h"

namespace tarnwick::spreadsheet::package {
namespace {

bool Digits(std::string_view text, std::size_t at, std::size_t count,
            int* value) {
  if (at + count > text.size()) return false;
  auto [end, ec] =
      std::from_chars(text.data() + at, text.data() + at + count, *value);
  return ec == std::errc() && end == text.data() + at + count;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  std::int64_t yoe = y - era * 400;
  std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

}  // namespace

SheetBuilder::SheetBuilder(std::string what, std::uint64_t* cells)
    : what_(std::move(what)),
      cells_(cells),
      cells_before_(*cells),
      sheet_(xls::MakeBlankSheet()) {}

void SheetBuilder::Restart() {
  *cells_ = cells_before_;
  sheet_ = xls::MakeBlankSheet();
  shared_slots_.clear();
}

xls::StoredCell& SheetBuilder::Place(std::uint64_t row, std::uint64_t column) {
  if (row >= kSheetRows) {
    throw Error(what_ + ": a cell lies past row 65536, the last a sheet has");
  }
  if (column >= kSheetColumns) {
    throw Error(what_ +
                ": a cell lies past column 256 (IV), the last a sheet has");
  }
  if (++*cells_ > kMaxCells) {
    throw Error(what_ + ": the workbook holds more than 16777216 cells");
  }
  auto r = static_cast<std::size_t>(row);
  auto c = static_cast<std::size_t>(column);
  if (sheet_->rows.size() <= r) sheet_->rows.resize(r + 1);
  std::vector<xls::StoredCell>& cells = sheet_->rows[r].cells;
  if (cells.size() <= c) {
    // A sheet's rows mostly share one width: room for it at once.
    if (cells.empty())
      cells.reserve(std::max<std::size_t>(sheet_->widest_row, c + 1));
    // Cells mostly come one after another: the next one is appended in
    // place, without resize's call.
    if (cells.size() == c) {
      cells.emplace_back();
    } else {
      cells.resize(c + 1);
    }
    sheet_->widest_row = std::max<std::uint16_t>(
        sheet_->widest_row, static_cast<std::uint16_t>(c + 1));
  }
  return cells[c];
}

void SheetBuilder::Put(std::uint64_t row, std::uint64_t column,
                       const CellValue& value) {
  xls::SetValue(*sheet_, Place(row, column), value);
}

void SheetBuilder::PutSharedText(std::uint64_t row, std::uint64_t column,
                                 std::uint32_t index, std::string_view text) {
  xls::StoredCell& cell = Place(row, column);
  constexpr std::uint32_t kNone = 0xFFFFFFFF;
  if (shared_slots_.size() <= index) shared_slots_.resize(index + 1, kNone);
  if (shared_slots_[index] == kNone) {
    xls::SetText(*sheet_, cell, text);
    shared_slots_[index] = cell.ref;
  } else {
    xls::SetTextSlot(cell, shared_slots_[index]);
  }
}

std::shared_ptr<const xls::SheetData> SheetBuilder::ChartSheet() {
  auto sheet = std::make_shared<xls::SheetData>();
  std::string bof(16, '\0');
  bof[0] = 0x00;
  bof[1] = 0x06;  // BIFF8
  bof[2] = static_cast<char>(xls::kBofChart & 0xFF);
  sheet->records.push_back({xls::rt::kBof, bof});
  sheet->records.push_back({xls::rt::kEof, {}});
  sheet->cell_block_at = 1;
  return sheet;
}

xls::BookData MakeBook(std::vector<xls::SheetEntry> sheets, int active_sheet) {
  xls::BookData book = xls::MakeBlankWorkbook();
  book.sheets = std::move(sheets);
  for (std::size_t i = 0; i < book.sheets.size(); ++i) {
    book.sheets[i].origin = static_cast<int>(i);
  }
  book.active_sheet =
      book.sheets.empty()
          ? 0
          : std::clamp(active_sheet, 0,
                       static_cast<int>(book.sheets.size()) - 1);
  return book;
}

std::uint8_t ErrorCodeOf(std::string_view text) {
  static constexpr std::uint8_t kCodes[] = {0x00, 0x07, 0x0F, 0x17,
                                            0x1D, 0x24, 0x2A};
  for (std::uint8_t code : kCodes) {
    if (text == ErrorCodeText(code)) return code;
  }
  return 0x2B;  // #GETTING_DATA and the like
}

bool DateSerial(std::string_view text, bool from_1904, double* serial) {
  int year = 0, month = 0, day = 0;
  if (!Digits(text, 0, 4, &year) || text.size() < 10 || text[4] != '-' ||
      !Digits(text, 5, 2, &month) || text[7] != '-' ||
      !Digits(text, 8, 2, &day) || month < 1 || month > 12 || day < 1 ||
      day > 31) {
    return false;
  }
  double seconds = 0;
  if (text.size() > 10) {
    int hour = 0, minute = 0;
    if (text[10] != 'T' || !Digits(text, 11, 2, &hour) || text.size() < 16 ||
        text[13] != ':' || !Digits(text, 14, 2, &minute)) {
      return false;
    }
    seconds = hour * 3600.0 + minute * 60.0;
    if (text.size() > 16) {
      if (text[16] != ':') return false;
      std::string_view rest = text.substr(17);
      while (!rest.empty() && (rest.back() == 'Z')) rest.remove_suffix(1);
      double s = 0;
      auto [end, ec] =
          std::from_chars(rest.data(), rest.data() + rest.size(), s);
      if (ec != std::errc() || end != rest.data() + rest.size()) return false;
      seconds += s;
    }
  }
  std::int64_t epoch =
      from_1904 ? DaysFromCivil(1904, 1, 1) : DaysFromCivil(1899, 12, 30);
  std::int64_t days = DaysFromCivil(year, month, day) - epoch;
  // Serial 60 is the 29 February 1900 that Lotus counted and Excel keeps:
  // dates before March 1900 are one less than the calendar says.
  if (!from_1904 && days >= 1 && days < 61) --days;
  *serial = static_cast<double>(days) + seconds / 86400.0;
  return true;
}

}  // namespace tarnwick::spreadsheet::package
