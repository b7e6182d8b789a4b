#ifndef TARNWICK_SPREADSHEET_PACKAGE_ZIP_PACKAGE_H_
#define TARNWICK_SPREADSHEET_PACKAGE_ZIP_PACKAGE_H_

// The ZIP archive around an .xlsx or .ods workbook, read through libgsf.
// A damaged archive, and one whose parts would unpack to more than a
// workbook ever needs, is refused with a reason that names the file.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

namespace tarnwick::spreadsheet::package {

// What every part of one workbook may unpack to, in all.
inline constexpr std::uint64_t kMaxUnpackedBytes = 512ull << 20;
// Deflate packs real documents some 10 to 100 to 1; far more is a bomb.
inline constexpr std::uint64_t kMaxPackingRatio = 1000;

// One part being unpacked, read in pieces.
class ZipPart {
 public:
  virtual ~ZipPart() = default;
  // Up to `size` bytes into `buffer`; 0 at the end of the part. Throws
  // Error when the part cannot be unpacked.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
  virtual const std::string& name() const = 0;
  // What the part unpacks to, as the archive's directory gives it.
  virtual std::uint64_t size() const = 0;
};

// Sheets are unpacked when first read, so a workbook keeps its package open
// as long as it may read them.
class ZipPackage {
 public:
  // Reads the archive's directory. `owner` holds `bytes`; without one,
  // `bytes` must outlive the package. `what` names the file in errors.
  ZipPackage(std::string_view bytes, std::string what,
             std::shared_ptr<const void> owner = nullptr);
  ~ZipPackage();
  ZipPackage(const ZipPackage&) = delete;
  ZipPackage& operator=(const ZipPackage&) = delete;

  // `name` is a path inside the archive ("xl/workbook.xml").
  bool Has(std::string_view name) const;
  // Counts the part against the limits, once however often it is opened.
  // Throws Error when the part is missing or would unpack beyond them.
  void Count(std::string_view name);
  // Throws as Count does.
  std::unique_ptr<ZipPart> Open(std::string_view name);
  const std::string& what() const { return what_; }

 private:
  struct Archive;
  struct Found;
  Found Find(std::string_view name) const;
  void Count(std::string_view name, std::uint64_t size);

  std::shared_ptr<const void> owner_;
  std::unique_ptr<Archive> archive_;
  std::string what_;
  std::uint64_t file_size_;
  std::uint64_t unpacked_ = 0;
  std::unordered_set<std::string> counted_;
};

}  // namespace tarnwick::spreadsheet::package

#endif  // TARNWICK_SPREADSHEET_PACKAGE_ZIP_PACKAGE_H_
