#include "spreadsheet/xlsx/workbook_reader.h"

#include <charconv>

#include "core/error.h"
#include "spreadsheet/package/sheet_builder.h"
#include "spreadsheet/package/xml_part.h"
#include "spreadsheet/xlsx/relationships.h"
#include "spreadsheet/xlsx/shared_strings.h"
#include "spreadsheet/xlsx/worksheet_reader.h"

namespace tarnwick::spreadsheet::xlsx {
namespace {

struct ListedSheet {
  std::string name;
  std::string relationship;
  std::uint8_t visibility = 0;
};

struct WorkbookPart {
  std::vector<ListedSheet> sheets;
  int active_sheet = 0;
  bool date_1904 = false;
};

WorkbookPart ReadWorkbookPart(package::ZipPackage& zip,
                              const std::string& part) {
  WorkbookPart book;
  package::XmlPart xml(zip.Open(part), zip.what());
  std::string value;
  while (xml.Next()) {
    if (xml.IsStart("sheet")) {
      ListedSheet sheet;
      xml.Attribute("name", &sheet.name);
      xml.Attribute("id", &sheet.relationship);
      if (xml.Attribute("state", &value)) {
        sheet.visibility = value == "hidden"       ? 1
                           : value == "veryHidden" ? 2
                                                   : 0;
      }
      book.sheets.push_back(std::move(sheet));
    } else if (xml.IsStart("workbookView") && book.active_sheet == 0 &&
               xml.Attribute("activeTab", &value)) {
      std::from_chars(value.data(), value.data() + value.size(),
                      book.active_sheet);
    } else if (xml.IsStart("workbookPr") && xml.Attribute("date1904", &value)) {
      book.date_1904 = value == "1" || value == "true";
    }
  }
  return book;
}

// What every sheet of one workbook is read with.
struct SheetContext {
  std::shared_ptr<package::ZipPackage> zip;
  SharedStrings strings;
  bool date_1904 = false;
};

// A worksheet or macro sheet, read from its part when first wanted.
class WorksheetSource : public xls::SheetSource {
 public:
  WorksheetSource(std::shared_ptr<const SheetContext> context, std::string part,
                  std::string what)
      : SheetSource(true),
        context_(std::move(context)),
        part_(std::move(part)),
        what_(std::move(what)) {}

 protected:
  std::shared_ptr<const xls::SheetData> Decode() const override {
    package::ZipPackage& zip = *context_->zip;
    // A sheet holds no more cells than kMaxCells anyway.
    std::uint64_t cells = 0;
    package::SheetBuilder builder(what_, &cells);
    ReadWorksheet(zip, part_, {&context_->strings, context_->date_1904},
                  builder);
    return builder.Take();
  }

 private:
  std::shared_ptr<const SheetContext> context_;
  std::string part_;
  std::string what_;
};

// The workbook part the package's own relationships name.
std::string WorkbookPartName(package::ZipPackage& zip) {
  for (const Relationship& r : ReadRelationships(zip, "")) {
    if (r.type == "officeDocument") return r.target;
  }
  return "xl/workbook.xml";
}

}  // namespace

bool IsXlsxPackage(const package::ZipPackage& zip) {
  return zip.Has("[Content_Types].xml");
}

xls::BookData ReadXlsxWorkbook(std::shared_ptr<package::ZipPackage> archive) {
  package::ZipPackage& zip = *archive;
  std::string workbook_part = WorkbookPartName(zip);
  WorkbookPart book = ReadWorkbookPart(zip, workbook_part);
  std::vector<Relationship> rels = ReadRelationships(zip, workbook_part);

  auto context = std::make_shared<SheetContext>();
  context->date_1904 = book.date_1904;
  for (const Relationship& r : rels) {
    if (r.type == "sharedStrings" && zip.Has(r.target)) {
      package::XmlPart xml(zip.Open(r.target), zip.what());
      context->strings = SharedStrings(xml);
      break;
    }
  }

  std::vector<xls::SheetEntry> sheets;
  for (const ListedSheet& listed : book.sheets) {
    std::string what = zip.what() + ": sheet \"" + listed.name + "\"";
    const Relationship* found = nullptr;
    for (const Relationship& r : rels) {
      if (r.id == listed.relationship) found = &r;
    }
    if (found == nullptr) {
      throw Error(what + ": the workbook is damaged (the sheet has no part)");
    }
    xls::SheetEntry entry;
    entry.name = listed.name;
    entry.visibility = listed.visibility;
    if (found->type == "chartsheet") {
      entry.type = 2;
      entry.data = package::SheetBuilder::ChartSheet();
    } else {
      entry.type = found->type == "macrosheet" ? 1 : 0;
      // A missing part, or one that would unpack too far, is told now.
      zip.Count(found->target);
      entry.source = std::make_shared<const WorksheetSource>(
          context, found->target, std::move(what));
    }
    sheets.push_back(std::move(entry));
  }
  if (sheets.empty()) {
    throw Error(zip.what() + ": the workbook is damaged (it lists no sheets)");
  }
  context->zip = std::move(archive);
  return package::MakeBook(std::move(sheets), book.active_sheet);
}

}  // namespace tarnwick::spreadsheet::xlsx
