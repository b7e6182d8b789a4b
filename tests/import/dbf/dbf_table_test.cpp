#include "import/dbf/dbf_table.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/error.h"
#include "import/dbf/dbf_fixture.h"
#include "import/dbf/dbf_price_value.h"
#include "octonus/number_rules.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::DbfField;
using testing::DbfRecord;
using testing::TempDir;

// What Tarnwick reads from a table: one line per live record, each field as
// "null" or its number.
std::string TarnwickReading(const std::filesystem::path& file) {
  DbfTable table(file);
  std::ostringstream out;
  for (int r = 0; r < table.RecordCount(); ++r) {
    if (!table.ReadRecord(r)) continue;
    for (int k = 0; k < table.FieldCount(); ++k) {
      std::optional<double> v =
          DbfPriceValue(table.FieldType(k), table.FieldText(k));
      out << (k ? " " : "") << (v ? NumberText(*v) : "null");
    }
    out << "\n";
  }
  return out.str();
}

// The same through python3-dbfread, an independent reader.
std::string DbfreadReading(const std::filesystem::path& file) {
  std::string script =
      "import sys, dbfread\n"
      "for rec in dbfread.DBF(sys.argv[1], load=False):\n"
      "    out = []\n"
      "    for v in rec.values():\n"
      "        if isinstance(v, str): v = v.strip() or None\n"
      "        out.append('null' if v is None else repr(float(v)))\n"
      "    print(' '.join(out))\n";
  TempDir dir;
  testing::WriteBytes(dir / "read.py", script);
  std::string output;
  int status = testing::RunCommand(std::string(TARNWICK_PYTHON) + " " +
                                       (dir / "read.py").string() + " '" +
                                       file.string() + "'",
                                   &output, true);
  EXPECT_EQ(status, 0) << output;
  // Python writes 1250.0 where NumberText writes 1250.
  std::istringstream in(output);
  std::ostringstream normal;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string w;
    bool first = true;
    while (words >> w) {
      normal << (first ? "" : " ")
             << (w == "null" ? w : NumberText(*ParseWholeNumber(w)));
      first = false;
    }
    normal << "\n";
  }
  return normal.str();
}

struct ReadingCase {
  const char* name;
  unsigned char version;
};

class DbfTableReadingTest : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(DbfTableReadingTest, AgreesWithDbfreadOnEveryLiveRecord) {
  TempDir dir;
  std::vector<DbfField> fields = {{"ROUND", 'N', 10, 2},
                                  {"WHOLE", 'N', 6, 0},
                                  {"FLOAT", 'F', 12, 4},
                                  {"TEXT", 'C', 12, 0}};
  std::vector<DbfRecord> records = {
      {{"12.50", "3", "-0.0625", "42"}},
      {{"", "", "", ""}},
      {{"99.99", "7", "1.5", " 8.25 "}, true},  // deleted
      {{"-3.75", "-12", "0.0000", "1e3"}},
      {{"0.07", "0", "", "-.5"}},
      {{"123456.78", "999999", "1234567.1234", ""}},
  };
  std::filesystem::path file = dir / GetParam().name;
  testing::WriteDbf(file, fields, records, GetParam().version);
  std::string ours = TarnwickReading(file);
  EXPECT_EQ(ours, DbfreadReading(file));
  EXPECT_EQ(ours,
            "12.5 3 -0.0625 42\n"
            "null null null null\n"
            "-3.75 -12 0 1000\n"
            "0.07 0 null -0.5\n"
            "123456.78 999999 1234567.1234 null\n");
}

INSTANTIATE_TEST_SUITE_P(
    HeaderVersions, DbfTableReadingTest,
    ::testing::Values(ReadingCase{"dbase3.dbf", testing::kDbase3},
                      ReadingCase{"FOXPRO2.DBF", testing::kFoxPro2WithMemo},
                      ReadingCase{"VisualFox.Dbf", testing::kVisualFoxPro}),
    [](const auto& info) {
      return std::string(info.param.version == testing::kDbase3 ? "Dbase3"
                         : info.param.version == testing::kVisualFoxPro
                             ? "VisualFoxPro"
                             : "FoxPro2");
    });

TEST(DbfTableTest, NumbersDoNotDependOnTheProcessLocale) {
  TempDir dir;
  testing::WriteDbf(dir / "t.dbf", testing::PriceFields(1), {{{"12.50"}}});
  std::string old = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "no German locale on this machine";
  }
  std::string reading = TarnwickReading(dir / "t.dbf");
  std::setlocale(LC_ALL, old.c_str());
  EXPECT_EQ(reading, "12.5\n");
}

TEST(DbfTableTest, GivesFieldNamesAndTypesInTableOrder) {
  TempDir dir;
  testing::WriteDbf(
      dir / "t.dbf",
      {{"IF", 'N', 8, 1}, {"VVS1", 'C', 5, 0}, {"WHEN", 'D', 8, 0}}, {});
  DbfTable table(dir / "t.dbf");
  EXPECT_EQ(table.RecordCount(), 0);
  ASSERT_EQ(table.FieldCount(), 3);
  EXPECT_EQ(table.FieldName(1), "VVS1");
  EXPECT_EQ(
      std::string({table.FieldType(0), table.FieldType(1), table.FieldType(2)}),
      "NCD");
}

struct BadFileCase {
  const char* what;
  std::string bytes;
  const char* reason;
};

TEST(DbfTableTest, AFileThatIsNoWholeTableIsRefusedWithItsReason) {
  std::string good =
      testing::DbfBytes(testing::PriceFields(2), {{{"1", "2"}}, {{"3", "4"}}});
  std::string overlong = good;
  overlong[10] = 5;  // record length 5 while the fields need 21 bytes
  std::vector<BadFileCase> cases = {
      {"text", "IF;VVS1;VVS2;VS1;VS2\r\n1250;1100;980;870;760\r\n",
       "not a dBASE or FoxPro table"},
      {"short", good.substr(0, 20), "too short to be a dBASE table"},
      {"cut", good.substr(0, good.size() - 12),
       "cut short: the header counts 2 records"},
      {"fields", overlong, "not a readable dBASE or FoxPro table"},
  };
  for (const BadFileCase& c : cases) {
    TempDir dir;
    testing::WriteBytes(dir / "bad.dbf", c.bytes);
    try {
      DbfTable table(dir / "bad.dbf");
      ADD_FAILURE() << c.what << ": opened";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find("bad.dbf: "), std::string::npos)
          << c.what;
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos)
          << c.what << ": " << e.what();
    }
  }
}

TEST(DbfTableTest, AMissingFileIsRefusedWithItsName) {
  TempDir dir;
  EXPECT_THROW(DbfTable(dir / "rnddat.dbf"), Error);
}

}  // namespace
}  // namespace tarnwick
