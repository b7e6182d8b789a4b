#include "octonus/discount_workbook_file.h"

#include <string>

#include "octonus/chosen_workbook.h"

namespace tarnwick::octonus {

std::filesystem::path DiscountWorkbookFile(
    const std::filesystem::path& app_folder, int level) {
  return ChosenWorkbook(app_folder, DiscountWorkbookName(level));
}

std::string DiscountWorkbookName(int level) {
  return "Discount" + std::to_string(level) + ".xls";
}

}  // namespace tarnwick::octonus
