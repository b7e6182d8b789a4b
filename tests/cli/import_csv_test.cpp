// tarnwick-cli import-csv, run as a user runs it: on the demo price lists
// with the System folder the build lays out.

#include <gtest/gtest.h>

#include <string>

#include "octonus/price_workbooks.h"
#include "support/app_folder_test.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::ReadBytes;
using test::RunCommand;
using test::TempDir;
using test::WriteBytes;

const std::filesystem::path kDemo =
    std::filesystem::path(TARNWICK_APP_DIR) / "Demo" / "CSV";

class ImportCsvCliTest : public test::AppFolderTest {
 protected:
  void SetUp() override {
    CopyFromBuiltApp("System");
    CopyFromBuiltApp("Sample");
  }
};

TEST_F(ImportCsvCliTest, DemoListsImportWithoutAMessage) {
  std::string err;
  EXPECT_EQ(Cli("import-csv '" + kDemo.string() + "'", &err), 0);
  EXPECT_EQ(err, "");
  EXPECT_TRUE(std::filesystem::exists(app() / "Price.xls"));
}

// The program reserves a large step of address space for its heap at the
// start; where a limit refuses it, the run goes on as usual.
TEST_F(ImportCsvCliTest, ATightLimitOnAddressSpaceStillImports) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "AddressSanitizer's shadow memory alone passes any limit";
#endif
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
      test::RunCliStoppedAtQuestion(
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
