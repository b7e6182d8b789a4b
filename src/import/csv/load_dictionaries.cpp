#include "import/csv/load_dictionaries.h"

#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "core/error.h"
#include "core/platform.h"
#include "import/csv/item_reader.h"
#include "import/csv/lookup_grade.h"

namespace tarnwick::import {
namespace {

bool FileExists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// The list is only replaced once the whole file has been read, so a file
// that fails leaves the previous entries as they were.
void LoadList(const std::filesystem::path& path, std::vector<std::string>& list,
              std::optional<platform::FileStamp>& stamp) {
  std::error_code ec;
  std::optional<platform::FileStamp> now = platform::StampOf(path, ec);
  if (now && now == stamp) return;
  ItemReader reader(path);
  std::vector<std::string> entries;
  while (!reader.AtEnd()) entries.push_back(reader.ReadText());
  if (entries.empty()) {
    // The count and the clarity header of every table come from the
    // dictionaries; an empty one would write tables no one can read.
    throw Error(path.string() + ": the file holds no grade");
  }
  list = std::move(entries);
  stamp = now;
}

}  // namespace

std::filesystem::path DictionaryPath(const std::filesystem::path& app_folder,
                                     std::int16_t kind) {
  return app_folder / "System" /
         (kind == kClarityGrade ? "Clarity.txt" : "Color.txt");
}

bool LoadDictionaries(const std::filesystem::path& app_folder,
                      CsvImportState& state, Host& host) {
  std::filesystem::path color = DictionaryPath(app_folder, kColorGrade);
  std::filesystem::path clarity = DictionaryPath(app_folder, kClarityGrade);
  // Between the files of one import both are mostly as they were read: a
  // file whose stamp is the one it was read with is there and read.
  std::error_code ec;
  if (state.color_stamp && state.clarity_stamp &&
      platform::StampOf(color, ec) == state.color_stamp &&
      platform::StampOf(clarity, ec) == state.clarity_stamp) {
    return true;
  }
  if (!FileExists(color)) {
    host.ShowMessage("Standard Color file not exist",
                     MessageIcon::kInformation);
    return false;
  }
  if (!FileExists(clarity)) {
    host.ShowMessage("Standard Clarity file not exist",
                     MessageIcon::kInformation);
    return false;
  }
  LoadList(color, state.color_list, state.color_stamp);
  LoadList(clarity, state.clarity_list, state.clarity_stamp);
  return true;
}

}  // namespace tarnwick::import
