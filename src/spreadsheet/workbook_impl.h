#ifndef TARNWICK_SPREADSHEET_WORKBOOK_IMPL_H_
#define TARNWICK_SPREADSHEET_WORKBOOK_IMPL_H_

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "spreadsheet/application.h"
#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet {

class Workbook::Impl {
 public:
  Impl(Application* app, std::filesystem::path template_path,
       const xls::BookData& book);

  // Throws unless the workbook is still open.
  void CheckOpen() const;
  std::string Describe() const;           // "workbook made from X" for messages
  int IndexOf(const Sheet& sheet) const;  // 0-based
  bool NameTaken(std::string_view name, const Sheet* except) const;
  // The sheets of that name, letter case ignored; null when there is none.
  const std::vector<Sheet*>* Named(std::string_view name) const;
  // Tells the name index that `sheet`, once `old_name`, has its new name.
  void Renamed(Sheet& sheet, std::string_view old_name);
  // The workbook as it stands, sharing the sheets' data.
  xls::BookData Snapshot() const;
  Sheet& InsertSheet(std::size_t at, std::unique_ptr<Sheet> sheet);

  Application* app;
  Workbook* self = nullptr;
  std::filesystem::path template_path;
  bool open = true;
  std::shared_ptr<const xls::RecordList> globals;
  std::shared_ptr<const std::vector<xls::CompoundEntry>> other_streams;
  std::string root_class_id;
  std::uint16_t biff_version = xls::kBiff8;  // an older one is not saved
  std::string trailing_substreams;
  std::vector<std::unique_ptr<Sheet>> sheets;
  int active = 0;

 private:
  void IndexName(Sheet& sheet) const;

  // The sheets by their name in capitals, made on the first look-up: a
  // workbook that grows to thousands of sheets, each named as it comes,
  // would otherwise compare every new name with all the others.
  mutable std::unordered_map<std::string, std::vector<Sheet*>> by_name_;
  mutable bool indexed_ = false;
};

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_WORKBOOK_IMPL_H_
