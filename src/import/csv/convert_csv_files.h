#ifndef TARNWICK_IMPORT_CSV_CONVERT_CSV_FILES_H_
#define TARNWICK_IMPORT_CSV_CONVERT_CSV_FILES_H_

#include <filesystem>

#include "core/host.h"
#include "import/price_module.h"

namespace tarnwick::import {

// "Convert CSV Files": every CSV price list of `folder` becomes a sheet of
// Price.xls in `app_folder`, made from System/CSVTemplate.xls; a run that
// stops early is kept as eee.xls.
void ConvertCSVFiles(const std::filesystem::path& app_folder,
                     const std::filesystem::path& folder, PriceModule& module,
                     Host& host);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_CSV_CONVERT_CSV_FILES_H_
