#include "spreadsheet/resident_sheets.h"

#include <algorithm>

#include "spreadsheet/sheet_impl.h"

namespace tarnwick::spreadsheet {

void ResidentSheets::Add(Sheet::Impl* sheet) {
  Remove(sheet);
  order_.push_back(sheet);
  while (order_.size() > kLimit) {
    Sheet::Impl* oldest = order_.front();
    order_.pop_front();
    oldest->LetCellsGo();
  }
}

void ResidentSheets::Remove(Sheet::Impl* sheet) {
  auto it = std::find(order_.begin(), order_.end(), sheet);
  if (it != order_.end()) order_.erase(it);
}

}  // namespace tarnwick::spreadsheet
