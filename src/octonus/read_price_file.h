#ifndef TARNWICK_OCTONUS_READ_PRICE_FILE_H_
#define TARNWICK_OCTONUS_READ_PRICE_FILE_H_

#include "core/host.h"
#include "octonus/conversion_session.h"

namespace tarnwick::octonus {

// "Read Price File": starts a new spreadsheet application in the session,
// lists the sheets of Price.xls in the host's sheet list, all selected, and
// checks that the discount workbooks of the chosen level exist.
void ReadPriceFile(ConversionSession& session, const ConversionOptions& options,
                   Host& host);

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_READ_PRICE_FILE_H_
