#ifndef TARNWICK_IMPORT_RECOVERY_SAVE_H_
#define TARNWICK_IMPORT_RECOVERY_SAVE_H_

#include <filesystem>

#include "core/host.h"
#include "spreadsheet/application.h"

namespace tarnwick::import {

// Saves the workbook an import built as `target` (Price.xls or eee.xls).
// When that fails, the work is not lost: the workbook is kept under a
// recovery name, first in `app_folder`, then in the system's temporary
// folder, and the user is told the reason and where it is. Returns true
// when `target` was written.
bool SaveImportedWorkbook(spreadsheet::Workbook& book,
                          const std::filesystem::path& target,
                          const std::filesystem::path& app_folder, Host& host);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_RECOVERY_SAVE_H_
