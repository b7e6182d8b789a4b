#include <algorithm>
#include <cmath>
#include <utility>

#include "core/error.h"
#include "spreadsheet/application.h"
#include "spreadsheet/application_impl.h"
#include "spreadsheet/cell_text.h"
#include "spreadsheet/sheet_impl.h"
#include "spreadsheet/sheet_names.h"
#include "spreadsheet/workbook_impl.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/formula_groups.h"
#include "spreadsheet/xls/unicode_text.h"

namespace tarnwick::spreadsheet {
Sheet::Impl::Impl(Workbook* book, const xls::SheetEntry& entry)
    : book(book),
      name(entry.name),
      visibility(entry.visibility),
      type(entry.type),
      origin(entry.origin),
      source_(entry.source),
      has_cells_(entry.HasCells()),
      data_(entry.data) {}

Sheet::Impl::~Impl() {
  if (ResidentSheets* resident = Resident()) resident->Remove(this);
}

ResidentSheets* Sheet::Impl::Resident() const {
  Application* app = book ? book->impl().app : nullptr;
  return app ? &app->impl().resident : nullptr;
}

void Sheet::Impl::Fetch() const {
  data_ = source_->Load();
  if (ResidentSheets* resident = Resident()) {
    resident->Add(const_cast<Impl*>(this));
  }
}

void Sheet::Impl::LetCellsGo() {
  if (mutable_ == nullptr && source_) data_.reset();
}

void Sheet::Impl::Release() {
  if (ResidentSheets* resident = Resident()) resident->Remove(this);
  data_.reset();
  mutable_ = nullptr;
  // A closed workbook keeps no copy of its file.
  source_.reset();
}

xls::SheetEntry Sheet::Impl::Entry() const {
  return {name, visibility, type, data_, origin, source_};
}

xls::SheetData& Sheet::Impl::Mutable() {
  if (mutable_ == nullptr || data_.use_count() > 1) {
    auto copy = std::make_shared<xls::SheetData>(Data());
    if (mutable_ == nullptr) {
      // Written cells are kept whatever else is decoded.
      if (ResidentSheets* resident = Resident()) resident->Remove(this);
    }
    mutable_ = copy.get();
    data_ = std::move(copy);
  }
  return *mutable_;
}

std::string Sheet::Impl::Describe() const { return "sheet \"" + name + "\""; }

void Sheet::Impl::CheckCells() const {
  book->impl().CheckOpen();
  if (!HasCells()) {
    throw Error(Describe() + " is not a worksheet and has no cells");
  }
}

void ThrowNoCellAt(const std::string& sheet, int row, int column) {
  throw Error(sheet + ": there is no cell at row " + std::to_string(row) +
              ", column " + std::to_string(column));
}

void Sheet::Impl::NoCellAt(int row, int column) const {
  ThrowNoCellAt(Describe(), row, column);
}

// The format a new cell takes, as in a spreadsheet: its row's if the row
// has one of its own, else its column's.
std::uint16_t NewCellFormat(const xls::SheetData& data, std::size_t r,
                            std::size_t c) {
  constexpr std::uint32_t kRowFormatted = 0x80;
  if (r < data.rows.size() &&
      data.rows[r].row_record < data.row_records.size()) {
    std::uint32_t flags =
        xls::GetU32(data.row_records[data.rows[r].row_record].data() + 12);
    if (flags & kRowFormatted) {
      return static_cast<std::uint16_t>((flags >> 16) & 0x0FFF);
    }
  }
  if (c < data.column_xf.size()) return data.column_xf[c];
  return xls::kDefaultXf;
}

xls::StoredCell& Sheet::Impl::CellForWriting(int row, int column) {
  xls::SheetData& data = Mutable();
  auto r = static_cast<std::size_t>(row - 1);
  auto c = static_cast<std::size_t>(column - 1);
  // Only a formula cell can head a group of formulas.
  if (r < data.rows.size() && c < data.rows[r].cells.size() &&
      data.rows[r].cells[c].is_formula) {
    xls::DetachFormulaGroup(data, r, c);
  }
  std::uint16_t xf = NewCellFormat(data, r, c);
  if (data.rows.size() <= r) data.rows.resize(r + 1);
  std::vector<xls::StoredCell>& cells = data.rows[r].cells;
  if (cells.size() <= c) {
    // Rows are mostly filled left to right: grow in steps, not cell by cell.
    if (cells.capacity() <= c) {
      std::size_t room =
          cells.capacity() == 0 ? data.widest_row : 2 * cells.capacity();
      cells.reserve(std::max(c + 1, room));
    }
    if (cells.size() == c) {
      cells.emplace_back();
    } else {
      cells.resize(c + 1);
    }
    data.widest_row =
        std::max(data.widest_row, static_cast<std::uint16_t>(c + 1));
  }
  if (!cells[c].present) cells[c].xf = xf;
  return cells[c];
}

void Sheet::Impl::PutChecked(int row, int column, const CellValue& value) {
  CheckPlace(row, column);
  if (value.kind() == CellKind::kText &&
      xls::Utf16Length(value.text()) > kMaxCellTextLength) {
    throw Error(Describe() + ": a cell holds at most 32767 characters");
  }
  if (value.kind() == CellKind::kNumber && !std::isfinite(value.number())) {
    throw Error(Describe() + ": a cell cannot hold an infinite number");
  }
  if (value.IsEmpty()) {
    // Emptying a cell that does not exist creates nothing.
    const auto& rows = Data().rows;
    auto r = static_cast<std::size_t>(row - 1);
    auto c = static_cast<std::size_t>(column - 1);
    if (r >= rows.size() || c >= rows[r].cells.size() ||
        !rows[r].cells[c].present) {
      return;
    }
  }
  xls::StoredCell& cell = CellForWriting(row, column);
  xls::DropFormula(Data(), cell);
  if (value.IsEmpty() &&
      cell.xf == NewCellFormat(Data(), row - 1, column - 1)) {
    cell = xls::StoredCell();
    return;
  }
  xls::SetValue(*mutable_, cell, value);
}

void Sheet::Impl::PutRow(int row, int column,
                         std::span<const CellValue> values) {
  for (const CellValue& value : values) {
    // A number needs none of the checks of the other kinds of value.
    if (value.kind() == CellKind::kNumber && std::isfinite(value.number())) {
      CheckPlace(row, column);
      xls::StoredCell& cell = CellForWriting(row, column);
      xls::DropFormula(*mutable_, cell);
      xls::SetNumber(cell, value.number());
    } else {
      PutChecked(row, column, value);
    }
    ++column;
  }
}

Sheet::Sheet(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Sheet::~Sheet() = default;

const std::string& Sheet::Name() const { return impl_->name; }

void Sheet::SetName(std::string_view name) {
  impl_->book->impl().CheckOpen();
  CheckSheetName(name);
  if (impl_->book->impl().NameTaken(name, this)) {
    throw Error("cannot name a sheet \"" + std::string(name) +
                "\": the workbook already has a sheet of that name");
  }
  std::string old_name = std::exchange(impl_->name, std::string(name));
  impl_->book->impl().Renamed(*this, old_name);
}

SheetKind Sheet::Kind() const {
  switch (impl_->type) {
    case 0:
      return SheetKind::kWorksheet;
    case 1:
      return SheetKind::kMacro;
    case 2:
      return SheetKind::kChart;
    default:
      return SheetKind::kOther;
  }
}

CellValue Sheet::Cells(int row, int column) const {
  impl_->book->impl().CheckOpen();
  impl_->CheckPlace(row, column);
  const xls::SheetData& data = impl_->Data();
  auto r = static_cast<std::size_t>(row - 1);
  auto c = static_cast<std::size_t>(column - 1);
  if (r >= data.rows.size() || c >= data.rows[r].cells.size()) return {};
  return xls::ValueOf(data, data.rows[r].cells[c]);
}

int Sheet::UsedRows() const {
  impl_->book->impl().CheckOpen();
  const auto& rows = impl_->Data().rows;
  std::size_t n = rows.size();
  while (n > 0 && rows[n - 1].cells.empty()) --n;
  return static_cast<int>(n);
}

int Sheet::UsedColumns() const {
  impl_->book->impl().CheckOpen();
  std::size_t n = 0;
  for (const auto& row : impl_->Data().rows) n = std::max(n, row.cells.size());
  return static_cast<int>(n);
}

void Sheet::SetCells(int row, int column, std::string_view text) {
  impl_->Put(row, column, EnteredValue(text));
}

void Sheet::SetCells(int row, int column, double number) {
  impl_->Put(row, column, CellValue::Number(number));
}

void Sheet::SetCells(int row, int column, const CellValue& value) {
  impl_->Put(row, column, value);
}

void Sheet::SetRow(int row, int column, std::span<const CellValue> values) {
  impl_->CheckCells();
  impl_->PutRow(row, column, values);
}

Sheet& Sheet::Copy(Sheet& after) {
  Workbook::Impl& book = impl_->book->impl();
  book.CheckOpen();
  if (&after.Parent() != impl_->book) {
    throw Error(impl_->Describe() +
                ": a sheet is copied only within its own workbook");
  }
  xls::SheetEntry entry = impl_->Entry();
  entry.origin = -1;
  entry.name = CopyName(impl_->name, [&](std::string_view candidate) {
    return book.NameTaken(candidate, nullptr);
  });
  auto copy = std::make_unique<Sheet>(
      std::make_unique<Sheet::Impl>(impl_->book, entry));
  return book.InsertSheet(book.IndexOf(after) + 1, std::move(copy));
}

void Sheet::Select() {
  Workbook::Impl& book = impl_->book->impl();
  book.CheckOpen();
  book.active = book.IndexOf(*this);
}

Workbook& Sheet::Parent() const { return *impl_->book; }

}  // namespace tarnwick::spreadsheet
