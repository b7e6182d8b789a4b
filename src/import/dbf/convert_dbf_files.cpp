#include "import/dbf/convert_dbf_files.h"

#include <optional>
#include <string>

#include "core/error.h"
#include "core/folder_lock.h"
#include "import/dbf/convert_dbf_table.h"
#include "import/dbf/dbf_table_list.h"
#include "import/import_stopped.h"
#include "import/recovery_save.h"

namespace tarnwick::import {
namespace {

// Releases the workbook being built; a workbook that is already closed, or
// that fails to close, has nothing more to lose.
void CloseQuietly(spreadsheet::Workbook& book) {
  try {
    if (book.IsOpen()) book.Close();
  } catch (const Error&) {
  }
}

void ReportStop(Host& host, const std::string& what, const Error& e) {
  host.ShowMessage(what + " Price.xls was not written.", MessageIcon::kCritical,
                   e.what());
}

enum class TablesOutcome { kNoneFound, kConverted, kStopped };

// Fills the sheet of every table present in `folder`. A table that fails
// stops the import there, with a message that names it.
TablesOutcome ConvertPresentTables(const std::filesystem::path& folder,
                                   spreadsheet::Workbook& book, Host& host) {
  bool found = false;
  for (const DbfTableEntry& entry : DbfTableList()) {
    std::optional<std::filesystem::path> file =
        FindTableFile(folder, entry.file_name);
    if (!file) continue;  // its sheet keeps what the template has
    StopIfRequested(host);
    try {
      ConvertDBFTable(entry.layout, entry.table_name, entry.sheet_index, *file,
                      book, host);
    } catch (const Error& e) {
      ReportStop(host,
                 "The table " + std::string(entry.table_name) +
                     " could not be converted.",
                 e);
      return TablesOutcome::kStopped;
    }
    found = true;
  }
  return found ? TablesOutcome::kConverted : TablesOutcome::kNoneFound;
}

}  // namespace

void ConvertDBFFiles(const std::filesystem::path& app_folder,
                     const std::filesystem::path& folder, PriceModule& module,
                     Host& host) {
  FolderLock lock(app_folder);
  if (!lock.Acquired(host)) return;
  spreadsheet::RemoveSaveLeftovers(app_folder);
  std::filesystem::path template_file =
      app_folder / "System" / "DBFTemplate.xls";
  std::error_code ec;
  if (!std::filesystem::exists(template_file, ec)) {
    host.ShowMessage("Standard DBF file not exist.", MessageIcon::kInformation);
    return;
  }
  module.application = std::make_unique<spreadsheet::Application>();
  spreadsheet::Workbook* book = nullptr;
  try {
    book = &module.application->Workbooks().Add(template_file);
  } catch (const Error& e) {
    ReportStop(host, "The DBF template could not be read.", e);
    return;
  }
  TablesOutcome outcome = TablesOutcome::kStopped;
  try {
    outcome = ConvertPresentTables(folder, *book, host);
    if (outcome == TablesOutcome::kConverted) StopIfRequested(host);
  } catch (const ImportStopped&) {
    outcome = TablesOutcome::kStopped;
    host.ShowMessage(kImportStoppedMessage, MessageIcon::kInformation);
  }
  if (outcome != TablesOutcome::kConverted) {
    CloseQuietly(*book);
    if (outcome == TablesOutcome::kNoneFound) {
      host.ShowMessage("Sorry,DBF Files not found...",
                       MessageIcon::kInformation);
    }
    return;
  }
  SaveImportedWorkbook(*book, app_folder / "Price.xls", app_folder, host);
  CloseQuietly(*book);
}

}  // namespace tarnwick::import
