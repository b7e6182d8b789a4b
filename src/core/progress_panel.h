#ifndef TARNWICK_CORE_PROGRESS_PANEL_H_
#define TARNWICK_CORE_PROGRESS_PANEL_H_

#include "core/host.h"

namespace tarnwick {

// Shows or hides the progress panel with its figures back at the start (an
// empty bar, "0%", "Please wait...") and repaints: how every operation
// starts the panel and how every one leaves it, however it ended.
void ResetProgressPanel(Host& host, bool visible);

}  // namespace tarnwick

#endif  // TARNWICK_CORE_PROGRESS_PANEL_H_
