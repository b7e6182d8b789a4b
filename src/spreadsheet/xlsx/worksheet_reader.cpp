#include "spreadsheet/xlsx/worksheet_reader.h"

#include <charconv>
#include <cmath>

#include "spreadsheet/xlsx/shared_strings.h"

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

class CellParser {
 public:
  CellParser(package::XmlPart& xml, const WorksheetContext& context,
             package::SheetBuilder& sheet)
      : xml_(xml), context_(context), sheet_(sheet) {}

  void Row() {
    if (xml_.Attribute("r", &attribute_)) {
      std::uint64_t r = 0;
      if (!ParseIndex(attribute_, &r) || r == 0) {
        Damaged("a row number \"" + attribute_ + "\" is none");
      }
      row_ = std::min(r - 1, kFarAway);
    } else {
      row_ = next_row_;
    }
    next_row_ = row_ + 1;
    column_ = 0;
  }

  void Cell() {
    if (xml_.Attribute("r", &attribute_)) {
      std::uint64_t row = 0;
      if (!ParseReference(attribute_, &row, &column_)) {
        Damaged("a cell reference \"" + attribute_ + "\" is none");
      }
      if (row != row_) Damaged("a cell lies outside its row");
    }
    std::string type = "n";
    xml_.Attribute("t", &type);
    std::string value;
    bool has_value = false;
    std::string inline_text;
    bool has_inline = false;
    int depth = xml_.Depth();
    while (xml_.Next()) {
      if (xml_.node() == package::XmlPart::Node::kEnd &&
          xml_.Depth() == depth) {
        break;
      }
      if (xml_.IsStart("v")) {
        value = Content();
        has_value = true;
      } else if (xml_.IsStart("is")) {
        inline_text = ReadStringItem(xml_);
        has_inline = true;
      } else if (xml_.node() == package::XmlPart::Node::kStart) {
        xml_.SkipContent();  // the formula and whatever else
      }
    }
    Put(type, value, has_value, inline_text, has_inline);
    ++column_;
  }

 private:
  [[noreturn]] void Damaged(const std::string& reason) {
    xml_.Fail("is damaged (" + reason + ")");
  }

  // The text of the current element, which holds nothing else.
  std::string Content() {
    std::string text;
    int depth = xml_.Depth();
    while (xml_.Next()) {
      if (xml_.node() == package::XmlPart::Node::kText) {
        text += xml_.Text();
      } else if (xml_.node() == package::XmlPart::Node::kEnd &&
                 xml_.Depth() == depth) {
        break;
      }
    }
    return text;
  }

  void Put(const std::string& type, const std::string& value, bool has_value,
           const std::string& inline_text, bool has_inline) {
    if (type == "inlineStr") {
      if (has_inline) sheet_.Put(row_, column_, CellValue::Text(inline_text));
      return;
    }
    // A cell with a format and no value, or a formula never worked out.
    if (!has_value) return;
    if (type == "s") {
      std::uint64_t index = 0;
      if (!ParseIndex(value, &index) ||
          index >= context_.shared_strings->size()) {
        Damaged("a cell names shared string \"" + value +
                "\", which the workbook lacks");
      }
      sheet_.Put(row_, column_,
                 CellValue::Text((*context_.shared_strings)[index]));
    } else if (type == "str") {
      sheet_.Put(row_, column_, CellValue::Text(value));
    } else if (type == "b") {
      std::string_view v = Trimmed(value);
      sheet_.Put(row_, column_,
                 CellValue::Boolean(v == "1" || v == "true" || v == "TRUE"));
    } else if (type == "e") {
      sheet_.Put(row_, column_,
                 CellValue::Error(package::ErrorCodeOf(Trimmed(value))));
    } else if (type == "d") {
      double serial = 0;
      if (!package::DateSerial(Trimmed(value), context_.date_1904, &serial)) {
        Damaged("a cell holds no date \"" + value + "\"");
      }
      sheet_.Put(row_, column_, CellValue::Number(serial));
    } else {
      double number = 0;
      if (!ParseNumber(value, &number)) {
        Damaged("a cell holds no number \"" + value + "\"");
      }
      sheet_.Put(row_, column_, CellValue::Number(number));
    }
  }

  package::XmlPart& xml_;
  const WorksheetContext& context_;
  package::SheetBuilder& sheet_;
  std::string attribute_;
  std::uint64_t row_ = 0;
  std::uint64_t next_row_ = 0;
  std::uint64_t column_ = 0;
};

}  // namespace

void ReadWorksheet(package::XmlPart& xml, const WorksheetContext& context,
                   package::SheetBuilder& sheet) {
  CellParser parser(xml, context, sheet);
  bool in_data = false;
  while (xml.Next()) {
    if (xml.node() == package::XmlPart::Node::kStart) {
      std::string_view name = xml.LocalName();
      if (name == "sheetData") {
        in_data = true;
      } else if (in_data && name == "row") {
        parser.Row();
      } else if (in_data && name == "c") {
        parser.Cell();
      } else if (!in_data && xml.Depth() == 1) {
        xml.SkipContent();  // columns, views, formats: not read
      }
    } else if (xml.IsEnd("sheetData")) {
      in_data = false;
    }
  }
}

}  // namespace tarnwick::spreadsheet::xlsx
