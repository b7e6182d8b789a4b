#ifndef TARNWICK_OCTONUS_CHOSEN_WORKBOOK_H_
#define TARNWICK_OCTONUS_CHOSEN_WORKBOOK_H_

#include <filesystem>
#include <string_view>

namespace tarnwick::octonus {

// The workbook file the conversion reads where it names an .xls workbook
// ("Price.xls", "Discount1.xls") in `folder`: that file when it exists,
// else the same name ending in .xlsx, else in .ods. When none exists, the
// .xls path, for the caller to report as missing.
std::filesystem::path ChosenWorkbook(const std::filesystem::path& folder,
                                     std::string_view xls_name);

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_CHOSEN_WORKBOOK_H_
