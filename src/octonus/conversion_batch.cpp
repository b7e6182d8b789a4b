#include "octonus/conversion_batch.h"

#include <exception>
#include <string>
#include <vector>

#include "octonus/run_copies.h"
#include "octonus/write_oct_format.h"

namespace tarnwick {
namespace {

void ResetProgressPanel(Host& host) {
  host.SetProgressValue(0);
  host.SetProgressPercent("0%");
  host.SetProgressCaption("Please wait...");
}

// Converts the selected entries in list order and unselects each one done;
// Escape leaves the cancelled entry and the rest selected. `current` tells
// the failure handler which entry was being converted.
// The selected entries after `i`, 1-based as sheet indexes.
std::vector<int> SelectedSheetsAfter(const Host& host, int i) {
  std::vector<int> sheets;
  for (int j = i + 1; j < host.SheetListCount(); ++j) {
    if (host.SheetListSelected(j)) sheets.push_back(j + 1);
  }
  return sheets;
}

void ConvertListedSheets(ConversionSession& session,
                         const ConversionOptions& options,
                         SettingsStore& settings, Host& host, RunCopies& copies,
                         int& current) {
  TableLookahead lookahead;
  for (int i = 0; i < host.SheetListCount(); ++i) {
    if (!host.SheetListSelected(i)) continue;
    current = i;
    host.SetSheetListCurrent(i);
    lookahead.set_coming_sheets(SelectedSheetsAfter(host, i));
    WriteOCTFormat(session, i + 1, options, settings, host, copies, &lookahead);
    if (host.CancelFlag()) return;
    host.SetProgressValue(0);
    host.SetSheetListSelected(i, false);
  }
  current = -1;
}

}  // namespace

void ConvertSelectedSheets(ConversionSession& session,
                           const ConversionOptions& options,
                           SettingsStore& settings, Host& host) {
  host.SetCancelFlag(false);
  if (host.SheetListCount() == 0) return;
  spreadsheet::RemoveSaveLeftovers(options.app_folder);

  RunCopies copies;
  int current = -1;
  try {
    host.SetBusyPointer(true);
    host.SetProgressVisible(true);
    ResetProgressPanel(host);
    host.Repaint();

    ConvertListedSheets(session, options, settings, host, copies, current);

    host.SetCancelFlag(false);
    host.SetBusyPointer(false);
    copies.CloseAll();
    host.SetProgressVisible(false);
    ResetProgressPanel(host);
    host.Repaint();
    host.SetBusyPointer(false);
  } catch (const std::exception& e) {
    // The writer has already closed the file it was writing; what it holds
    // so far stays. The list is emptied so the workbook is read again before
    // the next run.
    std::string detail = e.what();
    if (current >= 0) {
      detail = "Sheet " + host.SheetListEntry(current) + ": " + detail;
    }
    host.SetBusyPointer(false);
    host.ShowMessage("File Not Proper\r\nPlease Check this file",
                     MessageIcon::kInformation, detail);
    copies.CloseAll();
    host.SetProgressVisible(false);
    ResetProgressPanel(host);
    host.Repaint();
    host.ClearSheetList();
  }
}

}  // namespace tarnwick
