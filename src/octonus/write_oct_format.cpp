#include "octonus/write_oct_format.h"

#include <filesystem>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/text_file.h"
#include "octonus/chosen_workbook.h"
#include "octonus/discount_sheets.h"
#include "octonus/table_writer.h"
#include "octonus/writer_settings.h"

namespace tarnwick {
namespace {

using spreadsheet::Sheet;
using spreadsheet::Workbook;

constexpr char kTooLargeMessage[] =
    "Too large cell value\r\n"
    "Do the following...\r\n"
    "1) Increase the space value in Registry\r\n"
    "2) Use the round option in registry";

std::string DiscountFileName(int level) {
  return "Discount" + std::to_string(level) + ".xls";
}

bool PriceWorkbookMissing(const std::filesystem::path& price_file,
                          RunCopies& copies, Host& host) {
  if (copies.Exists(price_file)) return false;
  host.ShowMessage("Price file not exist!!!", MessageIcon::kInformation);
  return true;
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
    std::filesystem::path file =
        ChosenWorkbook(options.app_folder, DiscountFileName(k));
    if (!copies.Exists(file)) {
      if (!host.AskYesNo("Discount-" + std::to_string(k) +
                         "file not exist!!!\r\nDo you want to continue?")) {
        return false;
      }
      levels.emplace_back();
      continue;
    }
    Workbook& copy = copies.Open(app, file);
    levels.push_back({&copy, &copy.Sheets().Item(sheet_index)});
  }
  return true;
}

TableLookahead::Inputs InputsOf(int sheet_index, const Sheet& sheet,
                                const std::vector<DiscountLevel>& levels,
                                const WriterSettings& settings,
                                const ConversionOptions& options) {
  TableLookahead::Inputs inputs;
  inputs.sheet_index = sheet_index;
  inputs.price = &sheet;
  for (const DiscountLevel& level : levels) {
    inputs.discounts.push_back(level.sheet);
  }
  inputs.settings = settings;
  inputs.format = options.disc_format;
  return inputs;
}

// Plans the batch's coming sheets, read through the copies this sheet
// uses. A sheet that cannot be planned so, and those after it, are left to
// be worked out as usual when their turn comes.
void PlanComingSheets(TableLookahead& lookahead, Workbook& price,
                      const std::vector<DiscountLevel>& levels,
                      const TableLookahead::Inputs& inputs) {
  std::vector<TableLookahead::Inputs> coming;
  try {
    for (int sheet : lookahead.coming_sheets()) {
      TableLookahead::Inputs next = inputs;
      next.sheet_index = sheet;
      next.price = &price.Sheets().Item(sheet);
      for (std::size_t k = 0; k < levels.size(); ++k) {
        next.discounts[k] =
            levels[k].book ? &levels[k].book->Sheets().Item(sheet) : nullptr;
      }
      coming.push_back(std::move(next));
    }
  } catch (const std::exception&) {
    // planned as far as it goes
  }
  lookahead.Plan(coming);
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
                    Host& host, RunCopies& copies, TableLookahead* lookahead) {
  std::filesystem::path price_file =
      ChosenWorkbook(options.app_folder, "Price.xls");
  if (PriceWorkbookMissing(price_file, copies, host)) return;
  if (session.application == nullptr) {
    throw Error("the price workbook has not been read");
  }
  spreadsheet::Application& app = *session.application;
  Workbook& price = copies.Open(app, price_file);
  const Sheet& sheet = price.Sheets().Item(sheet_index);

  std::vector<DiscountLevel> levels;
  if (!OpenDiscountSheets(app, sheet_index, options, host, copies, levels)) {
    return;
  }

  TextFileWriter out(options.app_folder / (sheet.Name() + ".txt"));
  WriterSettings writer_settings = ReadWriterSettings(settings);
  host.SetProgressCaption("Writing(" + sheet.Name() + ")");

  TableLookahead::Inputs inputs =
      InputsOf(sheet_index, sheet, levels, writer_settings, options);
  std::unique_ptr<RecordedTable> ahead =
      lookahead ? lookahead->Take(inputs) : nullptr;
  // A sheet worked out here has the coming ones worked out meanwhile.
  if (lookahead && !ahead) PlanComingSheets(*lookahead, price, levels, inputs);
  SheetEnd end;
  {
    HostTableOutput output(out, host);
    end = ahead ? ahead->Replay(output)
                : WorkOutTable(sheet, levels, writer_settings, options, output);
  }
  out.Close();
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

}  // namespace tarnwick
