#include "import/csv/convert_csv_file.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/error.h"
#include "core/letter_case.h"
#include "core/number_rules.h"
#include "core/percent_text.h"
#include "import/csv/ask_to_insert_grade.h"
#include "import/csv/item_reader.h"
#include "import/csv/load_dictionaries.h"
#include "import/csv/lookup_grade.h"
#include "import/csv/table_block.h"
#include "import/csv/write_table_block.h"
#include "import/import_stopped.h"
#include "spreadsheet/cell_text.h"

namespace tarnwick::import {
namespace {

constexpr int kItemsPerRecord = 7;
// Item positions in a record.
constexpr int kClarity = 1;
constexpr int kColor = 2;
constexpr int kMassFrom = 3;
constexpr int kMassTo = 4;
constexpr int kPrice = 5;

// The bar moves one step per record. The percentage text is handed on only
// when it changes, which is all a repaint could show.
class RecordProgress {
 public:
  RecordProgress(Host& host, double record_count)
      : host_(host), max_(static_cast<float>(record_count)) {
    host_.SetProgressValue(0);
    host_.SetProgressMax(max_);
  }

  void Step() {
    value_ += 1.0f;
    host_.SetProgressValue(value_);
    if (!(max_ > 0)) return;  // no percentage of nothing
    long long percent = PercentValue(value_, max_);
    if (percent == shown_) return;
    shown_ = percent;
    host_.SetProgressPercent(std::to_string(percent) + "%");
    host_.Repaint();
  }

 private:
  Host& host_;
  float max_;
  float value_ = 0;
  long long shown_ = -1;  // none yet
};

// A record's items as read and the values of those every record needs,
// each a view of the file or of its room; they last until the next record
// is read. The mass to and the price are turned into values only where they
// are placed.
struct Record {
  std::array<ItemReader::Item, kItemsPerRecord> items;
  std::array<std::string_view, kItemsPerRecord> values;
  std::array<std::string, kItemsPerRecord> rooms;

  std::string_view Value(int item) { return ValueOf(items[item], rooms[item]); }
};

// What a price cell holds. A whole number of at most 15 digits, as most
// prices are, is read straight from its digits, which gives the number its
// value text would; any other item is entered as its value.
spreadsheet::CellValue PriceValue(Record& record) {
  ItemReader::Item price = record.items[kPrice];
  double number = 0;
  if (!price.quoted &&
      price.bytes.find_first_not_of("0123456789") == std::string_view::npos &&
      ParseShortDecimal(price.bytes, &number)) {
    return spreadsheet::CellValue::Number(number);
  }
  return EnteredValue(record.Value(kPrice));
}

// The walk over the records of one file, with the state of the table block
// being collected.
class FileConverter {
 public:
  FileConverter(CsvImportRun& run, spreadsheet::Sheet& sheet)
      : run_(run), state_(run.state), sheet_(sheet) {}

  // Looks both grades up, asking to add a missing one; false when the user
  // refused.
  bool GradesKnown(const Record& record);
  // Adds the record to the current table block, or writes that block and
  // starts the next when the mass from changes.
  void PlaceRecord(Record& record);
  void Finish();

 private:
  void AddToBlock(Record& record);
  void StartBlock(Record& record);

