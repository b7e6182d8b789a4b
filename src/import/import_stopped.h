#ifndef TARNWICK_IMPORT_IMPORT_STOPPED_H_
#define TARNWICK_IMPORT_IMPORT_STOPPED_H_

#include <exception>

#include "core/host.h"

namespace tarnwick::import {

// Thrown when the person stops an import (Ctrl-C on the command line). It is
// no failure, so it is not an Error: the drivers let it pass the handlers
// that name a file or a record, and end the import with nothing saved.
class ImportStopped : public std::exception {
 public:
  const char* what() const noexcept override {
    return "the import was stopped";
  }
};

// Asked before every record and file and before the save.
inline void StopIfRequested(const Host& host) {
  if (host.StopRequested()) throw ImportStopped();
}

// What the user is told; Price.xls and eee.xls stay as they were.
inline constexpr char kImportStoppedMessage[] =
    "The import was stopped. Price.xls was not written.";

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_IMPORT_STOPPED_H_
