#include "octonus/write_oct_format.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/text_file.h"
#include "octonus/chosen_workbook.h"
#include "octonus/discount_sheets.h"
#include "octonus/discount_workbook_file.h"
#include "octonus/table_file.h"
#include "octonus/table_writer.h"
#include "octonus/writer_settings.h"

namespace tarnwick::octonus {
namespace {

using spreadsheet::Sheet;
using spreadsheet::Workbook;

constexpr char kTooLargeMessage[] =
    "Too large cell value\r\n"
    "Do the following...\r\n"
    "1) Increase the space value in Registry\r\n"
    "2) Use the round option in registry";

// The workbook ChosenWorkbook takes for `xls_name`, when it exists as
// RunCopies::Exists tells. The .xls file, which is mostly there, is looked
// at once for the choice, the existence and the Open that follows: a run
// over fifty sheets and six workbooks would otherwise look 300 times more.
std::optional<std::filesystem::path> ExistingWorkbook(
    const std::filesystem::path& folder, std::string_view xls_name,
    RunCopies& copies) {
  std::filesystem::path xls = folder / xls_name;
  if (copies.Exists(xls)) return xls;
  std::filesystem::path chosen = ChosenWorkbook(folder, xls_name);
  if (chosen != xls && copies.Exists(chosen)) return chosen;
  return std::nullopt;
}

// The discount workbook copy and sheet of one level; null for a missing
// workbook the user chose to go on without.
struct DiscountLevel {
  Workbook* book = nullptr;
  const Sheet* sheet = nullptr;
};

// Opens the discount sheets of levels 1..n; asks about every missing
// workbook. Returns false when the user answered No.
bool OpenDiscountSheets(spreadsheet::Application& app, int sheet_index,
                        const ConversionOptions& options, Host& host,
                        RunCopies& copies, std::vector<DiscountLevel>& levels) {
  for (int k = 1; k <= options.disc_level; ++k) {
    std::optional<std::filesystem::path> file =
        ExistingWorkbook(options.app_folder, DiscountWorkbookName(k), copies);
    if (!file) {
      if (!host.AskYesNo("Discount-" + std::to_string(k) +
                         "file not exist!!!\r\nDo you want to continue?")) {
        return false;
      }
      levels.emplace_back();
      continue;
    }
    Workbook& copy = copies.Open(app, *file);
    levels.push_back({&copy, &copy.Sheets().Item(sheet_index)});
  }
  return true;
}

SheetEnd WorkOutTable(const Sheet& sheet,
                      const std::vector<DiscountLevel>& levels,
                      const WriterSettings& settings,
                      const ConversionOptions& options, TableOutput& out) {
  DiscountSheets discounts(options.disc_level);
  for (std::size_t k = 0; k < levels.size(); ++k) {
    if (levels[k].sheet) {
      discounts.SetSheet(static_cast<int>(k) + 1, *levels[k].sheet);
    }
  }
  spreadsheet::CellReader cells(sheet, spreadsheet::CellReader::Use::kValues);
  return WriteTable(cells, options.disc_level > 0 ? &discounts : nullptr,
                    settings, options.disc_format, out);
}

}  // namespace

void WriteOCTFormat(ConversionSession& session, int sheet_index,
                    const ConversionOptions& options, SettingsStore& settings,
                    Host& host, RunCopies& copies) {
  std::optional<std::filesystem::path> price_file =
      ExistingWorkbook(options.app_folder, "Price.xls", copies);
  if (!price_file) {
    host.ShowMessage("Price file not exist!!!", MessageIcon::kInformation);
    return;
  }
  if (session.application == nullptr) {
    throw Error("the price workbook has not been read");
  }
  spreadsheet::Application& app = *session.application;
  Workbook& price = copies.Open(app, *price_file);
  const Sheet& sheet = price.Sheets().Item(sheet_index);

  std::vector<DiscountLevel> levels;
  if (!OpenDiscountSheets(app, sheet_index, options, host, copies, levels)) {
    return;
  }

  TableFile table(options.app_folder, sheet.Name());
  TextFileWriter& out = table.writer();
  WriterSettings writer_settings = ReadWriterSettings(settings);
  host.SetProgressCaption("Writing(" + sheet.Name() + ")");

  SheetEnd end;
  {
    HostTableOutput output(out, host);
    end = WorkOutTable(sheet, levels, writer_settings, options, output);
  }
  // Only a walk that went through puts the table in place; the others leave
  // the older one.
  if (end == SheetEnd::kEndMarker || end == SheetEnd::kNoEndMarker) {
    table.Commit();
  }
  switch (end) {
    case SheetEnd::kEndMarker:
    case SheetEnd::kCancelled:
      host.SetBusyPointer(false);
      return;
    case SheetEnd::kTooLarge:
      price.Close();
      host.ShowMessage(kTooLargeMessage, MessageIcon::kInformation);
      return;
    case SheetEnd::kNoEndMarker:
      host.ShowMessage("End File Pointer not present",
                       MessageIcon::kInformation);
      return;
  }
}

}  // namespace tarnwick::octonus
