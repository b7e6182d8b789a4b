#ifndef TARNWICK_SPREADSHEET_PACKAGE_WHOLE_PART_H_
#define TARNWICK_SPREADSHEET_PACKAGE_WHOLE_PART_H_

// A part unpacked whole at once, which costs less than piece by piece, for
// a reader that goes over it in memory.

#include <cstddef>
#include <memory>
#include <string_view>

#include "spreadsheet/package/zip_package.h"

namespace tarnwick::spreadsheet::package {

class WholePart {
 public:
  // Throws Error when the part cannot be unpacked, as ZipPart::Read does.
  explicit WholePart(ZipPart& part);

  std::string_view bytes() const { return {bytes_.get(), size_}; }

 private:
  std::unique_ptr<char[]> bytes_;
  std::size_t size_ = 0;
};

}  // namespace tarnwick::spreadsheet::package

#endif  // TARNWICK_SPREADSHEET_PACKAGE_WHOLE_PART_H_
