#include "spreadsheet/ods/content_reader.h"

#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

#include "core/error.h"
#include "spreadsheet/package/sheet_builder.h"
#include "spreadsheet/package/xml_part.h"

namespace tarnwick::spreadsheet::ods {
namespace {

using package::XmlPart;

constexpr std::string_view kTableNs =
    "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view kOfficeNs =
    "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view kTextNs =
    "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view kCalcExtNs =
    "urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0";

// A cell's text is at most 32767 characters, as in .xls; four bytes each.
constexpr std::size_t kMaxTextBytes = 4 * 32767;
constexpr std::uint64_t kFarAway = std::uint64_t{1} << 40;

bool Is(const XmlPart& xml, std::string_view ns, std::string_view local) {
  return xml.node() == XmlPart::Node::kStart && xml.LocalName() == local &&
         xml.NamespaceUri() == ns;
}

std::uint64_t RepeatCount(const XmlPart& xml, std::string_view attribute) {
  std::string value;
  if (!xml.Attribute(attribute, &value, kTableNs)) return 1;
  std::uint64_t count = 0;
  auto [end, ec] =
      std::from_chars(value.data(), value.data() + value.size(), count);
  if (ec == std::errc::result_out_of_range) return kFarAway;
  if (ec != std::errc() || end != value.data() + value.size() || count == 0) {
    xml.Fail("is damaged (a repeat count \"" + value + "\" is none)");
  }
  return std::min(count, kFarAway);
}

bool ParseNumber(std::string_view text, double* number) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), *number);
  return ec == std::errc() && end == text.data() + text.size() &&
         std::isfinite(*number);
}

// An ISO 8601 duration "PT12H30M00S" (days allowed) as a fraction of days.
bool DurationDays(std::string_view text, double* days) {
  bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.front() != 'P') return false;
  text.remove_prefix(1);
  double seconds = 0;
  bool in_time = false;
  while (!text.empty()) {
    if (text.front() == 'T') {
      in_time = true;
      text.remove_prefix(1);
      continue;
    }
    double n = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end == text.data() + text.size()) return false;
    char unit = *end;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()) + 1);
    if (unit == 'D' && !in_time) {
      seconds += n * 86400;
    } else if (unit == 'H' && in_time) {
      seconds += n * 3600;
    } else if (unit == 'M' && in_time) {
      seconds += n * 60;
    } else if (unit == 'S' && in_time) {
      seconds += n;
    } else {
      return false;
    }
  }
  *days = (negative ? -seconds : seconds) / 86400;
  return true;
}

class SheetReader {
 public:
  SheetReader(XmlPart& xml, package::SheetBuilder& sheet)
      : xml_(xml), sheet_(sheet) {}

  // From the table's start element to its end.
  void Table() {
    int depth = xml_.Depth();
    while (xml_.Next()) {
      if (xml_.node() == XmlPart::Node::kEnd && xml_.Depth() == depth) return;
      if (xml_.node() != XmlPart::Node::kStart) continue;
      if (Is(xml_, kTableNs, "table-row")) {
        Row();
      } else if (!(xml_.NamespaceUri() == kTableNs &&
                   (xml_.LocalName() == "table-row-group" ||
                    xml_.LocalName() == "table-header-rows" ||
                    xml_.LocalName() == "table-rows"))) {
        xml_.SkipContent();  // columns, shapes, names: not cells
      }
    }
  }

 private:
  void Row() {
    std::uint64_t repeat = RepeatCount(xml_, "number-rows-repeated");
    cells_.clear();
    std::uint64_t column = 0;
    int depth = xml_.Depth();
    while (xml_.Next()) {
      if (xml_.node() == XmlPart::Node::kEnd && xml_.Depth() == depth) break;
      if (xml_.node() != XmlPart::Node::kStart) continue;
      if (Is(xml_, kTableNs, "table-cell") ||
          Is(xml_, kTableNs, "covered-table-cell")) {
        std::uint64_t times = RepeatCount(xml_, "number-columns-repeated");
        CellValue value = Cell();
        if (!value.IsEmpty()) {
          if (times > 1 && column + times > package::kSheetColumns) {
            xml_.Fail("is damaged (sheet \"" + name_ +
                      "\" repeats cells past column 256, its last)");
          }
          for (std::uint64_t i = 0; i < times; ++i) {
            cells_.emplace_back(column + i, value);
          }
        }
        column = std::min(column + times, kFarAway);
      } else {
        xml_.SkipContent();
      }
    }
    if (!cells_.empty()) {
      if (repeat > 1 && row_ + repeat > package::kSheetRows) {
        xml_.Fail("is damaged (sheet \"" + name_ +
                  "\" repeats rows past row 65536, its last)");
      }
      for (std::uint64_t i = 0; i < repeat; ++i) {
        for (const auto& [c, value] : cells_) sheet_.Put(row_ + i, c, value);
      }
    }
    row_ = std::min(row_ + repeat, kFarAway);
  }

