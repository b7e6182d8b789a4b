// tarnwick-cli import-dbf, run as a user runs it: on the demo tables with
// the template the build lays out, then through a conversion.

#include <gtest/gtest.h>

#include <string>

#include "support/app_folder_test.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::ReadBytes;
using testing::TempDir;

const std::filesystem::path kDemo =
    std::filesystem::path(TARNWICK_APP_DIR) / "Demo" / "DBF";

// Reads Price.xls with xlrd and the demo tables with dbfread, and checks
// that every record's prices stand, times 100, in the rows of its block and
// of the block's copies, and that nothing else of the price rows was
// written. Prints OK or what differs.
const char kCheckPriceWorkbook[] = R"(
import sys, os, xlrd, dbfread
book = xlrd.open_workbook(sys.argv[1])
folder = sys.argv[2]
def groups(firsts, sizes, copies):
    out = []
    for g, (first, size) in enumerate(zip(firsts, sizes)):
        out.append([(first + j, copies.get(g, [0])) for j in range(size)])
    return out
round_groups = groups([7 + 10 * g for g in range(6)] +
                      [67 + 15 * g for g in range(12)],
                      [5] * 6 + [10] * 12,
                      {17: [15 * c for c in range(7)]})
fancy_groups = groups([7, 37] + [47 + 15 * g for g in range(12)],
                      [5, 5] + [10] * 12,
                      {0: [0, 10, 20], 13: [15 * c for c in range(7)]})
problems = []
for index, name in enumerate(['rnddat', 'mqdat', 'peardat', 'emdat', 'prndat']):
    sheet = book.sheet_by_index(index)
    records = list(dbfread.DBF(os.path.join(folder, name + '.dbf')))
    layout = round_groups if index == 0 else fancy_groups
    places = [p for group in layout for p in group]
    if len(places) != len(records):
        problems.append('%s: %d records' % (name, len(records)))
    for record, (row, copies) in zip(records, places):
        for k, value in enumerate(record.values()):
            for step in copies:
                cell = sheet.cell_value(row + step - 1, k + 1)
                want = value * 100 if value else ''
                if cell != want:
                    problems.append('%s row %d col %d: %r, not %r' %
                                    (name, row + step, k + 2, cell, want))
print('\n'.join(problems[:10]) if problems else 'OK')
)";

class ImportDbfCliTest : public testing::AppFolderTest {
 protected:
  void SetUp() override { CopyFromBuiltApp("System/DBFTemplate.xls"); }
};

TEST_F(ImportDbfCliTest, TheDemoTablesBecomePriceXlsAndFiveOctonusTables) {
  std::string err;
  EXPECT_EQ(Cli("import-dbf '" + kDemo.string() + "'", &err), 0);
  EXPECT_EQ(err, "");
  EXPECT_EQ(
      RunPython(kCheckPriceWorkbook, "'" + (app() / "Price.xls").string() +
                                         "' '" + kDemo.string() + "'"),
      "OK\n");

  EXPECT_EQ(Cli("convert", &err), 0);
  EXPECT_EQ(err, "");
  for (const char* name :
       {"Round", "Marquise", "Pear", "Emerald", "Princess"}) {
    std::string table = ReadBytes(app() / (std::string(name) + ".txt"));
    int formats = 0;
    for (std::size_t at = 0;
         (at = table.find("\r\nFormat: clarity 11", at)) != std::string::npos;
         ++at) {
      ++formats;
    }
    EXPECT_EQ(formats, std::string(name) == "Round" ? 24 : 22) << name;
    EXPECT_TRUE(table.ends_with("\r\n")) << name;
  }
  std::string round = ReadBytes(app() / "Round.txt");
  std::string head =
      "Tables: 24\r\n\r\nFormat: clarity 11       5\r\n"
      "Mass:   0.01    0.03\r\nMagnify:        1\r\n";
  EXPECT_EQ(round.substr(0, head.size()), head);
}

TEST_F(ImportDbfCliTest, AFolderWithNothingToImportEndsWithStatus1) {
  TempDir empty;
  std::string err;
  EXPECT_EQ(Cli("import-dbf '" + empty.path().string() + "'", &err), 1);
  EXPECT_EQ(err, "There is no file to read...\n");
}

}  // namespace
}  // namespace tarnwick
