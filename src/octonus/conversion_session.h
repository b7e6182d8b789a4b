#ifndef TARNWICK_OCTONUS_CONVERSION_SESSION_H_
#define TARNWICK_OCTONUS_CONVERSION_SESSION_H_

#include <filesystem>
#include <memory>

#include "octonus/discounted_price.h"
#include "spreadsheet/application.h"

namespace tarnwick::octonus {

// What the user chose on the window for a conversion.
struct ConversionOptions {
  std::filesystem::path app_folder;  // holds Price.xls, Discount<k>.xls
  int disc_level = 0;                // CmbDisc: 0 to 5 discount workbooks
  DiscountFormat disc_format = DiscountFormat::kMultiplier;  // CmbDSFormat
};

// The spreadsheet objects the window keeps from Read Price File to the end
// of a conversion run. Owned by the front end.
struct ConversionSession {
  // Started anew by every Read Price File; the batch needs it.
  std::unique_ptr<spreadsheet::Application> application;
};

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_CONVERSION_SESSION_H_