  // From the cell's start element to its end.
  CellValue Cell() {
    std::string type, calc_type, value;
    xml_.Attribute("value-type", &type, kOfficeNs);
    xml_.Attribute("value-type", &calc_type, kCalcExtNs);
    std::string attribute_value;
    bool has_string_value =
        type == "string" && xml_.Attribute("string-value", &value, kOfficeNs);
    if (type == "float" || type == "percentage" || type == "currency") {
      xml_.Attribute("value", &attribute_value, kOfficeNs);
    } else if (type == "date") {
      xml_.Attribute("date-value", &attribute_value, kOfficeNs);
    } else if (type == "time") {
      xml_.Attribute("time-value", &attribute_value, kOfficeNs);
    } else if (type == "boolean") {
      xml_.Attribute("boolean-value", &attribute_value, kOfficeNs);
    }
    std::string text;
    bool has_paragraph = false;
    int depth = xml_.Depth();
    while (xml_.Next()) {
      if (xml_.node() == XmlPart::Node::kEnd && xml_.Depth() == depth) break;
      if (Is(xml_, kTextNs, "p")) {
        if (has_paragraph) text += '\n';
        has_paragraph = true;
        Paragraph(text);
      } else if (xml_.node() == XmlPart::Node::kStart) {
        xml_.SkipContent();  // notes, drawings
      }
    }
    if (calc_type == "error") {
      return CellValue::Error(package::ErrorCodeOf(text));
    }
    double number = 0;
    if (type == "float" || type == "percentage" || type == "currency") {
      if (!ParseNumber(attribute_value, &number))
        Bad("number", attribute_value);
      return CellValue::Number(number);
    }
    if (type == "date") {
      if (!package::DateSerial(attribute_value, false, &number)) {
        Bad("date", attribute_value);
      }
      return CellValue::Number(number);
    }
    if (type == "time") {
      if (!DurationDays(attribute_value, &number)) Bad("time", attribute_value);
      return CellValue::Number(number);
    }
    if (type == "boolean") {
      return CellValue::Boolean(attribute_value == "true" ||
                                attribute_value == "1");
    }
    if (has_string_value) return CellValue::Text(std::move(value));
    if (type == "string" || has_paragraph)
      return CellValue::Text(std::move(text));
    return CellValue();
  }

  [[noreturn]] void Bad(std::string_view kind, const std::string& value) {
    xml_.Fail("is damaged (sheet \"" + name_ + "\" has a cell whose " +
              std::string(kind) + " \"" + value + "\" is none)");
  }

  // Appends the paragraph's text: white space runs count as one space, as
  // OpenDocument lays them out, and text:s, text:tab and text:line-break
  // stand for the spaces, tabs and line breaks a person typed.
  void Paragraph(std::string& text) {
    int depth = xml_.Depth();
    bool after_space = true;  // leading white space is not text
    while (xml_.Next()) {
      if (xml_.node() == XmlPart::Node::kEnd && xml_.Depth() == depth) return;
      if (xml_.node() == XmlPart::Node::kText) {
        for (char ch : xml_.Text()) {
          bool space = ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
          if (space && after_space) continue;
          text += space ? ' ' : ch;
          after_space = space;
        }
      } else if (Is(xml_, kTextNs, "s")) {
        std::string count_text;
        std::uint64_t count = 1;
        if (xml_.Attribute("c", &count_text, kTextNs)) {
          std::from_chars(count_text.data(),
                          count_text.data() + count_text.size(), count);
        }
        text.append(static_cast<std::size_t>(
                        std::min<std::uint64_t>(count, kMaxTextBytes + 1)),
                    ' ');
        after_space = false;
      } else if (Is(xml_, kTextNs, "tab")) {
        text += '\t';
        after_space = false;
      } else if (Is(xml_, kTextNs, "line-break")) {
        text += '\n';
        after_space = false;
      } else if (Is(xml_, kTextNs, "note") ||
                 Is(xml_, kOfficeNs, "annotation")) {
        xml_.SkipContent();
      }
      if (text.size() > kMaxTextBytes) {
        xml_.Fail("is damaged (sheet \"" + name_ +
                  "\" has a text longer than 32767 characters)");
      }
    }
  }

 public:
  std::string name_;

 private:
  XmlPart& xml_;
  package::SheetBuilder& sheet_;
  std::vector<std::pair<std::uint64_t, CellValue>> cells_;
  std::uint64_t row_ = 0;
};

}  // namespace

bool IsOdfPackage(const package::ZipPackage& zip) {
  return zip.Has("content.xml") || zip.Has("mimetype");
}

xls::BookData ReadOdsWorkbook(package::ZipPackage& zip) {
  if (zip.Has("mimetype")) {
    std::unique_ptr<package::ZipPart> part = zip.Open("mimetype");
    char buffer[128];
    std::size_t n = part->Read(buffer, sizeof buffer);
    std::string_view type(buffer, n);
    if (type.substr(0, 46) !=
        "application/vnd.oasis.opendocument.spreadsheet") {
      throw Error(zip.what() +
                  ": this is an OpenDocument file, but not a spreadsheet");
    }
  }
  XmlPart xml(zip.Open("content.xml"), zip.what());
  std::uint64_t cells = 0;
  std::vector<xls::SheetEntry> sheets;
  bool in_spreadsheet = false;
  while (xml.Next()) {
    if (Is(xml, kOfficeNs, "spreadsheet")) {
      in_spreadsheet = true;
    } else if (in_spreadsheet && Is(xml, kTableNs, "table")) {
      xls::SheetEntry entry;
      xml.Attribute("name", &entry.name, kTableNs);
      package::SheetBuilder builder(
          zip.what() + ": sheet \"" + entry.name + "\"", &cells);
      SheetReader reader(xml, builder);
      reader.name_ = entry.name;
      reader.Table();
      entry.data = builder.Take();
      sheets.push_back(std::move(entry));
    } else if (in_spreadsheet && xml.node() == XmlPart::Node::kStart) {
      xml.SkipContent();  // named ranges, database ranges
    } else if (xml.node() == XmlPart::Node::kEnd &&
               xml.LocalName() == "spreadsheet") {
      in_spreadsheet = false;
    }
  }
  if (sheets.empty()) {
    throw Error(zip.what() + ": the workbook is damaged (it lists no sheets)");
  }
  return package::MakeBook(std::move(sheets), 0);
}

}  // namespace tarnwick::spreadsheet::ods
