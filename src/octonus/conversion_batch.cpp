#include "octonus/conversion_batch.h"

#include <exception>
#include <string>
#include <vector>

#include "core/folder_lock.h"
#include "core/progress_panel.h"
#include "octonus/batch_settings_store.h"
#include "octonus/run_copies.h"
#include "octonus/write_oct_format.h"

namespace tarnwick::octonus {
namespace {

// Converts the selected entries in list order and unselects each one done;
// Escape leaves the cancelled entry and the rest selected. `current` tells
// the failure handler which entry was being converted.
void ConvertListedSheets(ConversionSession& session,
                         const ConversionOptions& options,
                         SettingsStore& settings, Host& host, RunCopies& copies,
                         int& current) {
  for (int i = 0; i < host.SheetListCount(); ++i) {
    if (!host.SheetListSelected(i)) continue;
    current = i;
    host.SetSheetListCurrent(i);
    WriteOCTFormat(session, i + 1, options, settings, host, copies);
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
  FolderLock lock(options.app_folder);
  if (!lock.Acquired(host)) return;
  spreadsheet::RemoveSaveLeftovers(options.app_folder);

  BatchSettingsStore kept(settings);  // the options the batch starts with
  RunCopies copies;
  int current = -1;
  try {
    host.SetBusyPointer(true);
    ResetProgressPanel(host, true);

    ConvertListedSheets(session, options, kept, host, copies, current);

    host.SetCancelFlag(false);
    host.SetBusyPointer(false);
    copies.CloseAll();
    ResetProgressPanel(host, false);
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
    ResetProgressPanel(host, false);
    host.ClearSheetList();
  }
}

}  // namespace tarnwick::octonus
