// libFuzzer target for the DBF table reader: any file must give its records
// and fields or a tarnwick::Error naming the file, never a crash, a hang or
// a read out of bounds. Every live record is read and every field priced as
// the DBF import does.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/error.h"
#include "fuzz_folder.h"
#include "import/dbf/dbf_price_value.h"
#include "import/dbf/dbf_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace tarnwick;
  std::filesystem::path file = fuzz::FuzzFolder() / "rnddat.dbf";
  fuzz::WriteFile(file, {reinterpret_cast<const char*>(data), size});
  try {
    import::DbfTable table(file);
    for (int record = 0; record < table.RecordCount(); ++record) {
      if (!table.ReadRecord(record)) continue;
      for (int k = 0; k < table.FieldCount(); ++k) {
        table.FieldName(k);
        try {
          import::DbfPriceValue(table.FieldType(k), table.FieldText(k));
        } catch (const Error&) {
          // A field that is no price; the next one is read all the same.
        }
      }
    }
  } catch (const Error&) {
  }
  return 0;
}
