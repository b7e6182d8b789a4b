#include "spreadsheet/xls/sheet_references.h"

#include "spreadsheet/xls/byte_order.h"

namespace tarnwick::spreadsheet::xls {
namespace {

constexpr std::uint16_t kExternSheet = 0x0017;
constexpr std::uint16_t kName = 0x0018;
constexpr std::uint16_t kSupBook = 0x01AE;
// A SUPBOOK whose second field is 0x0401 stands for the workbook itself.
constexpr std::uint16_t kOwnWorkbook = 0x0401;

bool IsOwnSupBook(const std::string& data) {
  return data.size() == 4 && GetU16(data.data() + 2) == kOwnWorkbook;
}

}  // namespace

SheetReferences::SheetReferences(const BookData& book)
    : sheet_count_(static_cast<std::uint16_t>(book.sheets.size())) {
  for (std::size_t i = 0; i < book.sheets.size(); ++i) {
    int origin = book.sheets[i].origin;
    if (origin < 0) continue;
    if (new_place_.size() <= static_cast<std::size_t>(origin)) {
      new_place_.resize(origin + 1, -1);
    }
    new_place_[origin] = static_cast<int>(i);
    if (origin != static_cast<int>(i)) moved_ = true;
  }
  int index = 0;
  for (const Record& r : *book.globals) {
    if (r.type != kSupBook) continue;
    if (IsOwnSupBook(r.data)) {
      own_supbook_ = index;
      break;
    }
    ++index;
  }
}

bool SheetReferences::Concerns(std::uint16_t type) {
  return type == kSupBook || type == kExternSheet || type == kName;
}

std::uint16_t SheetReferences::NewPlace(std::uint16_t old_place) const {
  if (old_place >= new_place_.size() || new_place_[old_place] < 0) {
    return old_place;  // a special value (deleted sheet, whole workbook)
  }
  return static_cast<std::uint16_t>(new_place_[old_place]);
}

void SheetReferences::Patch(std::uint16_t type, std::string& data) const {
  if (type == kSupBook) {
    if (IsOwnSupBook(data)) PutU16(data.data(), sheet_count_);
    return;
  }
  if (!moved_) return;
  if (type == kName && data.size() >= 10) {
    std::uint16_t itab = GetU16(data.data() + 8);  // 1-based, 0 = workbook
    if (itab > 0) PutU16(data.data() + 8, NewPlace(itab - 1) + 1);
    return;
  }
  if (type == kExternSheet && data.size() >= 2) {
    std::size_t count = GetU16(data.data());
    for (std::size_t k = 0; k < count && 2 + 6 * (k + 1) <= data.size(); ++k) {
      char* xti = data.data() + 2 + 6 * k;
      if (GetU16(xti) != own_supbook_) continue;
      PutU16(xti + 2, NewPlace(GetU16(xti + 2)));
      PutU16(xti + 4, NewPlace(GetU16(xti + 4)));
    }
  }
}

}  // namespace tarnwick::spreadsheet::xls
