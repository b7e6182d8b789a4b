#include "import/csv/read_sample_colors.h"

#include "import/csv/item_reader.h"

namespace tarnwick {

void ReadSampleColors(const std::filesystem::path& path,
                      std::array<std::string, 27>& colors) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return;
  ItemReader reader(path);
  for (std::size_t slot = 0; !reader.AtEnd();
       slot = (slot + 1) % colors.size()) {
    colors[slot] = reader.ReadText();
  }
}

}  // namespace tarnwick
