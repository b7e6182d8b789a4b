#include "import/csv/read_sample_colors.h"

#include <algorithm>

#include "core/error.h"
#include "import/csv/item_reader.h"
#include "spreadsheet/cell_value.h"

namespace tarnwick::import {
namespace {

// Windows-1252 text holds no character outside the first plane, so its
// characters are as many as the UTF-16 units a cell counts.
std::size_t Characters(std::string_view utf8) {
  return static_cast<std::size_t>(std::count_if(
      utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

void ReadSampleColors(const std::filesystem::path& path,
                      std::array<std::string, 27>& colors) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return;
  ItemReader reader(path);
  // Every colour goes into a cell of every table block; one too long for
  // it is told against this file, before any price list is read.
  for (std::size_t slot = 0, item = 1; !reader.AtEnd();
       slot = (slot + 1) % colors.size(), ++item) {
    std::string colour = reader.ReadText();
    if (Characters(colour) > spreadsheet::kMaxCellTextLength) {
      throw Error(
          (path.parent_path().filename() / path.filename()).generic_string() +
          ", item " + std::to_string(item) +
          ": a cell holds at most 32767 characters");
    }
    colors[slot] = std::move(colour);
  }
}

}  // namespace tarnwick::import
