#include "spreadsheet/package/whole_part.h"

namespace tarnwick::spreadsheet::package {

WholePart::WholePart(ZipPart& part) {
  // The size was counted against the package's limits when the part was
  // opened. The buffer is left unfilled: the part overwrites it at once.
  auto capacity = static_cast<std::size_t>(part.size());
  bytes_.reset(new char[capacity]);
  while (size_ < capacity) {
    std::size_t n = part.Read(bytes_.get() + size_, capacity - size_);
    if (n == 0) break;
    size_ += n;
  }
}

}  // namespace tarnwick::spreadsheet::package
