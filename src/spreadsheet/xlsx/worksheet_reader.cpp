#include "spreadsheet/xlsx/worksheet_reader.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "core/error.h"
#include "core/number_rules.h"
#include "spreadsheet/package/sax_part.h"
#include "spreadsheet/package/whole_part.h"
#include "spreadsheet/xlsx/worksheet_scanner.h"

namespace tarnwick::spreadsheet::xlsx {
namespace {

// Past the sheet, yet small enough to add to without overflow.
constexpr std::uint64_t kFarAway = std::uint64_t{1} << 40;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' ||
                           text.front() == '\n' || text.front() == '\r')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' ||
                           text.back() == '\n' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  return text;
}

bool ParseNumber(std::string_view text, double* number) {
  text = Trimmed(text);
  if (ParseShortDecimal(text, number)) return true;
  auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), *number);
  return ec == std::errc() && end == text.data() + text.size() &&
         std::isfinite(*number);
}

bool ParseIndex(std::string_view text, std::uint64_t* index) {
  text = Trimmed(text);
  auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), *index);
  return ec == std::errc() && end == text.data() + text.size();
}

// "B12" as 0-based row 11, column 1. Rows or columns too big to hold are
// far away, where the sheet refuses them.
bool ParseReference(std::string_view ref, std::uint64_t* row,
                    std::uint64_t* column) {
  std::size_t i = 0;
  std::uint64_t c = 0;
  while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z') {
    c = std::min(c * 26 + static_cast<std::uint64_t>(ref[i] - 'A' + 1),
                 kFarAway);
    ++i;
  }
  std::uint64_t r = 0;
  if (i == 0 || i == ref.size()) return false;
  for (; i < ref.size(); ++i) {
    if (ref[i] < '0' || ref[i] > '9') return false;
    r = std::min(r * 10 + static_cast<std::uint64_t>(ref[i] - '0'), kFarAway);
  }
  if (r == 0) return false;
  *row = r - 1;
  *column = c - 1;
  return true;
}

// The cell types (t="...") there are; any other is read as a number.
enum class CellType {
  kNumber,
  kShared,
  kInline,
  kFormulaText,
  kBoolean,
  kError,
  kDate
};

CellType TypeOf(std::string_view type) {
  if (type == "s") return CellType::kShared;
  if (type == "inlineStr") return CellType::kInline;
  if (type == "str") return CellType::kFormulaText;
  if (type == "b") return CellType::kBoolean;
  if (type == "e") return CellType::kError;
  if (type == "d") return CellType::kDate;
  return CellType::kNumber;
}

// Finds the cells among the nodes of the part. What is not read (columns,
// views, formats before <sheetData>, a cell's formula) is passed over with
// whatever it holds: a name inside it means nothing.
class CellParser final : public package::SaxPart::Handler {
 public:
  // `where` is "<file>: <part>", for errors.
  // `part` is the whole part when it is read in memory: a value that lies
  // in it in one piece is read there, not copied.
  CellParser(std::string where, const WorksheetContext& context,
             package::SheetBuilder& sheet, std::string_view part = {})
      : where_(std::move(where)),
        context_(context),
        sheet_(sheet),
        part_(part) {}

  void StartElement(std::string_view local, std::string_view,
                    const package::SaxPart::Attributes& attributes,
                    int depth) override {
    if (skip_depth_ >= 0) return;
    if (cell_depth_ < 0) {
      if (local == "sheetData") {
        in_data_ = true;
      } else if (in_data_ && local == "row") {
        Row(attributes);
      } else if (in_data_ && local == "c") {
        Cell(attributes);
        cell_depth_ = depth;
      } else if (!in_data_ && depth == 1) {
        skip_depth_ = depth;
      }
    } else if (field_ == Field::kValue) {
      // All the text inside a <v> is its value.
    } else if (field_ == Field::kInline) {
      if (local == "rPh") {
        skip_depth_ = depth;  // phonetic hints are not part of the text
      } else if (local == "t") {
        ++in_text_;
      }
    } else if (local == "v") {
      field_ = Field::kValue;
      field_depth_ = depth;
      value_ = {};
      has_value_ = true;
    } else if (local == "is") {
      field_ = Field::kInline;
      field_depth_ = depth;
      inline_text_.clear();
      in_text_ = 0;
      has_inline_ = true;
    } else {
      skip_depth_ = depth;  // the formula and whatever else
    }
  }

  void EndElement(std::string_view local, std::string_view,
                  int depth) override {
    if (skip_depth_ >= 0) {
      if (depth == skip_depth_) skip_depth_ = -1;
    } else if (cell_depth_ < 0) {
      if (local == "sheetData") in_data_ = false;
    } else if (depth == cell_depth_) {
      Put();
      ++column_;
      cell_depth_ = -1;
    } else if (field_ != Field::kNone && depth == field_depth_) {
      field_ = Field::kNone;
    } else if (field_ == Field::kInline && local == "t" && in_text_ > 0) {
      --in_text_;
    }
  }

  void Text(std::string_view text, int) override {
    if (skip_depth_ >= 0) return;
    if (field_ == Field::kValue) {
      AddValue(text);
    } else if (field_ == Field::kInline && in_text_ > 0) {
      inline_text_ += text;
    }
  }

 private:
  enum class Field { kNone, kValue, kInline };

  [[noreturn]] void Damaged(const std::string& reason) {
    throw Error(where_ + " is damaged (" + reason + ")");
  }

  // Not a reference's character, which the scanner hands over from a
  // buffer of its own.
  bool InPart(std::string_view text) const {
    auto at = reinterpret_cast<std::uintptr_t>(text.data());
    auto begin = reinterpret_cast<std::uintptr_t>(part_.data());
    return at >= begin && at - begin + text.size() <= part_.size();
  }

