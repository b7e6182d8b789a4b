#ifndef TARNWICK_OCTONUS_DISCOUNT_WORKBOOK_FILE_H_
#define TARNWICK_OCTONUS_DISCOUNT_WORKBOOK_FILE_H_

#include <filesystem>
#include <string>

namespace tarnwick::octonus {

// The discount workbook of level `level` (1 to 5) in the application
// folder: Discount<level>.xls, else .xlsx, else .ods. Every reader of a
// discount workbook asks here, so the file it takes is chosen in one place.
std::filesystem::path DiscountWorkbookFile(
    const std::filesystem::path& app_folder, int level);
// Its name as an .xls workbook, "Discount<level>.xls", before the choice.
std::string DiscountWorkbookName(int level);

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_DISCOUNT_WORKBOOK_FILE_H_
