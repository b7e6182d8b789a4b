#ifndef TARNWICK_APP_WINDOW_OPERATIONS_H_
#define TARNWICK_APP_WINDOW_OPERATIONS_H_

#include <filesystem>

#include "core/host.h"
#include "core/settings_store.h"
#include "octonus/conversion_session.h"

namespace tarnwick::app {

// The operations behind the window's command buttons and menu. The window owns
// one of these; the real one (CoreOperations) holds the spreadsheet objects
// that live from one click to the next, and tests put a recording one in its
// place to watch the window's side of each click.
class WindowOperations {
 public:
  virtual ~WindowOperations() = default;
  // BtnRead
  virtual void ReadPriceFile(const octonus::ConversionOptions& options,
                             Host& host) = 0;
  // BtnWrite
  virtual void ConvertSelectedSheets(const octonus::ConversionOptions& options,
                                     SettingsStore& settings, Host& host) = 0;
  // BtnDBF and BtnCSV, inside the panel protocol the window runs around them.
  virtual void ConvertDBFFiles(const std::filesystem::path& app_folder,
                               const std::filesystem::path& folder,
                               Host& host) = 0;
  virtual void ConvertCSVFiles(const std::filesystem::path& app_folder,
                               const std::filesystem::path& folder,
                               Host& host) = 0;
  // File > Open Application Folder: shows the folder in the desktop's file
  // manager.
  virtual void OpenApplicationFolder(const std::filesystem::path& app_folder,
                                     Host& host) = 0;
};

}  // namespace tarnwick::app

#endif  // TARNWICK_APP_WINDOW_OPERATIONS_H_
