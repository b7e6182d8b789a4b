#ifndef TARNWICK_APP_CORE_OPERATIONS_H_
#define TARNWICK_APP_CORE_OPERATIONS_H_

#include "app/window_operations.h"
#include "import/price_module.h"
#include "octonus/conversion_session.h"

namespace tarnwick::app {

// The window's operations as the core performs them. Holds the spreadsheet
// instance started by Read Price File (used by the conversion) and the
// PriceModule the imports share, for as long as the window lives.
class CoreOperations : public WindowOperations {
 public:
  CoreOperations();
  ~CoreOperations() override;

  void ReadPriceFile(const octonus::ConversionOptions& options,
                     Host& host) override;
  void ConvertSelectedSheets(const octonus::ConversionOptions& options,
                             SettingsStore& settings, Host& host) override;
  void ConvertDBFFiles(const std::filesystem::path& app_folder,
                       const std::filesystem::path& folder,
                       Host& host) override;
  void ConvertCSVFiles(const std::filesystem::path& app_folder,
                       const std::filesystem::path& folder,
                       Host& host) override;
  void OpenApplicationFolder(const std::filesystem::path& app_folder,
                             Host& host) override;

 private:
  octonus::ConversionSession session_;
  import::PriceModule module_;
};

}  // namespace tarnwick::app

#endif  // TARNWICK_APP_CORE_OPERATIONS_H_
