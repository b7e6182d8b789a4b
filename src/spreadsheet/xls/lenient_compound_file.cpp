#include "spreadsheet/xls/lenient_compound_file.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/letter_case.h"
#include "spreadsheet/xls/byte_order.h"

namespace tarnwick::spreadsheet::xls {
namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::size_t kHeaderFatSectors = 109;
constexpr std::size_t kEntrySize = 128;
constexpr std::uint8_t kStreamEntry = 2;
constexpr std::size_t kMiniSectorSize = 64;
// Smaller streams lie in the mini stream. The header repeats the number, but
// some writers put 0 there while still using the mini stream.
constexpr std::uint32_t kMiniStreamCutoff = 4096;

// Thrown where the file cannot be read safely; never leaves this file.
struct Unsafe {};

// The file as numbered sectors after its header sector.
class Sectors {
 public:
  explicit Sectors(std::string_view file) : file_(file) {
    if (file.size() < 512) throw Unsafe();
    std::uint16_t shift = GetU16(file.data() + 0x1E);
    if (shift != 9 && shift != 12) throw Unsafe();
    size_ = std::size_t{1} << shift;
    if (file.size() <= size_) throw Unsafe();
    // A last sector cut short still counts: writers that do not pad the
    // file's end leave one, and only what it holds is read.
    count_ = (file.size() - 1) / size_;
  }

  std::size_t Size() const { return size_; }
  std::size_t Count() const { return count_; }
  // The sectors, one after another.
  std::string_view Body() const { return file_.substr(size_); }
  // Sector `i` (below Count()) as far as the file holds it.
  std::string_view At(std::uint32_t i) const {
    return Body().substr(i * size_, size_);
  }

 private:
  std::string_view file_;
  std::size_t size_ = 0;
  std::size_t count_ = 0;
};

void AppendEntries(std::vector<std::uint32_t>& table, std::string_view bytes) {
  for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) {
    table.push_back(GetU32(bytes.data() + at));
  }
}

// The allocation table, from the FAT sectors the header lists and then the
// DIFAT chain. The header's counts are only a guide: writers leave the
// count of FAT sectors at 0, list unused slots as sector 0 rather than free,
// or count a DIFAT sector they never wrote. The list ends at its first entry
// outside the file or seen before, at the count when one is given, and once
// the table covers every sector.
std::vector<std::uint32_t> ReadFat(const Sectors& sectors,
                                   std::string_view header) {
  const std::uint32_t declared = GetU32(header.data() + 0x2C);
  std::vector<std::uint32_t> fat;
  std::vector<bool> used(sectors.Count());
  std::uint32_t listed = 0;
  auto add = [&](std::uint32_t sector) {
    if (sector >= sectors.Count() || used[sector] ||
        (declared != 0 && listed == declared) ||
        fat.size() >= sectors.Count()) {
      return false;
    }
    used[sector] = true;
    ++listed;
    AppendEntries(fat, sectors.At(sector));
    return true;
  };
  for (std::size_t k = 0; k < kHeaderFatSectors; ++k) {
    if (!add(GetU32(header.data() + 0x4C + 4 * k))) return fat;
  }
  const std::size_t per_sector = sectors.Size() / 4 - 1;
  std::uint32_t difat = GetU32(header.data() + 0x44);
  while (difat < sectors.Count() && !used[difat]) {
    used[difat] = true;
    std::string_view bytes = sectors.At(difat);
    if (bytes.size() < sectors.Size()) break;
    for (std::size_t k = 0; k < per_sector; ++k) {
      if (!add(GetU32(bytes.data() + 4 * k))) return fat;
    }
    difat = GetU32(bytes.data() + 4 * per_sector);
  }
  return fat;
}

// The sectors of the chain from `start`, each below `count` and met once.
std::vector<std::uint32_t> Chain(const std::vector<std::uint32_t>& table,
                                 std::uint32_t start, std::size_t count) {
  std::vector<std::uint32_t> chain;
  std::vector<bool> seen(count);
  for (std::uint32_t s = start; s != kEndOfChain; s = table[s]) {
    if (s >= count || s >= table.size() || seen[s]) throw Unsafe();
    seen[s] = true;
    chain.push_back(s);
  }
  return chain;
}

