#include "octonus/write_oct_format.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "core/error.h"
#include "core/text_file.h"
#include "octonus/discount_sheets.h"
#include "octonus/number_rules.h"
#include "octonus/table_lines.h"
#include "octonus/writer_settings.h"

namespace tarnwick {
namespace {

using spreadsheet::CellKind;
using spreadsheet::CellValue;
using spreadsheet::Sheet;

constexpr int kLastRow = 32767;      // the row counter is 16 bits wide
constexpr int kSeparatorLimit = 25;  // rows without a keyword before giving up

constexpr char kTooLargeMessage[] =
    "Too large cell value\r\n"
    "Do the following...\r\n"
    "1) Increase the space value in Registry\r\n"
    "2) Use the round option in registry";

std::string DiscountFileName(int level) {
  return "Discount" + std::to_string(level) + ".xls";
}

bool IsEndMarker(const CellValue& v) {
  return v.kind() == CellKind::kText && v.text() == "End Price";
}

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

double NumberOf(const CellValue& v, std::string_view what) {
  if (!IsNumericValue(v)) {
    throw Error(std::string(what) + " \"" + CellText(v) + "\" is no number");
  }
  return NumericValue(v);
}

// The percentage pVal shows, worked in single precision. A maximum of 0 or
// a position past it shows as full.
std::string PercentText(float position, float maximum) {
  if (maximum <= 0 || position >= maximum) return "100%";
  float percent = position * 100.0f / maximum;
  return NumberText(RoundHalfEven(percent, 0)) + "%";
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

// How the walk down column A ended.
enum class SheetEnd { kEndMarker, kCancelled, kTooLarge, kNoEndMarker };

// One call of the writer over one open price sheet.
class TableWriter {
 public:
  TableWriter(const Sheet& sheet, const DiscountCells* discounts,
              const WriterSettings& settings, DiscountFormat format,
              TextFileWriter& out, Host& host)
      : sheet_(sheet),
        discounts_(discounts),
        width_(settings.space),
        round_flag_(settings.round),
        rules_{format, settings.round == 1, settings.digits},
        out_(out),
        host_(host) {}

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

  const Sheet& sheet_;
  const DiscountCells* discounts_;
  int width_;
  int round_flag_;
  PriceRules rules_;
  TextFileWriter& out_;
  Host& host_;

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
  out_.WriteLine(TableCountLine(CellText(a), CellText(b)));
  host_.SetProgressMax(static_cast<float>(NumberOf(b, "the table count")));
}

void TableWriter::StartFormat() {
  CellValue b = sheet_.Cells(row_, 2);
  colours_ = sheet_.Cells(row_, 3);
  clarities_ = ToInt16(b, "the clarity count");
  out_.WriteLine(FormatLine(CellText(b), CellText(colours_)));
}

SheetEnd TableWriter::Run() {
  float position = static_cast<float>(host_.ProgressValue());
  while (true) {
    CellValue a = sheet_.Cells(row_, 1);
    if (IsEndMarker(a)) return SheetEnd::kEndMarker;
    host_.ProcessPendingEvents();
    if (host_.CancelFlag()) return SheetEnd::kCancelled;
    host_.Repaint();
    std::string key = UpperAscii(CellText(a));
    if (key == "TABLES:") {
      separators_ = 0;
      StartTables(a);
      AdvanceRow();
    } else if (key == "FORMAT:") {
      separators_ = 0;
      StartFormat();
      AdvanceRow();
      position += 1;
      float maximum = static_cast<float>(host_.ProgressMax());
      host_.SetProgressValue(maximum > 0 ? std::min(position, maximum)
                                         : maximum);
      host_.SetProgressPercent(PercentText(position, maximum));
      host_.Repaint();
    } else if (key == "MASS:") {
      separators_ = 0;
      out_.WriteLine(MassLine(CellText(sheet_.Cells(row_, 2)),
                              CellText(sheet_.Cells(row_, 3))));
      AdvanceRow();
    } else if (key == "MAGNIFY:") {
      separators_ = 0;
      out_.WriteLine(MagnifyLine(CellText(sheet_.Cells(row_, 2))));
      AdvanceRow();
      if (!WriteGrid()) return SheetEnd::kTooLarge;
    } else {
      out_.WriteLine("");
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
    out_.WriteLine(DropLast(line, trim_));
    AdvanceRow();
  }
  return true;
}

bool TableWriter::AppendGridField(std::string& line, int r, int c,
                                  int last_column) {
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

bool PriceWorkbookMissing(const std::filesystem::path& price_file, Host& host) {
  if (std::filesystem::exists(price_file)) return false;
  host.ShowMessage("Price file not exist!!!", MessageIcon::kInformation);
  return true;
}

// Opens the discount sheets of levels 1..n; asks about every missing
// workbook. Returns false when the user answered No.
bool OpenDiscountSheets(spreadsheet::Application& app, int sheet_index,
                        const ConversionOptions& options, Host& host,
                        RunCopies& copies, DiscountSheets& sheets) {
  for (int k = 1; k <= options.disc_level; ++k) {
    std::filesystem::path file = options.app_folder / DiscountFileName(k);
    if (!std::filesystem::exists(file)) {
      if (!host.AskYesNo("Discount-" + std::to_string(k) +
                         "file not exist!!!\r\nDo you want to continue?")) {
        return false;
      }
      continue;
    }
    spreadsheet::Workbook& copy = copies.Open(app, file);
    sheets.SetSheet(k, copy.Sheets().Item(sheet_index));
  }
  return true;
}

}  // namespace

void WriteOCTFormat(ConversionSession& session, int sheet_index,
                    const ConversionOptions& options, SettingsStore& settings,
                    Host& host, RunCopies& copies) {
  std::filesystem::path price_file = options.app_folder / "Price.xls";
  if (PriceWorkbookMissing(price_file, host)) return;
  if (session.application == nullptr) {
    throw Error("the price workbook has not been read");
  }
  spreadsheet::Application& app = *session.application;
  spreadsheet::Workbook& price = copies.Open(app, price_file);
  const Sheet& sheet = price.Sheets().Item(sheet_index);

  DiscountSheets discounts(options.disc_level);
  if (!OpenDiscountSheets(app, sheet_index, options, host, copies, discounts)) {
    return;
  }

  TextFileWriter out(options.app_folder / (sheet.Name() + ".txt"));
  WriterSettings writer_settings = ReadWriterSettings(settings);
  host.SetProgressCaption("Writing(" + sheet.Name() + ")");

  TableWriter writer(sheet, options.disc_level > 0 ? &discounts : nullptr,
                     writer_settings, options.disc_format, out, host);
  SheetEnd end = writer.Run();
  out.Close();
  switch (end) {
    case SheetEnd::kEndMarker:
    case SheetEnd::kCancelled:
      host.SetBusyPointer(false);
      return;
    case SheetEnd::kTooLarge:
      price.Close();
      host.ShowMessage(kTooLargeMessage, MessageIcon::kInformation);
      return;
    case SheetEnd::kNoEndMarker:
      host.ShowMessage("End File Pointer not present",
                       MessageIcon::kInformation);
      return;
  }
}

}  // namespace tarnwick
