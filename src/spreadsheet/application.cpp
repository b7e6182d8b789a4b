#include "spreadsheet/application.h"

#include "spreadsheet/application_impl.h"
#include "spreadsheet/sheet_impl.h"
#include "spreadsheet/workbook_impl.h"
#include "spreadsheet/xls/blank_workbook.h"

namespace tarnwick::spreadsheet {

Workbook& Application::Impl::AddWorkbook(std::filesystem::path template_path,
                                         const xls::BookData& book) {
  auto added = std::make_unique<Workbook>(std::make_unique<Workbook::Impl>(
      nullptr, std::move(template_path), book));
  Workbook& workbook = *added;
  for (const xls::SheetEntry& entry : book.sheets) {
    workbook.impl().sheets.push_back(std::make_unique<Sheet>(
        std::make_unique<Sheet::Impl>(&workbook, entry)));
  }
  workbook.impl().self = &workbook;
  workbooks.push_back(std::move(added));
  return workbook;
}

Application::Application() : impl_(std::make_unique<Impl>()) {}
Application::~Application() = default;

void Application::Quit() {
  for (auto& book : impl_->workbooks) book->Close();
  impl_->cache.Clear();
}

Workbook& WorkbookCollection::Add(const std::filesystem::path& template_file) {
  auto book = app_->impl().cache.Load(template_file);
  Workbook& workbook = app_->impl().AddWorkbook(template_file, *book);
  workbook.impl().app = app_;
  return workbook;
}

Workbook& WorkbookCollection::Add() {
  Workbook& workbook = app_->impl().AddWorkbook({}, xls::MakeBlankWorkbook());
  workbook.impl().app = app_;
  return workbook;
}

int WorkbookCollection::Count() const {
  int n = 0;
  for (const auto& book : app_->impl().workbooks) n += book->IsOpen() ? 1 : 0;
  return n;
}

}  // namespace tarnwick::spreadsheet