  void AddValue(std::string_view text) {
    if (value_.empty() && InPart(text)) {
      value_ = text;
      return;
    }
    if (value_.data() != pieces_.data()) pieces_.assign(value_);
    pieces_ += text;
    value_ = pieces_;
  }

  void Row(const package::SaxPart::Attributes& attributes) {
    std::string_view number;
    if (attributes.Find("r", &number)) {
      std::uint64_t r = 0;
      if (!ParseIndex(number, &r) || r == 0) {
        Damaged("a row number \"" + std::string(number) + "\" is none");
      }
      row_ = std::min(r - 1, kFarAway);
    } else {
      row_ = next_row_;
    }
    next_row_ = row_ + 1;
    column_ = 0;
  }

  // Every cell passes here: its attributes are looked at once, the first
  // "r" and the first "t" of whatever namespace taken.
  void Cell(const package::SaxPart::Attributes& attributes) {
    std::optional<std::string_view> reference;
    std::optional<std::string_view> type;
    for (int i = 0; i < attributes.size(); ++i) {
      std::string_view local = attributes.LocalName(i);
      if (local.size() != 1) continue;
      if (local[0] == 'r' && !reference) {
        reference = attributes.Value(i);
      } else if (local[0] == 't' && !type) {
        type = attributes.Value(i);
      }
    }
    if (reference) {
      std::uint64_t row = 0;
      if (!ParseReference(*reference, &row, &column_)) {
        Damaged("a cell reference \"" + std::string(*reference) + "\" is none");
      }
      if (row != row_) Damaged("a cell lies outside its row");
    }
    type_ = type ? TypeOf(*type) : CellType::kNumber;
    has_value_ = false;
    has_inline_ = false;
    field_ = Field::kNone;
  }

  void Put() {
    if (type_ == CellType::kInline) {
      if (has_inline_) sheet_.PutText(row_, column_, inline_text_);
      return;
    }
    // A cell with a format and no value, or a formula never worked out.
    if (!has_value_) return;
    switch (type_) {
      case CellType::kShared: {
        std::uint64_t index = 0;
        if (!ParseIndex(value_, &index) ||
            index >= context_.shared_strings->size()) {
          Damaged("a cell names shared string \"" + std::string(value_) +
                  "\", which the workbook lacks");
        }
        sheet_.PutSharedText(row_, column_, static_cast<std::uint32_t>(index),
                             (*context_.shared_strings)[index]);
        break;
      }
      case CellType::kFormulaText:
        sheet_.PutText(row_, column_, value_);
        break;
      case CellType::kBoolean: {
        std::string_view v = Trimmed(value_);
        sheet_.Put(row_, column_,
                   CellValue::Boolean(v == "1" || v == "true" || v == "TRUE"));
        break;
      }
      case CellType::kError:
        sheet_.Put(row_, column_,
                   CellValue::Error(package::ErrorCodeOf(Trimmed(value_))));
        break;
      case CellType::kDate: {
        double serial = 0;
        if (!package::DateSerial(Trimmed(value_), context_.date_1904,
                                 &serial)) {
          Damaged("a cell holds no date \"" + std::string(value_) + "\"");
        }
        sheet_.PutNumber(row_, column_, serial);
        break;
      }
      case CellType::kNumber:
      case CellType::kInline: {
        double number = 0;
        if (!ParseNumber(value_, &number)) {
          Damaged("a cell holds no number \"" + std::string(value_) + "\"");
        }
        sheet_.PutNumber(row_, column_, number);
        break;
      }
    }
  }

  std::string where_;
  const WorksheetContext& context_;
  package::SheetBuilder& sheet_;
  const std::string_view part_;
  bool in_data_ = false;
  int skip_depth_ = -1;  // inside an element passed over, at this depth
  int cell_depth_ = -1;  // inside a cell, at this depth
  Field field_ = Field::kNone;
  int field_depth_ = -1;
  int in_text_ = 0;  // inside a <t> of an inline text
  CellType type_ = CellType::kNumber;
  bool has_value_ = false;
  bool has_inline_ = false;
  // Reused from cell to cell.
  std::string_view value_;  // in the part, or in pieces_
  std::string pieces_;      // a value given in more than one piece
  std::string inline_text_;
  std::uint64_t row_ = 0;
  std::uint64_t next_row_ = 0;
  std::uint64_t column_ = 0;
};

}  // namespace

bool ScanWorksheet(std::string_view xml, const std::string& where,
                   const WorksheetContext& context,
                   package::SheetBuilder& sheet) {
  CellParser parser(where, context, sheet, xml);
  try {
    return ScanWorksheetXml(xml, parser);
  } catch (const Error&) {
    return false;  // libxml2 will tell it, and whatever comes before it
  }
}

void ParseWorksheet(std::unique_ptr<package::ZipPart> part,
                    const std::string& what, const WorksheetContext& context,
                    package::SheetBuilder& sheet) {
  CellParser parser(what + ": " + part->name(), context, sheet);
  package::SaxPart xml(std::move(part), what, &parser);
  xml.ParseAll();
}

void ReadWorksheet(package::ZipPackage& zip, const std::string& part,
                   const WorksheetContext& context,
                   package::SheetBuilder& sheet) {
  try {
    package::WholePart whole(*zip.Open(part));
    if (ScanWorksheet(whole.bytes(), zip.what() + ": " + part, context,
                      sheet)) {
      return;
    }
  } catch (const Error&) {
    // Unpacking failed: libxml2 meets it where it lies, after what precedes.
  }
  sheet.Restart();
  ParseWorksheet(zip.Open(part), zip.what(), context, sheet);
}

}  // namespace tarnwick::spreadsheet::xlsx
