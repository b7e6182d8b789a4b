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

xls::BookData ReadXlsxWorkbook(package::ZipPackage& zip) {
  std::string workbook_part = WorkbookPartName(zip);
  WorkbookPart book = ReadWorkbookPart(zip, workbook_part);
  std::vector<Relationship> rels = ReadRelationships(zip, workbook_part);

  std::vector<std::string> strings;
  for (const Relationship& r : rels) {
    if (r.type == "sharedStrings" && zip.Has(r.target)) {
      package::XmlPart xml(zip.Open(r.target), zip.what());
      strings = ReadSharedStrings(xml);
      break;
    }
  }
  WorksheetContext context{&strings, book.date_1904};

  std::uint64_t cells = 0;
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
      package::SheetBuilder builder(what, &cells);
      package::XmlPart xml(zip.Open(found->target), zip.what());
      ReadWorksheet(xml, context, builder);
      entry.data = builder.Take();
    }
    sheets.push_back(std::move(entry));
  }
  if (sheets.empty()) {
    throw Error(zip.what() + ": the workbook is damaged (it lists no sheets)");
  }
  return package::MakeBook(std::move(sheets), book.active_sheet);
}

}  // namespace tarnwick::spreadsheet::xlsx
