#ifndef TARNWICK_SPREADSHEET_APPLICATION_H_
#define TARNWICK_SPREADSHEET_APPLICATION_H_

// The in-process spreadsheet engine: the operations Tarnwick asks of a
// spreadsheet application, over Excel 97-2003 workbooks held in memory.
//
//   Application app;
//   Workbook& book = app.Workbooks().Add(folder / "Price.xls");  // a copy
//   Sheet& sheet = book.Sheets().Item(1);
//   CellValue v = sheet.Cells(1, 1);
//   sheet.SetCells(1, 2, "12.5");   // typed text: stored as the number 12.5
//   book.SaveAs(folder / "Out.xls");
//   book.Close();
//
// Every failure is a tarnwick::Error whose reason names the file or sheet.
// Rows and columns are 1-based (1..65536, 1..256). References to workbooks
// and sheets stay valid until the Application is destroyed; a closed workbook
// refuses every further operation.

#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/cell_value.h"

namespace tarnwick::spreadsheet {

class Application;
class Workbook;
class Sheet;

enum class SheetKind { kWorksheet, kChart, kMacro, kOther };

// `Sheets` or `Worksheets` of a workbook: a view, cheap to copy.
class SheetCollection {
 public:
  int Count() const;
  Sheet& Item(int index) const;              // 1-based
  Sheet& Item(std::string_view name) const;  // letter case ignored

 private:
  friend class Workbook;
  SheetCollection(Workbook* book, bool worksheets_only)
      : book_(book), worksheets_only_(worksheets_only) {}
  Workbook* book_;
  bool worksheets_only_;
};

class Sheet {
 public:
  ~Sheet();
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;

  const std::string& Name() const;
  // Spreadsheet rules: 1 to 31 characters, none of : \ / ? * [ ], unique in
  // the workbook without regard to letter case.
  void SetName(std::string_view name);
  SheetKind Kind() const;

  CellValue Cells(int row, int column) const;
  // Bounds of the cells held: every cell that is not empty lies in rows
  // 1..UsedRows() and columns 1..UsedColumns() (0 and 0 for no cells).
  int UsedRows() const;
  int UsedColumns() const;
  // A text that reads as a plain decimal number as a whole is stored as that
  // number, an empty text empties the cell (its format stays), any other text
  // is stored as text.
  void SetCells(int row, int column, std::string_view text);
  void SetCells(int row, int column, const char* text) {
    SetCells(row, column, std::string_view(text));
  }
  void SetCells(int row, int column, double number);
  void SetCells(int row, int column, const CellValue& value);
  // Writes `values` into the cells of `row` from `column` on, as SetCells
  // of each in turn would, checking the sheet once rather than per cell.
  void SetRow(int row, int column, std::span<const CellValue> values);

  // Copies this sheet to land right after `after` (a sheet of the same
  // workbook); the copy is named as spreadsheets name copies, "Name (2)".
  Sheet& Copy(Sheet& after);
  void Select();
  Workbook& Parent() const;

  class Impl;
  explicit Sheet(std::unique_ptr<Impl> impl);
  Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

class Workbook {
 public:
  ~Workbook();
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  SheetCollection Sheets() { return SheetCollection(this, false); }
  SheetCollection Worksheets() { return SheetCollection(this, true); }
  Sheet& ActiveSheet();
  // A new empty worksheet after the last sheet, for tools and tests that
  // build workbooks from nothing.
  Sheet& AddWorksheet(std::string_view name);

  // Writes the workbook beside `path` and renames it over `path`, so a failed
  // save leaves an older file whole.
  void SaveAs(const std::filesystem::path& path);
  // Releases the workbook without saving and without asking.
  void Close();
  bool IsOpen() const;

  class Impl;
  explicit Workbook(std::unique_ptr<Impl> impl);
  Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

class WorkbookCollection {
 public:
  // A new unsaved workbook whose sheets copy the file's; the file is never
  // changed.
  Workbook& Add(const std::filesystem::path& template_file);
  // A blank workbook with one empty worksheet "Sheet1".
  Workbook& Add();
  int Count() const;  // workbooks still open

 private:
  friend class Application;
  explicit WorkbookCollection(Application* app) : app_(app) {}
  Application* app_;
};

class Application {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  WorkbookCollection Workbooks() { return WorkbookCollection(this); }
  // Closes every workbook without saving.
  void Quit();

  class Impl;
  Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

// Removes from `folder` the workbooks a save killed outright left behind:
// SaveAs writes the hidden ".<name>.xls.<tag>.saving" beside its target
// before the rename (older runs wrote "<name>.xls.saving").
// What cannot be removed stays; it is no reason to stop an operation.
void RemoveSaveLeftovers(const std::filesystem::path& folder);

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_APPLICATION_H_
