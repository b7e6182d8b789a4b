#ifndef TARNWICK_FUZZ_MEMORY_PART_H_
#define TARNWICK_FUZZ_MEMORY_PART_H_

// A workbook part read from memory rather than from an archive, for the
// fuzz targets that give a part to a reader directly.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "spreadsheet/package/zip_package.h"

namespace tarnwick::fuzz {

class MemoryPart : public spreadsheet::package::ZipPart {
 public:
  explicit MemoryPart(std::string_view bytes,
                      std::string name = "xl/worksheets/sheet1.xml")
      : bytes_(bytes), name_(std::move(name)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    std::size_t n = std::min(size, bytes_.size());
    std::memcpy(buffer, bytes_.data(), n);
    bytes_.remove_prefix(n);
    return n;
  }
  const std::string& name() const override { return name_; }
  std::uint64_t size() const override { return bytes_.size(); }

 private:
  std::string_view bytes_;
  std::string name_;
};

}  // namespace tarnwick::fuzz

#endif  // TARNWICK_FUZZ_MEMORY_PART_H_
