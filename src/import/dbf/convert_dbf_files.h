#ifndef TARNWICK_IMPORT_DBF_CONVERT_DBF_FILES_H_
#define TARNWICK_IMPORT_DBF_CONVERT_DBF_FILES_H_

#include <filesystem>

#include "core/host.h"
#include "import/price_module.h"

namespace tarnwick::import {

// "Convert DBF Files": the five DBF price tables of `folder` become
// Price.xls in `app_folder`, made from System/DBFTemplate.xls.
void ConvertDBFFiles(const std::filesystem::path& app_folder,
                     const std::filesystem::path& folder, PriceModule& module,
                     Host& host);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_DBF_CONVERT_DBF_FILES_H_
