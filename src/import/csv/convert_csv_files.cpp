#include "import/csv/convert_csv_files.h"

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/folder_lock.h"
#include "core/letter_case.h"
#include "core/number_rules.h"
#include "filelists/fill_file_list.h"
#include "import/csv/convert_csv_file.h"
#include "import/csv/item_reader.h"
#include "import/csv/read_sample_colors.h"
#include "import/csv/table_name.h"
#include "import/import_stopped.h"
#include "import/recovery_save.h"

namespace tarnwick::import {
namespace {

using spreadsheet::Application;
using spreadsheet::Sheet;
using spreadsheet::Workbook;

struct CsvFile {
  std::filesystem::path path;
  std::string table_name;
};

std::vector<CsvFile> CsvFilesOf(const std::filesystem::path& folder) {
  std::vector<CsvFile> files;
  for (const std::filesystem::path& path : filelists::FolderFiles(folder)) {
    std::string name = path.filename().string();
    if (filelists::HasCsvSuffix(name)) files.push_back({path, TableName(name)});
  }
  return files;
}

void NameSheet(Sheet& sheet, const CsvFile& file) {
  try {
    sheet.SetName(file.table_name);
  } catch (const Error& e) {
    throw Error(file.path.filename().string() + ": the table name \"" +
                file.table_name + "\" cannot be a sheet name (" + e.what() +
                ")");
  }
}

// One sheet per file, in listing order: the template's first worksheet
// takes the first file's table name and is copied for each later file.
void NameSheets(Workbook& book, const std::vector<CsvFile>& files) {
  std::map<std::string, std::string> taken;  // upper-case name -> file
  Sheet& first = book.Worksheets().Item(1);
  // Each copy goes after the last worksheet, found once and then followed.
  Sheet* last = &book.Worksheets().Item(book.Worksheets().Count());
  for (const CsvFile& file : files) {
    std::string file_name = file.path.filename().string();
    auto [it, fresh] = taken.emplace(UpperCase(file.table_name), file_name);
    if (!fresh) {
      // Both would fill one sheet; the second would overwrite the first.
      throw Error(file_name + ": its table name \"" + file.table_name +
                  "\" is already the table name of " + it->second);
    }
    if (&file == &files.front()) {
      NameSheet(first, file);
    } else {
      last = &first.Copy(*last);
      NameSheet(*last, file);
    }
  }
}

// The item count divided by 7, the progress maximum of the file; a file of
// no record or of a broken last record is refused before it is converted.
double RecordCount(const CsvFile& file, const ItemReader& reader) {
  double items = CountItems(reader);
  std::string file_name = file.path.filename().string();
  if (items == 0) throw Error(file_name + ": the file holds no record");
  if (std::fmod(items, 7) != 0) {
    throw Error(file_name + ": its " + NumberText(items) +
                " items do not make whole records of 7 items");
  }
  return items / 7;
}

void CloseQuietly(Workbook& book) {
  try {
    book.Close();
  } catch (const Error&) {
    // Closing throws away an unsaved copy; nothing of the user's is lost.
  }
}

// A run stopped by a missing dictionary or a refused grade keeps what it
// converted as eee.xls; Price.xls stays as it was. The save replaces an
// older eee.xls only once the new one is written.
void KeepStoppedRun(const std::filesystem::path& app_folder, Workbook& book,
                    Application& app, Host& host) {
  SaveImportedWorkbook(book, app_folder / "eee.xls", app_folder, host);
  CloseQuietly(book);
  app.Quit();
}

// Returns after "Sorry,CSV Files not found..." or a stopped run as well as
// after a complete one; errors pass on to the caller.
void RunCsvImport(const std::filesystem::path& app_folder,
                  const std::filesystem::path& folder, PriceModule& module,
                  Host& host) {
  CsvImportState& state = module.csv;
  ReadSampleColors(app_folder / "Sample" / "Sample.xls", state.sample_colors);
  std::filesystem::path template_path =
      app_folder / "System" / "CSVTemplate.xls";
  std::error_code ec;
  if (!std::filesystem::exists(template_path, ec)) {
    host.ShowMessage("Standard CSV file not exist.", MessageIcon::kInformation);
    return;
  }
  module.application = std::make_unique<Application>();
  Workbook& book = module.application->Workbooks().Add(template_path);
  std::vector<CsvFile> files = CsvFilesOf(folder);
  if (files.empty()) {
    host.ShowMessage("Sorry,CSV Files not found...", MessageIcon::kInformation);
    return;
  }
  NameSheets(book, files);

  state.continue_csv = true;
  CsvImportRun run{app_folder, state, book, host, {}};
  for (const CsvFile& file : files) {
    StopIfRequested(host);
    host.SetProgressValue(0);
    host.SetProgressCaption("Please wait...");
    // Read once, counted, then converted.
    ItemReader items(file.path);
    double records = RecordCount(file, items);
    ConvertCSVFile(file.path, items, file.table_name, records, run);
    state.block_pending = false;
    if (state.dict_missing == 1 || !state.continue_csv) {
      KeepStoppedRun(app_folder, book, *module.application, host);
      return;
    }
  }
  StopIfRequested(host);
  SaveImportedWorkbook(book, app_folder / "Price.xls", app_folder, host);
  CloseQuietly(book);
}

}  // namespace

void ConvertCSVFiles(const std::filesystem::path& app_folder,
                     const std::filesystem::path& folder, PriceModule& module,
                     Host& host) {
  FolderLock lock(app_folder);
  if (!lock.Acquired(host)) return;
  spreadsheet::RemoveSaveLeftovers(app_folder);
  CsvImportState& state = module.csv;
  state.max_color_index = 25;
  state.max_clarity_index = 10;
  state.block_pending = false;
  try {
    RunCsvImport(app_folder, folder, module, host);
  } catch (const ImportStopped&) {
    if (module.application) module.application->Quit();
    host.ShowMessage(kImportStoppedMessage, MessageIcon::kInformation);
  } catch (const Error& e) {
    // Nothing half-made reaches Price.xls: the unsaved workbook goes with
    // the application, and the last good Price.xls stays.
    if (module.application) module.application->Quit();
    host.ShowMessage(std::string(e.what()) + "\r\nPrice.xls was not written.",
                     MessageIcon::kCritical);
  }
}

}  // namespace tarnwick::import
