#ifndef TARNWICK_OCTONUS_TABLE_OUTPUT_H_
#define TARNWICK_OCTONUS_TABLE_OUTPUT_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"
#include "core/text_file.h"

namespace tarnwick::octonus {

// How the walk down column A ended.
enum class SheetEnd { kEndMarker, kCancelled, kTooLarge, kNoEndMarker };

// Where the table writer's work goes: the lines of the table, and what the
// progress panel and Escape make of the walk down the sheet.
class TableOutput {
 public:
  virtual ~TableOutput() = default;
  virtual void Line(std::string_view line) = 0;
  // Before each row of column A is looked at, the end marker aside: pending
  // events, Escape, a repaint. True when the user has pressed Escape.
  virtual bool RowBegins() = 0;
  // A "Tables:" row gave the count of tables: the progress maximum.
  virtual void TableCount(float count) = 0;
  // A "FORMAT:" row was passed: the progress moves on by one table.
  virtual void FormatPassed() = 0;
};

// The table written to its file, with the host's progress panel and Escape.
// Made just before the walk: the progress starts where the panel stands.
class HostTableOutput : public TableOutput {
 public:
  HostTableOutput(TextFileWriter& file, Host& host);

  void Line(std::string_view line) override { file_.WriteLine(line); }
  bool RowBegins() override;
  void TableCount(float count) override { host_.SetProgressMax(count); }
  void FormatPassed() override;

 private:
  TextFileWriter& file_;
  Host& host_;
  float position_;  // worked in single precision, as the panel is
};

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_TABLE_OUTPUT_H_