  CsvImportRun& run_;
  CsvImportState& state_;
  spreadsheet::Sheet& sheet_;
  TableBlock block_;
  std::int16_t row_ = 2;
  std::int16_t table_count_ = 0;
  int grid_row_ = 0;
  int grid_col_ = 0;
  int label_index_ = 0;
  int header_index_ = 0;
  std::string table_key_;
  std::string last_color_;
};

bool FileConverter::GradesKnown(const Record& record) {
  const std::pair<int, std::int16_t> checks[] = {{kClarity, kClarityGrade},
                                                 {kColor, kColorGrade}};
  for (int k = 0; k < 2; ++k) {
    const auto [item, kind] = checks[k];
    KnownGrades& known = run_.known_grades[k];
    std::string_view grade = record.values[item];
    if (known.contains(grade)) continue;
    if (LookupGrade(state_, grade, kind) == kGradeNotFound &&
        !AskToInsertGrade(std::string(grade), kind, run_.app_folder, state_,
                          run_.host)) {
      return false;
    }
    known.emplace(grade);
  }
  return true;
}

void FileConverter::PlaceRecord(Record& record) {
  if (!table_key_.empty() && record.values[kMassFrom] == table_key_) {
    AddToBlock(record);
  } else {
    StartBlock(record);
  }
}

// Prices are placed by position alone: eleven to a grid row in record order,
// while the colour label moves on at each change of colour.
void FileConverter::AddToBlock(Record& record) {
  std::string_view color = record.values[kColor];
  if (color != last_color_ && !SameIgnoringCase(color, last_color_)) {
    last_color_ = color;
    if (label_index_ >= state_.max_color_index) {
      throw Error("the price table of mass " + table_key_ + " has more than " +
                  std::to_string(state_.max_color_index + 1) + " colours");
    }
    block_.color_labels[++label_index_] = color;
  }
  if (grid_col_ >= state_.max_clarity_index) {
    grid_col_ = 0;
    if (++grid_row_ > state_.max_color_index) {
      throw Error("the price table of mass " + table_key_ +
                  " has more prices than its grid of " +
                  std::to_string(state_.max_color_index + 1) + " x " +
                  std::to_string(state_.max_clarity_index + 1) + " holds");
    }
  } else {
    ++grid_col_;
  }
  block_.price_grid[grid_row_][grid_col_] = PriceValue(record);
}

void FileConverter::StartBlock(Record& record) {
  if (state_.block_pending) {
    header_index_ = label_index_ = grid_row_ = grid_col_ = 0;
    WriteTableBlock(table_count_, row_, block_, state_, sheet_);
    ClearList(block_.color_labels);
    ClearList(block_.clarity_header);
    ClearGrid(block_.price_grid, state_);
  } else {
    state_.block_pending = true;
  }
  table_key_ = record.values[kMassFrom];
  block_.format_counts = {std::to_string(state_.clarity_list.size()),
                          std::to_string(state_.color_list.size())};
  block_.mass_range = {table_key_, std::string(record.Value(kMassTo))};
  // More clarities than header slots wrap round and overwrite from slot 0.
  for (const std::string& clarity : state_.clarity_list) {
    block_.clarity_header[header_index_] = clarity;
    header_index_ =
        header_index_ >= state_.max_clarity_index ? 0 : header_index_ + 1;
  }
  block_.price_grid[0][0] = PriceValue(record);
  block_.color_labels[0] = record.values[kColor];
  last_color_ = record.values[kColor];
}

void FileConverter::Finish() {
  WriteTableBlock(table_count_, row_, block_, state_, sheet_);
  if (row_ + 2 > kLastPriceSheetRow) {
    throw Error("the end marker does not fit in the " +
                std::to_string(kLastPriceSheetRow) + " rows of a price sheet");
  }
  sheet_.SetCells(row_ + 2, 1, "End Price");
  sheet_.SetCells(1, 1, "Tables:");
  sheet_.SetCells(1, 2, static_cast<double>(table_count_));
}

void ReadRecord(ItemReader& reader, Record& record) {
  for (int i = 0; i < kItemsPerRecord; ++i) {
    if (i > 0 && reader.AtEnd()) {
      throw Error("the file ends inside the record, after " +
                  std::to_string(i) + " of its " +
                  std::to_string(kItemsPerRecord) + " items");
    }
    record.items[i] = reader.Next();
  }
  for (int i : {kClarity, kColor, kMassFrom})
    record.values[i] = record.Value(i);
}

}  // namespace

void ConvertCSVFile(const std::filesystem::path& file_path, ItemReader& reader,
                    const std::string& sheet_name, double record_count,
                    CsvImportRun& run) {
  CsvImportState& state = run.state;
  state.dict_missing = 0;
  std::optional<platform::FileStamp> color = state.color_stamp;
  std::optional<platform::FileStamp> clarity = state.clarity_stamp;
  if (!LoadDictionaries(run.app_folder, state, run.host)) {
    state.dict_missing = 1;
    return;
  }
  if (state.color_stamp != color || state.clarity_stamp != clarity) {
    for (KnownGrades& known : run.known_grades) known.clear();
  }
  spreadsheet::Sheet& sheet = run.book.Sheets().Item(sheet_name);
  sheet.Select();
  RecordProgress progress(run.host, record_count);
  run.host.SetProgressCaption("Converting(" + sheet_name + ")");

  FileConverter converter(run, sheet);
  Record record_items;
  long record = 0;
  try {
    while (!reader.AtEnd()) {
      StopIfRequested(run.host);
      ++record;
      ReadRecord(reader, record_items);
      if (!converter.GradesKnown(record_items)) {
        state.continue_csv = false;
        return;
      }
      progress.Step();
      converter.PlaceRecord(record_items);
    }
    if (record == 0) throw Error("the file holds no record");
    converter.Finish();
  } catch (const Error& e) {
    std::string where = file_path.filename().string();
    if (record > 0) where += ", record " + std::to_string(record);
    throw Error(where + ": " + e.what());
  }
}

}  // namespace tarnwick::import
