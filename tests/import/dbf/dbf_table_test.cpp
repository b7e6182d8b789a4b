#include "import/dbf/dbf_table.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <sstream>
#include <string>

#include "core/number_rules.h"
#include "import/dbf/dbf_fixture.h"
#include "import/dbf/dbf_price_value.h"
#include "import/error_of.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::TempDir;

// One line per live record, each field as "null" or its number.
std::string TarnwickReading(const std::filesystem::path& file) {
  import::DbfTable table(file);
  std::ostringstream out;
  for (int r = 0; r < table.RecordCount(); ++r) {
    if (!table.ReadRecord(r)) continue;
    for (int k = 0; k < table.FieldCount(); ++k) {
      std::optional<double> v =
          import::DbfPriceValue(table.FieldType(k), table.FieldText(k));
      out << (k ? " " : "") << (v ? NumberText(*v) : "null");
    }
    out << "\n";
  }
  return out.str();
}

// Each header version, read under a German locale, where the C library's
// numbers take a comma.
TEST(DbfTableTest, ReadsEveryLiveRecordInAnyHeaderVersionAndLocale) {
  TempDir dir;
  std::string old = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
      << "no German locale on this machine";
  for (unsigned char version :
       {test::kDbase3, test::kFoxPro2WithMemo, test::kVisualFoxPro}) {
    test::WriteDbf(dir / "T.DBF",
                   {{"ROUND", 'N', 10, 2},
                    {"WHOLE", 'N', 6, 0},
                    {"FLOAT", 'F', 12, 4},
                    {"TEXT", 'C', 12, 0}},
                   {{{"12.50", "3", "-0.0625", "42"}},
                    {{"", "", "", ""}},
                    {{"99.99", "7", "1.5", " 8.25 "}, true},
                    {{"-3.75", "-12", "0.0000", "1e3"}},
                    {{"0.07", "0", "", "-.5"}},
                    {{"123456.78", "999999", "1234567.1234", ""}}},
                   version);
    EXPECT_EQ(TarnwickReading(dir / "T.DBF"),
              "12.5 3 -0.0625 42\n"
              "null null null null\n"
              "-3.75 -12 0 1000\n"
              "0.07 0 null -0.5\n"
              "123456.78 999999 1234567.1234 null\n")
        << int{version};
  }
  std::setlocale(LC_ALL, old.c_str());
}

// Two fields P1, P2 of width 10, so the header is 97 bytes and a record 21.
TEST(DbfTableTest, AHeaderThatDisagreesWithItselfIsRefusedWithTheReason) {
  struct Case {
    std::size_t at;  // where `bytes` go into the good table
    std::string bytes;
    const char* reason;
  } cases[] = {
      {8, std::string("\x81\x00", 2),
       "it gives its length as 129 bytes, but its 2 field descriptors make it "
       "97"},
      {8, std::string("\x21\x00", 2),
       "it gives its length as 33 bytes, but its 2 field descriptors make it "
       "97"},
      {80, std::string(1, '\0'), "field 2 (P2) has length 0"},
      {10, std::string("\x16\x00", 2),
       "its fields and the deletion flag take 21 bytes, but a record is 22 "
       "bytes long"},
      {32, "ABCDEFGHIJK", "the name of field 1 has no end"},
      {96, " ", "the field descriptors have no end mark"},
  };
  TempDir dir;
  std::string good =
      test::DbfBytes(test::PriceFields(2), {{{"1", "2"}}, {{"3", "4"}}});
  for (const Case& c : cases) {
    std::string bytes = good;
    bytes.replace(c.at, c.bytes.size(), c.bytes);
    test::WriteBytes(dir / "T.DBF", bytes);
    EXPECT_EQ(test::ErrorOf([&] { import::DbfTable table(dir / "T.DBF"); }),
              std::string("T.DBF: damaged header: ") + c.reason);
  }
}

}  // namespace
}  // namespace tarnwick
