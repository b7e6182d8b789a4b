#include "core/progress_panel.h"

namespace tarnwick {

void ResetProgressPanel(Host& host, bool visible) {
  host.SetProgressVisible(visible);
  host.SetProgressValue(0);
  host.SetProgressPercent("0%");
  host.SetProgressCaption("Please wait...");
  host.Repaint();
}

}  // namespace tarnwick
