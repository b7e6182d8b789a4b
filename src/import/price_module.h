#ifndef TARNWICK_IMPORT_PRICE_MODULE_H_
#define TARNWICK_IMPORT_PRICE_MODULE_H_

// The state the two imports keep between their procedures and from one run
// to the next: one object, owned by the front end (window or command line)
// and handed to every import, so nothing of it is global.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/platform.h"
#include "spreadsheet/application.h"

namespace tarnwick::import {

struct CsvImportState {
  // The sample colour list; entries the sample file does not reach keep the
  // previous run's values.
  std::array<std::string, 27> sample_colors;
  int max_color_index = 25;    // highest colour row of the price grid
  int max_clarity_index = 10;  // highest clarity column of the price grid
  bool block_pending = false;
  bool continue_csv = false;
  int dict_missing = 0;
  std::vector<std::string> color_list;    // System/Color.txt
  std::vector<std::string> clarity_list;  // System/Clarity.txt
  // The files' states when the lists were read: an import of many files
  // reads a dictionary again only once it has changed.
  std::optional<platform::FileStamp> color_stamp;
  std::optional<platform::FileStamp> clarity_stamp;
};

struct PriceModule {
  // The spreadsheet instance of the last import, replaced by every run.
  std::unique_ptr<spreadsheet::Application> application;
  CsvImportState csv;
};

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_PRICE_MODULE_H_
