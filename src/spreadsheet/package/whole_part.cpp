#include "spreadsheet/package/whole_part.h"

#include <algorithm>
#include <cstring>

#include "core/error.h"

namespace tarnwick::spreadsheet::package {

WholePart::WholePart(std::unique_ptr<ZipPart> part) : part_(std::move(part)) {
  // The size was counted against the package's limits when it was opened;
  // the buffer is left unfilled, since the part overwrites it at once.
  auto capacity = static_cast<std::size_t>(part_->size());
  bytes_.reset(new char[capacity]);
  try {
    while (size_ < capacity) {
      std::size_t n = part_->Read(bytes_.get() + size_, capacity - size_);
      if (n == 0) break;
      size_ += n;
    }
  } catch (const Error&) {
    fault_ = std::current_exception();
  }
}

std::size_t WholePart::Read(char* buffer, std::size_t size) {
  std::size_t n = std::min(size, size_ - read_);
  if (n == 0 && fault_) std::rethrow_exception(fault_);
  std::memcpy(buffer, bytes_.get() + read_, n);
  read_ += n;
  return n;
}

}  // namespace tarnwick::spreadsheet::package