// The bytes of a chain of `unit`-byte pieces of `whole`, at most `limit`;
// they end early at a piece the file cut short, never leaving a gap.
std::string Gather(std::string_view whole, std::size_t unit,
                   const std::vector<std::uint32_t>& chain, std::size_t limit) {
  std::string out;
  for (std::uint32_t s : chain) {
    std::string_view piece =
        whole.substr(std::min(s * unit, whole.size()), unit);
    out.append(piece.substr(0, limit - out.size()));
    if (out.size() == limit || piece.size() < unit) break;
  }
  return out;
}

std::string StreamOf(const Sectors& sectors,
                     const std::vector<std::uint32_t>& fat, std::uint32_t start,
                     std::size_t limit) {
  return Gather(sectors.Body(), sectors.Size(),
                Chain(fat, start, sectors.Count()), limit);
}

// An entry's name; a length outside the entry's name field (some writers
// leave it unset) is read up to the name's terminating zero instead.
std::string NameOf(const char* entry) {
  std::uint16_t length = GetU16(entry + 0x40);
  std::size_t units = length >= 2 && length <= 64 ? length / 2 - 1 : 32;
  std::string name;
  for (std::size_t k = 0; k < units; ++k) {
    std::uint16_t c = GetU16(entry + 2 * k);
    if (c == 0) break;
    name.push_back(c < 0x80 ? static_cast<char>(c) : '\x7F');
  }
  return name;
}

// The root's stream entry with the first of `names` it holds, or -1. The
// entries form a tree through their sibling fields; a walk that meets an
// entry twice or one outside the directory leaves it, whatever its colour.
long FindInRoot(std::string_view directory,
                std::initializer_list<std::string_view> names) {
  const std::size_t count = directory.size() / kEntrySize;
  if (count == 0) throw Unsafe();
  std::vector<bool> seen(count);
  seen[0] = true;
  std::vector<std::uint32_t> to_visit = {GetU32(directory.data() + 0x4C)};
  long found = -1;
  std::size_t rank = names.size();
  while (!to_visit.empty()) {
    std::uint32_t i = to_visit.back();
    to_visit.pop_back();
    if (i >= count || seen[i]) continue;
    seen[i] = true;
    const char* entry = directory.data() + i * kEntrySize;
    if (static_cast<std::uint8_t>(entry[0x42]) == kStreamEntry) {
      std::string name = NameOf(entry);
      std::size_t r = 0;
      for (std::string_view wanted : names) {
        if (r < rank && SameIgnoringCase(name, wanted)) {
          rank = r;
          found = i;
        }
        ++r;
      }
    }
    to_visit.push_back(GetU32(entry + 0x44));
    to_visit.push_back(GetU32(entry + 0x48));
  }
  return found;
}

std::optional<std::string> ReadRootStream(
    std::string_view file, std::initializer_list<std::string_view> names) {
  Sectors sectors(file);
  std::string_view header = file.substr(0, 512);
  std::vector<std::uint32_t> fat = ReadFat(sectors, header);
  std::string directory =
      StreamOf(sectors, fat, GetU32(header.data() + 0x30), file.size());
  long index = FindInRoot(directory, names);
  if (index < 0) return std::nullopt;
  const char* entry = directory.data() + index * kEntrySize;
  std::uint32_t start = GetU32(entry + 0x74);
  // A size beyond the chain is cut to it; a v3 file's upper half of the
  // size field is left as other writers leave it, unread.
  std::uint32_t size = GetU32(entry + 0x78);
  if (size >= kMiniStreamCutoff) return StreamOf(sectors, fat, start, size);
  std::string mini =
      StreamOf(sectors, fat, GetU32(directory.data() + 0x74), file.size());
  std::vector<std::uint32_t> mini_fat;
  AppendEntries(mini_fat, StreamOf(sectors, fat, GetU32(header.data() + 0x3C),
                                   file.size()));
  std::size_t mini_count =
      (mini.size() + kMiniSectorSize - 1) / kMiniSectorSize;
  return Gather(mini, kMiniSectorSize, Chain(mini_fat, start, mini_count),
                size);
}

}  // namespace

std::optional<std::string> ReadRootStreamLeniently(
    std::string_view file, std::initializer_list<std::string_view> names) {
  try {
    return ReadRootStream(file, names);
  } catch (const Unsafe&) {
    return std::nullopt;
  }
}

}  // namespace tarnwick::spreadsheet::xls
