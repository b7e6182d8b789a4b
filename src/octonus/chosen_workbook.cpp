#include "octonus/chosen_workbook.h"

#include <string>
#include <system_error>

namespace tarnwick::octonus {

std::filesystem::path ChosenWorkbook(const std::filesystem::path& folder,
                                     std::string_view xls_name) {
  std::filesystem::path xls = folder / xls_name;
  std::error_code ec;
  if (std::filesystem::exists(xls, ec) || ec) return xls;
  for (const char* extension : {".xlsx", ".ods"}) {
    std::filesystem::path other = xls;
    other.replace_extension(extension);
    if (std::filesystem::exists(other, ec)) return other;
  }
  return xls;
}

}  // namespace tarnwick::octonus
