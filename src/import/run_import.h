#ifndef TARNWICK_IMPORT_RUN_IMPORT_H_
#define TARNWICK_IMPORT_RUN_IMPORT_H_

#include <functional>

#include "core/host.h"

namespace tarnwick::import {

// What the CSV and DBF buttons do around their import: with no entry in the
// file list, "There is no file to read..." and nothing else; otherwise the
// hourglass, the progress panel shown and reset, the import, and the panel
// hidden and reset with the default pointer again, whatever way the import
// ends (an exception passes on after the clean-up).
void RunImport(int file_list_count, Host& host,
               const std::function<void()>& import);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_RUN_IMPORT_H_
