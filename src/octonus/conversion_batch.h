#ifndef TARNWICK_OCTONUS_CONVERSION_BATCH_H_
#define TARNWICK_OCTONUS_CONVERSION_BATCH_H_

#include "core/host.h"
#include "core/settings_store.h"
#include "octonus/conversion_session.h"

namespace tarnwick::octonus {

// "Convert into Octonus Format.": writes the Octonus price table of every
// sheet selected in the host's sheet list, in list order, with the progress
// panel, Escape between sheets and rows, and "File Not Proper" on a failure.
void ConvertSelectedSheets(ConversionSession& session,
                           const ConversionOptions& options,
                           SettingsStore& settings, Host& host);

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_CONVERSION_BATCH_H_
