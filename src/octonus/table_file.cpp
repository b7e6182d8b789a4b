#include "octonus/table_file.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "core/error.h"
#include "core/platform.h"

namespace tarnwick::octonus {

namespace {

// The sheet's name, checked first: a crafted workbook's sheet named "../x"
// or "Price.xls" followed by NUL would otherwise write outside the folder or
// over another of its files.
std::string_view PlainName(std::string_view sheet_name) {
  // The hidden file's name is the longest the table needs.
  auto why = platform::WhyNotPlainFileName(sheet_name);
  if (!why) {
    why = platform::WhyNotPlainFileName("." + std::string(sheet_name) +
                                        ".txt.tarnwick-tmp");
  }
  if (why) {
    throw Error("the sheet's name cannot name a table file (" + *why + ")");
  }
  return sheet_name;
}

// Hidden, and named for what it is, should a run killed outright leave it.
std::filesystem::path TemporaryPath(const std::filesystem::path& folder,
                                    std::string_view sheet_name) {
  return folder / ("." + std::string(sheet_name) + ".txt.tarnwick-tmp");
}

}  // namespace

TableFile::TableFile(const std::filesystem::path& folder,
                     std::string_view sheet_name)
    : table_(folder / (std::string(PlainName(sheet_name)) + ".txt")),
      temporary_(TemporaryPath(folder, sheet_name)) {
  // A table that could never be put in place fails the sheet before its
  // walk, as a table that cannot be written to does.
  std::error_code ignored;
  if (std::filesystem::is_directory(table_, ignored)) {
    throw Error(table_.string() + ": cannot be created (" +
                std::make_error_code(std::errc::is_a_directory).message() +
                ")");
  }
  std::filesystem::remove(temporary_, ignored);
  try {
    writer_.emplace(temporary_, platform::OutputFile::Opening::kNewOnly);
  } catch (const Error& e) {
    // Told by the table's name, the one the person knows: the reason follows
    // the path in "<path>: cannot be created (<reason>)".
    std::string_view reason = e.what();
    reason.remove_prefix(std::min(reason.size(), temporary_.string().size()));
    throw Error(table_.string() + std::string(reason));
  }
}

TableFile::~TableFile() {
  if (committed_) return;
  writer_.reset();
  std::error_code ignored;
  std::filesystem::remove(temporary_, ignored);
}

void TableFile::Commit() {
  writer_->Close();
  std::error_code error;
  std::filesystem::rename(temporary_, table_, error);
  if (error) {
    throw Error(table_.string() + ": cannot be replaced (" + error.message() +
                ")");
  }
  committed_ = true;
}

}  // namespace tarnwick::octonus
