#include "octonus/table_writer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/error.h"
#include "core/letter_case.h"
#include "core/number_rules.h"
#include "octonus/table_lines.h"
#include "spreadsheet/cell_text.h"

namespace tarnwick::octonus {
namespace {

using spreadsheet::CellKind;
using spreadsheet::CellValue;

constexpr int kLastRow = 32767;      // the row counter is 16 bits wide
constexpr int kSeparatorLimit = 25;  // rows without a keyword before giving up
constexpr int kLastColumn = 256;     // cells past it are off the sheet

bool IsEndMarker(const CellValue& v) {
  return v.kind() == CellKind::kText && v.text() == "End Price";
}

double NumberOf(const CellValue& v, std::string_view what) {
  if (!IsNumericValue(v)) {
    throw Error(std::string(what) + " \"" + CellText(v) + "\" is no number");
  }
  return NumericValue(v);
}

// True when x rounded to `digits` places surely shows in `width` characters,
// so that its trim count, needed only in the last column, cannot be
// negative. With at most 3 digits and |x| < 10^m, m = width - digits - 3,
// the rounded text has a sign, at most m + 1 whole digits, a point and the
// digits, and never takes the scientific form.
bool RoundedTextSurelyFits(double x, int digits, int width) {
  static constexpr double kPowers[] = {1,    1e1,  1e2,  1e3, 1e4,  1e5,
                                       1e6,  1e7,  1e8,  1e9, 1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15};
  if (digits < 0 || digits > 3) return false;
  int m = std::min(width - digits - 3, 15);
  return m >= 1 && std::fabs(x) < kPowers[m];
}

// One call of the writer over one open price sheet.
class TableWriter {
 public:
  TableWriter(const spreadsheet::CellReader& sheet,
              const DiscountSheets* discounts, const WriterSettings& settings,
              DiscountFormat format, TableOutput& out)
      : sheet_(sheet),
        discounts_(discounts),
        width_(settings.space),
        round_flag_(settings.round),
        rules_{format, settings.round == 1, settings.digits},
        unrounded_{format, false, settings.digits},
        out_(out) {}

  // Walks column A to the end marker, Escape or a condition that ends the
  // sheet early.
  SheetEnd Run();

 private:
  void AdvanceRow();
  void StartTables(const CellValue& a);
  void StartFormat();
  // Returns false when a cell was too large for its field.
  bool WriteGrid();
  // Appends the field of one grid cell to `line`; false when the cell's own
  // text is too large for it. At the last column it sets the trim count.
  bool AppendGridField(std::string& line, int r, int c, int last_column);

  const spreadsheet::CellReader& sheet_;
  const DiscountSheets* discounts_;
  int width_;
  int round_flag_;
  PriceRules rules_;
  PriceRules unrounded_;  // for the prices rounded as they are written
  TableOutput& out_;

