#include "octonus/discount_workbook_file.h"

#include <string>

namespace tarnwick {

std::filesystem::path DiscountWorkbookFile(
    const std::filesystem::path& app_folder, int level) {
  return app_folder / ("Discount" + std::to_string(level) + ".xls");
}

}  // namespace tarnwick
