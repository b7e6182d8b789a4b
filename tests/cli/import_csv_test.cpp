// tarnwick-cli import-csv, run as a user runs it: on the demo price lists
// with the System folder the build lays out, then through a conversion.

#include <gtest/gtest.h>

#include <string>

#include "octonus/price_workbooks.h"
#include "support/app_folder_test.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::ReadBytes;
using testing::RunCommand;
using testing::TempDir;
using testing::WriteBytes;

const std::filesystem::path kDemo =
    std::filesystem::path(TARNWICK_APP_DIR) / "Demo" / "CSV";

// Reads Price.xls with xlrd and the price lists with Python's csv module,
// and checks every sheet: one per list, named after it; "Tables:" and the
// table count; for each run of records with one mass from, a block of
// Format (11 clarities, 23 colours), Mass, Magnify, the clarity header, a
// row per colour with its prices in record order and a bare row for each
// other colour of the sample list; "End Price" two rows below the last
// block. Prints OK or what differs.
const char kCheckPriceWorkbook[] = R"(
import csv, itertools, os, sys, xlrd
book, folder = xlrd.open_workbook(sys.argv[1]), sys.argv[2]
clarities = 'IF VVS1 VVS2 VS1 VS2 SI1 SI2 SI3 I1 I2 I3'.split()
samples = [chr(c) for c in range(ord('D'), ord('Z') + 1)]
names = sorted(n for n in os.listdir(folder) if n.lower().endswith('.csv'))
problems = []
def expect(sheet, row, col, want):
    got = sheet.cell_value(row - 1, col - 1) if row <= sheet.nrows and \
        col <= sheet.ncols else ''
    if got != want:
        problems.append('%s %d/%d: %r, not %r' % (sheet.name, row, col, got, want))
if book.sheet_names() != [n.split('.')[0] for n in names]:
    problems.append('sheets %r' % book.sheet_names())
for sheet, name in zip(book.sheets(), names):
    with open(os.path.join(folder, name), newline='', encoding='cp1252') as f:
        blocks = [list(b) for _, b in
                  itertools.groupby(csv.reader(f), lambda r: float(r[3]))]
    expect(sheet, 1, 1, 'Tables:')
    expect(sheet, 1, 2, float(len(blocks)))
    row = 3
    for records in blocks:
        top = ['Format:', 11.0, 23.0], ['Mass:', float(records[0][3]),
               float(records[0][4])], ['Magnify:', 1.0], [''] + clarities
        for r, line in enumerate(top):
            for col, want in enumerate(line):
                expect(sheet, row + r, col + 1, want)
        colours = list(dict.fromkeys(r[2] for r in records))
        rows = [[c] + [float(r[5]) for r in records[11 * i:11 * i + 11]]
                for i, c in enumerate(colours)]
        rows += [[s, ''] for s in samples if s not in colours]
        for r, line in enumerate(rows):
            for col, want in enumerate(line):
                expect(sheet, row + 4 + r, col + 1, want)
        row += 5 + len(rows)
    expect(sheet, row + 1, 1, 'End Price')
print('\n'.join(problems[:10]) if problems else 'OK')
)";

class ImportCsvCliTest : public testing::AppFolderTest {
 protected:
  void SetUp() override {
    CopyFromBuiltApp("System");
    CopyFromBuiltApp("Sample");
  }
};

TEST_F(ImportCsvCliTest, DemoListsImportAndConvertWithoutAMessage) {
  std::string err;
  ASSERT_EQ(Cli("import-csv '" + kDemo.string() + "'", &err), 0) << err;
  EXPECT_EQ(err, "");
  EXPECT_EQ(
      RunPython(kCheckPriceWorkbook, "'" + (app() / "Price.xls").string() +
                                         "' '" + kDemo.string() + "'"),
      "OK\n");

  ASSERT_EQ(Cli("convert", &err), 0) << err;
  EXPECT_EQ(err, "");
  for (const char* table : {"Oval.txt", "Pear.txt", "Round.txt"}) {
    std::string text = ReadBytes(app() / table);
    EXPECT_TRUE(text.starts_with("Tables:")) << table;
    EXPECT_NE(text.find("Format: clarity 11      23\r\n"), std::string::npos);
  }
  std::string round = ReadBytes(app() / "Round.txt");
  EXPECT_NE(round.find("Mass:   0.3     0.39\r\nMagnify:        1\r\n"),
            std::string::npos);
  EXPECT_NE(round.find("\r\nD           4200        3780        "),
            std::string::npos);
}

// The program reserves a large step of address space for its heap at the
// start; where a limit refuses it, the run goes on as usual.
TEST_F(ImportCsvCliTest, ATightLimitOnAddressSpaceStillImports) {
  std::string out;
  EXPECT_EQ(RunCommand("ulimit -v 150000 && '" + std::string(TARNWICK_CLI) +
                           "' --app-folder '" + app().string() +
                           "' import-csv '" + kDemo.string() + "' 2>&1",
                       &out),
            0)
      << out;
  EXPECT_TRUE(std::filesystem::exists(app() / "Price.xls"));
}

TEST_F(ImportCsvCliTest, AnswersDecideAboutGradesTheDictionariesLack) {
  std::filesystem::create_directory(dir_ / "lists");
  WriteBytes(dir_ / "lists" / "fancy.csv", "F,IF,Fancy,0.3,0.39,900,x\r\n");
  // The terminal shows the question's line end as its own.
  const std::string question =
      "Color \" Fancy \" not defined in Color.txt file.\n"
      "Do you want to insert this into System\\Color.txt file";
  std::string err;
  EXPECT_EQ(Cli("--no import-csv '" + (dir_ / "lists").string() + "'", &err),
            1);
  EXPECT_EQ(err.substr(0, question.size()), question);
  EXPECT_NE(err.find("No"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(app() / "eee.xls"));
  EXPECT_FALSE(std::filesystem::exists(app() / "Price.xls"));

  EXPECT_EQ(Cli("--yes import-csv '" + (dir_ / "lists").string() + "'", &err),
            0);
  EXPECT_TRUE(std::filesystem::exists(app() / "Price.xls"));
  EXPECT_TRUE(
      ReadBytes(app() / "System" / "Color.txt").ends_with("Z\r\nFancy\r\n"));
}

// Ctrl-C at the question about the first record's colour, then Yes: the
// import stops at the next record, Price.xls byte for byte as it was.
TEST_F(ImportCsvCliTest, CtrlCStopsTheImportBeforeAnythingIsSaved) {
  std::filesystem::create_directory(dir_ / "lists");
  WriteBytes(dir_ / "lists" / "fancy.csv",
             "F,IF,Fancy,0.3,0.39,900,x\r\nF,IF,D,0.3,0.39,800,x\r\n");
  std::filesystem::copy_file(app() / "System" / "CSVTemplate.xls",
                             app() / "Price.xls");
  std::string old = ReadBytes(app() / "Price.xls");
  std::string screen;
  EXPECT_EQ(
      testing::RunCliStoppedAtQuestion(
          app(), "import-csv '" + (dir_ / "lists").string() + "'", &screen),
      1);
  EXPECT_TRUE(screen.ends_with(
      "[Yes/No] y\nYes\nThe import was stopped. Price.xls was not written.\n"))
      << screen;
  EXPECT_EQ(ReadBytes(app() / "Price.xls"), old);
  EXPECT_FALSE(std::filesystem::exists(app() / "eee.xls"));
}

}  // namespace
}  // namespace tarnwick
