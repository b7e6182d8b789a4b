#include "octonus/read_price_file.h"

#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/error.h"
#include "octonus/chosen_workbook.h"
#include "octonus/discount_workbook_file.h"

namespace tarnwick::octonus {
namespace {

// The sheet names of the price workbook, read through a copy that is closed
// again at once.
std::vector<std::string> PriceSheetNames(spreadsheet::Application& app,
                                         const std::filesystem::path& file) {
  spreadsheet::Workbook& copy = app.Workbooks().Add(file);
  std::vector<std::string> names;
  spreadsheet::SheetCollection sheets = copy.Sheets();
  for (int i = 1; i <= sheets.Count(); ++i) {
    names.push_back(sheets.Item(i).Name());
  }
  copy.Close();
  if (names.empty()) throw Error(file.string() + ": the workbook has no sheet");
  return names;
}

// Only a file that is certainly not there is missing; one that cannot be
// looked at (a loop of symbolic links) is read, and the reading says why it
// fails in the words used for any unreadable workbook.
bool Missing(const std::filesystem::path& file) {
  std::error_code ec;
  return !std::filesystem::exists(file, ec) && !ec;
}

}  // namespace

void ReadPriceFile(ConversionSession& session, const ConversionOptions& options,
                   Host& host) {
  std::filesystem::path price_file =
      ChosenWorkbook(options.app_folder, "Price.xls");
  if (Missing(price_file)) {
    host.ShowMessage("Price file not exist!!!", MessageIcon::kInformation);
    return;
  }

  // A damaged workbook must not cost the user the list already shown, so the
  // new application replaces the old one only once the file has been read.
  auto app = std::make_unique<spreadsheet::Application>();
  std::vector<std::string> names;
  try {
    names = PriceSheetNames(*app, price_file);
  } catch (const std::exception& e) {
    host.ShowMessage("Price file can not be read: " + price_file.string(),
                     MessageIcon::kCritical, e.what());
    return;
  }
  session.application = std::move(app);

  host.ClearSheetList();
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    host.AddSheetListEntry(names[i]);
    host.SetSheetListSelected(i, true);
  }

  for (int k = 1; k <= options.disc_level; ++k) {
    if (Missing(DiscountWorkbookFile(options.app_folder, k))) {
      host.ShowMessage("Discount-" + std::to_string(k) + "file not exist!!!",
                       MessageIcon::kCritical);
      return;
    }
  }
  host.SetSelectAll(true);
}

}  // namespace tarnwick::octonus
