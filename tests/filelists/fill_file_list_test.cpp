#include "filelists/fill_file_list.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::TempDir;
using test::WriteBytes;

TEST(FillFileListTest, ListsCsvAndDbfFilesInNameOrderWithTheirOwnCase) {
  TempDir dir;
  for (const char* name : {"price.CSV", "notes.txt", "list.dbf", "B.Dbf",
                           "a.csvx", "x.xls", ".CSV", "db"}) {
    WriteBytes(dir / name, "x");
  }
  std::filesystem::create_directory(dir / "sub.csv");
  EXPECT_EQ(
      filelists::FillFileList(dir.path()),
      (std::vector<std::string>{".CSV", "B.Dbf", "list.dbf", "price.CSV"}));
}

TEST(FillFileListTest, AFolderThatCannotBeReadGivesNothing) {
  TempDir dir;
  EXPECT_TRUE(filelists::FillFileList(dir / "missing").empty());
  EXPECT_TRUE(filelists::FolderFiles(dir / "missing").empty());
}

TEST(FillFileListTest, TheSuffixTestLooksAtTheLastFourCharacters) {
  EXPECT_TRUE(filelists::HasCsvSuffix("a.csv"));
  EXPECT_TRUE(filelists::HasCsvSuffix(".CSV"));
  EXPECT_FALSE(filelists::HasCsvSuffix("csv"));
  EXPECT_FALSE(filelists::HasCsvSuffix("a.csvx"));
  EXPECT_TRUE(filelists::HasDbfSuffix("RNDDAT.DBF"));
  EXPECT_FALSE(filelists::HasDbfSuffix("a.dbf "));
}

}  // namespace
}  // namespace tarnwick
