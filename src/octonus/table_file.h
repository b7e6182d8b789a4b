#ifndef TARNWICK_OCTONUS_TABLE_FILE_H_
#define TARNWICK_OCTONUS_TABLE_FILE_H_

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/text_file.h"

namespace tarnwick::octonus {

// The Octonus table of one sheet while it is being written. The lines go to
// a hidden file beside "<sheet>.txt", which takes the table's place only on
// Commit(): a sheet that stops early (Escape, a too-large cell, a failure)
// leaves the older table as it was, or no table, never a truncated one that
// the Octonus software would load without complaint.
class TableFile {
 public:
  // Creates the hidden file ".<sheet>.txt.tarnwick-tmp", first removing one
  // that a run killed outright left behind. Throws Error when it cannot be
  // created.
  TableFile(const std::filesystem::path& folder, std::string_view sheet_name);
  // Without Commit(), closes and removes the hidden file.
  ~TableFile();
  TableFile(const TableFile&) = delete;
  TableFile& operator=(const TableFile&) = delete;

  TextFileWriter& writer() { return *writer_; }
  // Closes the hidden file and renames it over "<sheet>.txt". Throws Error
  // when either fails; the older table then stays.
  void Commit();

 private:
  std::filesystem::path table_;
  std::filesystem::path temporary_;
  std::optional<TextFileWriter> writer_;
  bool committed_ = false;
};

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_TABLE_FILE_H_
