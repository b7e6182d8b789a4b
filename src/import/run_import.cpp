#include "import/run_import.h"

#include "core/progress_panel.h"

namespace tarnwick::import {
namespace {

// Hides the panel and restores the pointer when the import ends, however.
class PanelGuard {
 public:
  explicit PanelGuard(Host& host) : host_(host) {
    host_.SetBusyPointer(true);
    ResetProgressPanel(host_, true);
  }
  ~PanelGuard() {
    ResetProgressPanel(host_, false);
    host_.SetBusyPointer(false);
  }
  PanelGuard(const PanelGuard&) = delete;
  PanelGuard& operator=(const PanelGuard&) = delete;

 private:
  Host& host_;
};

}  // namespace

void RunImport(int file_list_count, Host& host,
               const std::function<void()>& import) {
  if (file_list_count < 1) {
    host.ShowMessage("There is no file to read...", MessageIcon::kInformation);
    return;
  }
  PanelGuard guard(host);
  import();
}

}  // namespace tarnwick::import
