#include "app/core_operations.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include "import/csv/convert_csv_files.h"
#include "import/dbf/convert_dbf_files.h"
#include "octonus/conversion_batch.h"
#include "octonus/read_price_file.h"

namespace tarnwick::app {

CoreOperations::CoreOperations() = default;
CoreOperations::~CoreOperations() = default;

void CoreOperations::ReadPriceFile(const octonus::ConversionOptions& options,
                                   Host& host) {
  tarnwick::octonus::ReadPriceFile(session_, options, host);
}

void CoreOperations::ConvertSelectedSheets(
    const octonus::ConversionOptions& options, SettingsStore& settings,
    Host& host) {
  tarnwick::octonus::ConvertSelectedSheets(session_, options, settings, host);
}

void CoreOperations::ConvertDBFFiles(const std::filesystem::path& app_folder,
                                     const std::filesystem::path& folder,
                                     Host& host) {
  tarnwick::import::ConvertDBFFiles(app_folder, folder, module_, host);
}

void CoreOperations::ConvertCSVFiles(const std::filesystem::path& app_folder,
                                     const std::filesystem::path& folder,
                                     Host& host) {
  tarnwick::import::ConvertCSVFiles(app_folder, folder, module_, host);
}

void CoreOperations::OpenApplicationFolder(
    const std::filesystem::path& app_folder, Host& host) {
  const QUrl url =
      QUrl::fromLocalFile(QString::fromStdString(app_folder.string()));
  if (!QDesktopServices::openUrl(url)) {
    host.ShowMessage("No file manager could open " + app_folder.string(),
                     MessageIcon::kCritical, "");
  }
}

}  // namespace tarnwick::app
