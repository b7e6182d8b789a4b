// libFuzzer target for the CSV item reader with the dictionaries. An input
// is up to three files separated by NUL bytes: a price list, Color.txt and
// Clarity.txt (a part not given is a missing file). The list is read as the
// import reads it: counted, then record by record with both grades looked
// up in the dictionaries loaded from their files; and as the sample colour
// file. Any bytes must give items or a tarnwick::Error, never a crash, a
// hang or a read out of bounds, and the items read from the file must be
// those read from the same bytes in memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"
#include "fuzz_folder.h"
#include "import/csv/item_reader.h"
#include "import/csv/load_dictionaries.h"
#include "import/csv/lookup_grade.h"
#include "import/csv/read_sample_colors.h"
#include "support/scripted_host.h"

namespace {

std::vector<std::string> AllItems(tarnwick::import::ItemReader reader) {
  std::vector<std::string> items;
  while (!reader.AtEnd()) items.push_back(reader.ReadText());
  return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace tarnwick;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts;
  for (std::size_t at = 0; parts.size() < 3;) {
    std::size_t end = input.find('\0', at);
    parts.push_back(input.substr(at, end - at));
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  const std::filesystem::path& app = fuzz::FuzzFolder();
  std::filesystem::path list = app / "list.csv";
  fuzz::WriteFile(list, parts[0]);
  for (std::int16_t kind : {import::kColorGrade, import::kClarityGrade}) {
    std::size_t part = kind == import::kColorGrade ? 1 : 2;
    std::filesystem::path file = import::DictionaryPath(app, kind);
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    if (part < parts.size()) fuzz::WriteFile(file, parts[part]);
  }

  try {
    if (AllItems(import::ItemReader(list)) !=
        AllItems(import::ItemReader::FromBytes(std::string(parts[0])))) {
      __builtin_trap();
    }
    import::CsvImportState state;
    import::ReadSampleColors(list, state.sample_colors);
    test::ScriptedHost host;
    if (!import::LoadDictionaries(app, state, host)) return 0;
    import::ItemReader reader(list);
    import::CountItems(reader);
    std::string room;
    while (!reader.AtEnd()) {
      for (int i = 0; i < 7 && !reader.AtEnd(); ++i) {
        if (i < 1 || i > 5) {
          reader.Next();
          continue;
        }
        std::string item(import::ValueOf(reader.Next(), room));
        if (i == 1) import::LookupGrade(state, item, import::kClarityGrade);
        if (i == 2) import::LookupGrade(state, item, import::kColorGrade);
      }
    }
  } catch (const Error&) {
  }
  return 0;
}
