#include "import/recovery_save.h"

#include <ctime>
#include <string>
#include <vector>

#include "core/error.h"

namespace tarnwick::import {
namespace {

// "Price-recovered-20261206-081502.xls": a name no earlier run has taken.
std::filesystem::path RecoveryName(const std::filesystem::path& folder,
                                   const std::filesystem::path& target) {
  std::time_t now = std::time(nullptr);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
  std::string base = target.stem().string() + "-recovered-" + stamp;
  std::filesystem::path candidate = folder / (base + ".xls");
  std::error_code ec;
  for (int n = 2; std::filesystem::exists(candidate, ec); ++n) {
    candidate = folder / (base + "-" + std::to_string(n) + ".xls");
  }
  return candidate;
}

}  // namespace

bool SaveImportedWorkbook(spreadsheet::Workbook& book,
                          const std::filesystem::path& target,
                          const std::filesystem::path& app_folder, Host& host) {
  std::string reason;
  try {
    book.SaveAs(target);
    return true;
  } catch (const Error& e) {
    reason = e.what();
  }
  std::string text = target.filename().string() + " could not be saved.";
  std::vector<std::filesystem::path> folders = {app_folder};
  std::error_code ec;
  std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  if (!ec) folders.push_back(temp);
  for (const auto& folder : folders) {
    std::filesystem::path keep = RecoveryName(folder, target);
    try {
      book.SaveAs(keep);
      host.ShowMessage(text + "\r\nThe workbook was kept as " + keep.string(),
                       MessageIcon::kCritical, reason);
      return false;
    } catch (const Error& e) {
      reason += "\n" + std::string(e.what());
    }
  }
  host.ShowMessage(text + "\r\nThe workbook could not be kept anywhere.",
                   MessageIcon::kCritical, reason);
  return false;
}

}  // namespace tarnwick::import
