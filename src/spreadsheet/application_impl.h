#ifndef TARNWICK_SPREADSHEET_APPLICATION_IMPL_H_
#define TARNWICK_SPREADSHEET_APPLICATION_IMPL_H_

#include <memory>
#include <vector>

#include "spreadsheet/application.h"
#include "spreadsheet/resident_sheets.h"
#include "spreadsheet/workbook_cache.h"

namespace tarnwick::spreadsheet {

class Application::Impl {
 public:
  // The workbooks go first: their sheets leave the resident list as they go.
  ~Impl() { workbooks.clear(); }

  Workbook& AddWorkbook(std::filesystem::path template_path,
                        const xls::BookData& book);

  ResidentSheets resident;
  // Every workbook ever added: references to them stay valid.
  std::vector<std::unique_ptr<Workbook>> workbooks;
  WorkbookCache cache;
};

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_APPLICATION_IMPL_H_
