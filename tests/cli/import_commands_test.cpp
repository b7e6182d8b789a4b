// tarnwick-cli import-csv and import-dbf, run as a user runs them: on the
// demo price lists with the System folder the build lays out; and a pipe
// where any command expects a file of any role, refused at once (waiting on
// it would hang the run; CTest's timeout fails it).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/platform.h"
#include "octonus/price_workbooks.h"
#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

namespace fs = std::filesystem;

const fs::path kBuiltApp = TARNWICK_APP_DIR;
const std::string kCsvDemo =
    "import-csv '" + (kBuiltApp / "Demo" / "CSV").string() + "'";
const std::string kDbfDemo =
    "import-dbf '" + (kBuiltApp / "Demo" / "DBF").string() + "'";

// A fresh application folder with the built one's System and Sample folders,
// and an empty folder of price lists.
class ImportCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(app());
    fs::create_directories(app());
    fs::create_directories(lists());
    for (const char* folder : {"System", "Sample"}) {
      fs::copy(kBuiltApp / folder, app() / folder, fs::copy_options::recursive);
    }
  }
  fs::path app() const { return dir_ / "app"; }
  fs::path lists() const { return dir_ / "lists"; }
  std::string ImportCsv() const {
    return "import-csv '" + lists().string() + "'";
  }
  // tarnwick-cli on app(); the exit status, standard error in `err`.
  int Cli(const std::string& args, std::string* err) {
    return RunCli(app(), args, nullptr, err);
  }

  TempDir dir_;
};

// Where a limit on address space is tight, the run goes on as usual.
TEST_F(ImportCommandsTest, DemoListsImportWithoutAMessageInLittleMemory) {
#ifdef __SANITIZE_ADDRESS__
  const std::string limit = "";  // its shadow memory alone passes any limit
#else
  const std::string limit = "ulimit -v 150000 && ";
#endif
  std::string out;
  EXPECT_EQ(RunCommand(limit + "'" + TARNWICK_CLI + "' --app-folder '" +
                           app().string() + "' " + kCsvDemo + " 2>&1",
                       &out),
            0);
  EXPECT_EQ(out, "");
  EXPECT_TRUE(fs::exists(app() / "Price.xls"));
}

TEST_F(ImportCommandsTest, AnswersDecideAboutGradesTheDictionariesLack) {
  WriteBytes(lists() / "fancy.csv", "F,IF,Fancy,0.3,0.39,900,x\r\n");
  // The terminal shows the question's line end as its own.
  const std::string question =
      "Color \" Fancy \" not defined in Color.txt file.\n"
      "Do you want to insert this into System\\Color.txt file";
  std::string err;
  EXPECT_EQ(Cli("--no " + ImportCsv(), &err), 1);
  EXPECT_TRUE(err.starts_with(question)) << err;
  EXPECT_TRUE(fs::exists(app() / "eee.xls"));
  EXPECT_FALSE(fs::exists(app() / "Price.xls"));

  EXPECT_EQ(Cli("--yes " + ImportCsv(), &err), 0);
  EXPECT_TRUE(fs::exists(app() / "Price.xls"));
  EXPECT_TRUE(
      ReadBytes(app() / "System" / "Color.txt").ends_with("Z\r\nFancy\r\n"));
}

// Ctrl-C at the question about the first record's colour, then Yes: the
// import stops at the next record and says so.
TEST_F(ImportCommandsTest, CtrlCStopsTheImportBeforeAnythingIsSaved) {
  WriteBytes(lists() / "fancy.csv",
             "F,IF,Fancy,0.3,0.39,900,x\r\nF,IF,D,0.3,0.39,800,x\r\n");
  std::string screen;
  EXPECT_EQ(RunCliStoppedAtQuestion(app(), ImportCsv(), &screen), 1);
  EXPECT_TRUE(screen.ends_with(
      "[Yes/No] y\nYes\nThe import was stopped. Price.xls was not written.\n"))
      << screen;
}

// Another run holding the folder refuses both writing operations and leaves
// Price.xls as it was; a run killed while it held the folder blocks nothing.
TEST_F(ImportCommandsTest, AFolderInUseIsRefusedAndAKilledRunFreesIt) {
  std::string err;
  ASSERT_EQ(Cli(kDbfDemo, &err), 0) << err;
  EXPECT_EQ(err, "");
  const std::string saved = ReadBytes(app() / "Price.xls");
  const fs::path lock_file = app() / ".tarnwick.lock";
  {
    platform::FileLock other_run(lock_file);
    ASSERT_EQ(other_run.outcome(), platform::FileLock::Outcome::kHeld);
    for (const std::string& command : {kDbfDemo, std::string("convert")}) {
      EXPECT_EQ(Cli(command, &err), 1);
      EXPECT_EQ(err, "Another Tarnwick run is working in the folder " +
                         app().string() +
                         ".\nNothing was done; try again when it has "
                         "finished.\n");
    }
    EXPECT_FALSE(fs::exists(app() / "Round.txt"));
  }
  EXPECT_EQ(ReadBytes(app() / "Price.xls"), saved);
  EXPECT_TRUE(HiddenFiles(app()).empty());

  // The shell takes the lock, then is killed with it held.
  ASSERT_NE(std::system(("sh -c 'exec 9>>\"" + lock_file.string() +
                         "\"; flock 9; kill -9 $$'")
                            .c_str()),
            0);
  EXPECT_EQ(Cli(kDbfDemo, &err), 0);
  EXPECT_EQ(err, "");
}

TEST_F(ImportCommandsTest, APipeInEveryRoleIsRefusedAtOnce) {
  // "@" stands for the application folder.
  struct Case {
    std::string pipe;  // in the application folder
    std::string command;
    std::string err;
  } cases[] = {
      {"Price.xls", "convert",
       "Price file can not be read: @/Price.xls\n@/Price.xls: not a workbook "
       "file\n"},
      {"Discount1.xls", "convert --disc 1",
       "File Not Proper\nPlease Check this file\nSheet Round: "
       "@/Discount1.xls: not a workbook file\n"},
      {"System/DBFTemplate.xls", kDbfDemo,
       "The DBF template could not be read. Price.xls was not written.\n"
       "@/System/DBFTemplate.xls: not a workbook file\n"},
      {"Sample/Sample.xls", kCsvDemo,
       "@/Sample/Sample.xls: cannot be read (not a regular file)\nPrice.xls "
       "was not written.\n"},
      {"System/Color.txt", kCsvDemo, "Standard Color file not exist\n"},
      {"dbf/ROUND.DBF", "import-dbf @/dbf", "There is no file to read...\n"},
      {"csv/Round.csv", "import-csv @/csv", "There is no file to read...\n"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.pipe);
    SetUp();
    WriteExamplePrice(app());
    fs::create_directories((app() / c.pipe).parent_path());
    fs::remove(app() / c.pipe);
    ASSERT_EQ(
        std::system(("mkfifo '" + (app() / c.pipe).string() + "'").c_str()), 0);
    for (std::string* text : {&c.command, &c.err}) {
      for (std::size_t at; (at = text->find('@')) != std::string::npos;) {
        text->replace(at, 1, app().string());
      }
    }
    std::string err;
    EXPECT_EQ(Cli(c.command, &err), 1);
    EXPECT_EQ(err, c.err);
  }
}

}  // namespace
}  // namespace tarnwick::test