  int row_ = 1;
  int clarities_ = 0;   // K
  CellValue colours_;   // C, as found in the cell
  int separators_ = 0;  // the unrecognised-row run
  int trim_ = 0;        // T
};

void TableWriter::AdvanceRow() {
  if (row_ >= kLastRow) {
    throw Error("the sheet goes on past row " + std::to_string(kLastRow));
  }
  ++row_;
}

void TableWriter::StartTables(const CellValue& a) {
  CellValue b = sheet_.Cells(row_, 2);
  out_.Line(TableCountLine(CellText(a), CellText(b)));
  out_.TableCount(static_cast<float>(NumberOf(b, "the table count")));
}

void TableWriter::StartFormat() {
  CellValue b = sheet_.Cells(row_, 2);
  colours_ = sheet_.Cells(row_, 3);
  clarities_ = ToInt16(b, "the clarity count");
  out_.Line(FormatLine(CellText(b), CellText(colours_)));
}

SheetEnd TableWriter::Run() {
  while (true) {
    CellValue a = sheet_.Cells(row_, 1);
    if (IsEndMarker(a)) return SheetEnd::kEndMarker;
    if (out_.RowBegins()) return SheetEnd::kCancelled;
    std::string key = UpperCase(CellText(a));
    if (key == "TABLES:") {
      separators_ = 0;
      StartTables(a);
      AdvanceRow();
    } else if (key == "FORMAT:") {
      separators_ = 0;
      StartFormat();
      AdvanceRow();
      out_.FormatPassed();
    } else if (key == "MASS:") {
      separators_ = 0;
      out_.Line(MassLine(CellText(sheet_.Cells(row_, 2)),
                         CellText(sheet_.Cells(row_, 3))));
      AdvanceRow();
    } else if (key == "MAGNIFY:") {
      separators_ = 0;
      out_.Line(MagnifyLine(CellText(sheet_.Cells(row_, 2))));
      AdvanceRow();
      if (!WriteGrid()) return SheetEnd::kTooLarge;
    } else {
      out_.Line("");
      if (++separators_ == kSeparatorLimit) return SheetEnd::kNoEndMarker;
      AdvanceRow();
    }
  }
}

bool TableWriter::WriteGrid() {
  // C + 1 rows, counted as a loop over a possibly fractional bound runs.
  // The colour count is taken as found and only counted here, so a count
  // that is no number fails the sheet once its format, mass and
  // magnification lines are written.
  double row_bound = NumberOf(colours_, "the colour count") + 1;
  int last_column = clarities_ + 2;
  std::string line;  // the line buffer, its room kept from row to row
  for (int r = 1; r <= row_bound; ++r) {
    line.clear();
    for (int c = 1; c <= last_column; ++c) {
      if (!AppendGridField(line, r, c, last_column)) return false;
    }
    out_.Line(DropLast(line, trim_));
    AdvanceRow();
  }
  return true;
}

bool TableWriter::AppendGridField(std::string& line, int r, int c,
                                  int last_column) {
  // Most cells are rounded prices inside the row: their own text is never
  // looked at, and their field is written straight into the line.
  double number = 0;
  if (r > 1 && c > 1 && c < last_column && round_flag_ == 1 &&
      c <= kLastColumn && sheet_.NumberAt(row_, c, &number) &&
      RoundedTextSurelyFits(number, rules_.digits, width_)) {
    // Rounded and written in one step.
    double price = DiscountedPrice(CellValue::Number(number), row_, c,
                                   discounts_, unrounded_);
    char text[32];
    std::size_t length = RoundedNumberText(price, rules_.digits, text);
    if (length == 0 || length > static_cast<std::size_t>(width_)) {
      AppendField(line, NumberText(RoundHalfEven(price, rules_.digits)),
                  width_);
    } else {
      line.append(text, length);
      line.append(static_cast<std::size_t>(width_) - length, ' ');
    }
    return true;
  }
  CellValue v = sheet_.Cells(row_, c);
  bool label = r == 1 || c == 1;
  bool rounded = round_flag_ == 1 && IsNumericValue(v);
  // A rounded price's own text is never looked at; spare making it.
  std::string own_text;
  if (label || !rounded || round_flag_ <= 0) own_text = CellText(v);
  int own_length = TextLength(own_text);
  if (round_flag_ <= 0 && own_length > width_) return false;
  int trim = width_ - own_length;
  if (rounded &&
      (c == last_column ||
       !RoundedTextSurelyFits(NumericValue(v), rules_.digits, width_))) {
    trim =
        width_ -
        TextLength(NumberText(RoundHalfEven(NumericValue(v), rules_.digits)));
  }
  if (trim < 0) {
    throw Error("the cell at row " + std::to_string(row_) + ", column " +
                std::to_string(c) + " is wider than the field width " +
                std::to_string(width_));
  }
  std::string text =
      label ? std::move(own_text)
            : NumberText(DiscountedPrice(v, row_, c, discounts_, rules_));
  if (c == last_column) {
    // The trim count comes from the cell's own text; a discounted or rounded
    // price may be longer, and its digits must survive the trim.
    if (!v.IsEmpty()) trim = std::min(trim, width_ - TextLength(text));
    trim_ = trim;
  }
  AppendField(line, text, width_);
  return true;
}

}  // namespace

SheetEnd WriteTable(const spreadsheet::CellReader& sheet,
                    const DiscountSheets* discounts,
                    const WriterSettings& settings, DiscountFormat format,
                    TableOutput& out) {
  return TableWriter(sheet, discounts, settings, format, out).Run();
}

}  // namespace tarnwick::octonus
