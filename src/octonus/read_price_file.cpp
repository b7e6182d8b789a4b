#include "octonus/read_price_file.h"

#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "octonus/chosen_workbook.h"

namespace tarnwick {
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
  return names;
}

}  // namespace

void ReadPriceFile(ConversionSession& session, const ConversionOptions& options,
                   Host& host) {
  std::filesystem::path price_file =
      ChosenWorkbook(options.app_folder, "Price.xls");
  if (!std::filesystem::exists(price_file)) {
    host.ShowMessage("Price file not exist!!!", MessageIcon::kInformation);
    return;
  }

  // A damaged workbook must not cost the user the list already shown, so the
  // new application replaces the old one only once the file has been read.
  auto app = std::make_unique<spreadsheet::Application>();
  // A conversion opens every discount workbook right after: they are read
  // meanwhile, on the second processor.
  std::vector<std::filesystem::path> discounts;
  for (int k = 1; k <= options.disc_level; ++k) {
    discounts.push_back(ChosenWorkbook(
        options.app_folder, "Discount" + std::to_string(k) + ".xls"));
  }
  app->Workbooks().ReadAhead(discounts);
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
    std::string name = "Discount" + std::to_string(k) + ".xls";
    if (!std::filesystem::exists(ChosenWorkbook(options.app_folder, name))) {
      host.ShowMessage("Discount-" + std::to_string(k) + "file not exist!!!",
                       MessageIcon::kCritical);
      return;
    }
  }
  host.SetSelectAll(true);
}

}  // namespace tarnwick
