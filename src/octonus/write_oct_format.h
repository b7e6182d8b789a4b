#ifndef TARNWICK_OCTONUS_WRITE_OCT_FORMAT_H_
#define TARNWICK_OCTONUS_WRITE_OCT_FORMAT_H_

#include "core/host.h"
#include "core/settings_store.h"
#include "octonus/conversion_session.h"
#include "octonus/run_copies.h"

namespace tarnwick::octonus {

// Writes the Octonus price table of the sheet at `sheet_index` (1-based) of
// the application folder's Price.xls into "<sheet name>.txt" beside it, with
// the discount levels and rounding of the options and the stored settings.
//
// The conditions a person can act on (no price workbook, No after a missing
// discount workbook, a too-large cell, no end marker) are shown through the
// host and the call returns normally; every other failure is a
// tarnwick::Error for the batch. The output file is closed on every path;
// the workbook copies opened go to `copies`, which the batch releases.
void WriteOCTFormat(ConversionSession& session, int sheet_index,
                    const ConversionOptions& options, SettingsStore& settings,
                    Host& host, RunCopies& copies);

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_WRITE_OCT_FORMAT_H_
