#ifndef TARNWICK_SPREADSHEET_PACKAGE_WHOLE_PART_H_
#define TARNWICK_SPREADSHEET_PACKAGE_WHOLE_PART_H_

// A part unpacked whole at once, which costs less than piece by piece, so a
// fast reader can go over it; read as a ZipPart, it gives the same bytes
// again, and a fault met unpacking it is thrown where the archive threw it,
// so a parser reading it afterwards fares exactly as on the archive.

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "spreadsheet/package/zip_package.h"

namespace tarnwick::spreadsheet::package {

class WholePart : public ZipPart {
 public:
  explicit WholePart(std::unique_ptr<ZipPart> part);

  // What could be unpacked: all of it when complete().
  std::string_view bytes() const { return {bytes_.get(), size_}; }
  bool complete() const { return !fault_; }

  std::size_t Read(char* buffer, std::size_t size) override;
  const std::string& name() const override { return part_->name(); }
  std::uint64_t size() const override { return part_->size(); }

 private:
  std::unique_ptr<ZipPart> part_;
  std::unique_ptr<char[]> bytes_;
  std::size_t size_ = 0;
  std::size_t read_ = 0;  // what Read has given
  std::exception_ptr fault_;
};

}  // namespace tarnwick::spreadsheet::package

#endif  // TARNWICK_SPREADSHEET_PACKAGE_WHOLE_PART_H_
