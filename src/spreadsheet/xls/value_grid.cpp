#include "spreadsheet/xls/value_grid.h"

#include <unordered_map>

#include "core/error.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/cell_records.h"
#include "spreadsheet/xls/record.h"
#include "spreadsheet/xls/record_reader.h"
#include "spreadsheet/xls/rk_number.h"

namespace tarnwick::spreadsheet::xls {
namespace {

// Past this many cells a sheet is decoded as usual rather than laid out.
constexpr std::uint64_t kMostCells = 1 << 22;

class GridBuilder {
 public:
  explicit GridBuilder(const std::vector<std::string>& strings)
      : strings_(strings) {}

  // Each returns false when the sheet is to be decoded as usual instead.
  bool Size(std::string_view dimensions);
  bool Cell(const RecordView& r);
  bool Rk(const RecordView& r) {
    const char* p = r.data.data();
    return r.data.size() >= 10 &&
           Put(GetU16(p), GetU16(p + 2), ValueGrid::kNumber,
               DecodeRk(GetU32(p + 6)));
  }
  std::shared_ptr<const ValueGrid> Take() { return std::move(grid_); }

 private:
  bool Put(std::uint16_t row, std::uint16_t column, ValueGrid::Kind kind,
           double number = 0) {
    if (!grid_ || row >= grid_->rows || column >= grid_->columns) return false;
    std::size_t at = std::size_t{row} * grid_->columns + column;
    grid_->kinds[at] = kind;
    grid_->numbers[at] = number;
    return true;
  }

  // A shared text as the grid holds it: its slot in the grid's texts.
  double TextSlot(std::uint32_t index) {
    auto [it, added] = slots_.try_emplace(
        index, static_cast<std::uint32_t>(grid_ ? grid_->texts.size() : 0));
    if (added && grid_) grid_->texts.push_back(strings_[index]);
    return it->second;
  }

  const std::vector<std::string>& strings_;
  std::shared_ptr<ValueGrid> grid_;
  std::unordered_map<std::uint32_t, std::uint32_t> slots_;  // table -> grid
};

bool GridBuilder::Size(std::string_view d) {
  if (grid_ || d.size() < 12) return false;
  std::uint32_t rows = GetU32(d.data() + 4);
  std::uint32_t columns = GetU16(d.data() + 10);
  if (rows > 65536 || columns > 256 ||
      std::uint64_t{rows} * columns > kMostCells) {
    return false;
  }
  grid_ = std::make_shared<ValueGrid>();
  grid_->rows = rows;
  grid_->columns = columns;
  grid_->numbers =
      std::make_unique_for_overwrite<double[]>(std::size_t{rows} * columns);
  grid_->kinds.resize(std::size_t{rows} * columns, ValueGrid::kEmpty);
  return true;
}

// The cell records the decoded sheet accepts without a word, each as that
// sheet would show it; any other is left to the usual decoding.
bool GridBuilder::Cell(const RecordView& r) {
  const char* p = r.data.data();
  std::size_t size = r.data.size();
  switch (r.type) {
    case rt::kRk:
      return Rk(r);
    case rt::kNumber:
      return size >= 14 &&
             Put(GetU16(p), GetU16(p + 2), ValueGrid::kNumber, GetF64(p + 6));
    case rt::kMulRk: {
      if (size < 6) return false;
      std::uint16_t row = GetU16(p);
      std::uint16_t first = GetU16(p + 2);
      for (std::size_t k = 0; k < (size - 6) / 6; ++k) {
        auto column = static_cast<std::uint16_t>(first + k);
        if (!Put(row, column, ValueGrid::kNumber,
                 DecodeRk(GetU32(p + 4 + 6 * k + 2)))) {
          return false;
        }
      }
      return true;
    }
    case rt::kLabelSst:
      return size >= 10 && grid_ && GetU32(p + 6) < strings_.size() &&
             Put(GetU16(p), GetU16(p + 2), ValueGrid::kText,
                 TextSlot(GetU32(p + 6)));
    case rt::kBoolErr:
      return size >= 8 && Put(GetU16(p), GetU16(p + 2), ValueGrid::kOther);
    case rt::kBlank:
      return size >= 6 && Put(GetU16(p), GetU16(p + 2), ValueGrid::kEmpty);
    case rt::kMulBlank: {
      if (size < 6) return false;
      std::uint16_t row = GetU16(p);
      std::uint16_t first = GetU16(p + 2);
      for (std::size_t k = 0; k < (size - 6) / 2; ++k) {
        if (!Put(row, static_cast<std::uint16_t>(first + k),
                 ValueGrid::kEmpty)) {
          return false;
        }
      }
      return true;
    }
    case rt::kRow:
      return size >= 16;
    default:
      return false;  // formulas, texts of their own, strays
  }
}

std::shared_ptr<const ValueGrid> ReadGrid(
    std::string_view stream, std::uint32_t offset,
    const std::vector<std::string>& strings) {
  RecordReader reader(stream, offset, "");
  RecordView bof = reader.Next();
  if (bof.type != rt::kBof || bof.data.size() < 4 ||
      GetU16(bof.data.data() + 2) != kBofWorksheet) {
    return nullptr;
  }
  GridBuilder grid(strings);
  int depth = 0;
  for (;;) {
    RecordView r = reader.Next();
    if (depth == 0) {
      // Most records of a price or discount sheet are RK numbers.
      if (r.type == rt::kRk) {
        if (!grid.Rk(r)) return nullptr;
        continue;
      }
      if (r.type == rt::kDimensions) {
        if (!grid.Size(r.data)) return nullptr;
        continue;
      }
      if (IsCellRecord(r.type)) {
        if (!grid.Cell(r)) return nullptr;
        continue;
      }
    }
    if (r.type == rt::kBof) ++depth;
    if (r.type == rt::kEof && depth-- == 0) break;
  }
  return grid.Take();
}

}  // namespace

std::shared_ptr<const ValueGrid> DecodeValueGrid(
    std::string_view stream, std::uint32_t offset,
    const std::vector<std::string>& strings) {
  try {
    return ReadGrid(stream, offset, strings);
  } catch (const Error&) {
    return nullptr;  // the usual decoding says what is wrong
  }
}

}  // namespace tarnwick::spreadsheet::xls
