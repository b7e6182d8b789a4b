#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "core/error.h"
#include "core/letter_case.h"
#include "spreadsheet/application.h"
#include "spreadsheet/sheet_impl.h"
#include "spreadsheet/sheet_names.h"
#include "spreadsheet/workbook_impl.h"
#include "spreadsheet/xls/blank_workbook.h"
#include "spreadsheet/xls/workbook_writer.h"

namespace tarnwick::spreadsheet {
namespace {

constexpr std::string_view kSavingSuffix = ".saving";

// A hidden name beside `path` that no other save uses: ".<name>.<random>
// .saving", created exclusively so that two saves never share a file.
std::filesystem::path CreateSavingFile(const std::filesystem::path& path) {
  std::random_device random;
  for (int attempt = 0;; ++attempt) {
    char tag[17];
    std::snprintf(tag, sizeof tag, "%08x%08x", random(), random());
    std::filesystem::path temporary =
        path.parent_path() / ("." + path.filename().string() + "." + tag +
                              std::string(kSavingSuffix));
    if (std::FILE* created = std::fopen(temporary.c_str(), "wbx")) {
      std::fclose(created);
      return temporary;
    }
    if (errno != EEXIST || attempt == 8) {
      throw Error(path.string() + ": cannot save the workbook (" +
                  std::strerror(errno) + ")");
    }
  }
}

// Writes the workbook beside `path` and renames the result over it, so
// that a failed save leaves whatever was at `path` whole.
void SaveBeside(const xls::BookData& book, const std::filesystem::path& path) {
  std::filesystem::path temporary = CreateSavingFile(path);
  std::error_code ignored;
  try {
    xls::WriteWorkbook(book, temporary.string());
  } catch (const Error& e) {
    std::filesystem::remove(temporary, ignored);
    throw Error(path.string() + ": cannot save the workbook (" + e.what() +
                ")");
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::filesystem::remove(temporary, ignored);
    throw Error(path.string() + ": cannot save the workbook (" + ec.message() +
                ")");
  }
}

}  // namespace

Workbook::Impl::Impl(Application* app, std::filesystem::path template_path,
                     const xls::BookData& book)
    : app(app),
      template_path(std::move(template_path)),
      globals(book.globals),
      other_streams(book.other_streams),
      root_class_id(book.root_class_id),
      biff_version(book.biff_version),
      trailing_substreams(book.trailing_substreams),
      active(book.active_sheet) {}

void Workbook::Impl::CheckOpen() const {
  if (!open) throw Error(Describe() + " is closed");
}

std::string Workbook::Impl::Describe() const {
  if (template_path.empty()) return "the new workbook";
  return "the workbook made from " + template_path.string();
}

int Workbook::Impl::IndexOf(const Sheet& sheet) const {
  // From the end: a workbook is mostly built by copying its last sheet.
  for (std::size_t i = sheets.size(); i-- > 0;) {
    if (sheets[i].get() == &sheet) return static_cast<int>(i);
  }
  throw Error(sheet.impl().Describe() + " is not in " + Describe());
}

bool Workbook::Impl::NameTaken(std::string_view name,
                               const Sheet* except) const {
  const std::vector<Sheet*>* named = Named(name);
  if (named == nullptr) return false;
  return std::any_of(named->begin(), named->end(),
                     [except](const Sheet* sheet) { return sheet != except; });
}

void Workbook::Impl::IndexName(Sheet& sheet) const {
  by_name_[UpperCase(sheet.Name())].push_back(&sheet);
}

const std::vector<Sheet*>* Workbook::Impl::Named(std::string_view name) const {
  if (!indexed_) {
    for (const auto& sheet : sheets) IndexName(*sheet);
    indexed_ = true;
  }
  auto it = by_name_.find(UpperCase(name));
  return it == by_name_.end() || it->second.empty() ? nullptr : &it->second;
}

void Workbook::Impl::Renamed(Sheet& sheet, std::string_view old_name) {
  if (!indexed_) return;
  auto it = by_name_.find(UpperCase(old_name));
  if (it != by_name_.end()) std::erase(it->second, &sheet);
  IndexName(sheet);
}

xls::BookData Workbook::Impl::Snapshot() const {
  xls::BookData book;
  book.globals = globals;
  book.other_streams = other_streams;
  book.root_class_id = root_class_id;
  book.biff_version = biff_version;
  book.trailing_substreams = trailing_substreams;
  book.active_sheet = active;
  for (const auto& sheet : sheets) {
    const Sheet::Impl& s = sheet->impl();
    book.sheets.push_back(s.Entry());
  }
  return book;
}

Sheet& Workbook::Impl::InsertSheet(std::size_t at,
                                   std::unique_ptr<Sheet> sheet) {
  at = std::min(at, sheets.size());
  Sheet& added = *sheet;
  sheets.insert(sheets.begin() + static_cast<std::ptrdiff_t>(at),
                std::move(sheet));
  if (indexed_) IndexName(added);
  if (static_cast<int>(at) <= active && sheets.size() > 1) ++active;
  return added;
}

Workbook::Workbook(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Workbook::~Workbook() = default;

Sheet& Workbook::ActiveSheet() {
  impl_->CheckOpen();
  if (impl_->sheets.empty()) throw Error(impl_->Describe() + " has no sheets");
  return *impl_->sheets[static_cast<std::size_t>(impl_->active)];
}

Sheet& Workbook::AddWorksheet(std::string_view name) {
  impl_->CheckOpen();
  CheckSheetName(name);
  if (impl_->NameTaken(name, nullptr)) {
    throw Error("cannot name a sheet \"" + std::string(name) +
                "\": the workbook already has a sheet of that name");
  }
  xls::SheetEntry entry{std::string(name), 0, 0, xls::MakeBlankSheet(), -1, {}};
  return impl_->InsertSheet(
      impl_->sheets.size(),
      std::make_unique<Sheet>(std::make_unique<Sheet::Impl>(this, entry)));
}

void Workbook::SaveAs(const std::filesystem::path& path) {
  impl_->CheckOpen();
  SaveBeside(impl_->Snapshot(), path);
}

void Workbook::Close() {
  if (!impl_->open) return;
  impl_->open = false;
  for (auto& sheet : impl_->sheets) sheet->impl().Release();
  impl_->globals.reset();
  impl_->other_streams.reset();
}

bool Workbook::IsOpen() const { return impl_->open; }

void RemoveSaveLeftovers(const std::filesystem::path& folder) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end;
       !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    std::error_code ignored;
    // Only workbooks: the engine saves nothing else. ".<name>.xls.<tag>
    // .saving" now; "<name>.xls.saving" from older runs.
    bool leftover =
        name.ends_with(kSavingSuffix) &&
        (name.ends_with(".xls.saving") ||
         (name.starts_with('.') && name.find(".xls.") != std::string::npos));
    if (leftover && it->is_regular_file(ignored)) {
      std::filesystem::remove(it->path(), ignored);
    }
  }
}

}  // namespace tarnwick::spreadsheet
