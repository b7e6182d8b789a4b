#include "filelists/fill_file_list.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

TEST(FillFileListTest, ListsCsvAndDbfFilesInNameOrderWithTheirOwnCase) {
  TempDir dir;
  for (const char* name : {"price.CSV", "notes.txt", "list.dbf", "B.Dbf",
                           "a.csvx", "x.xls", ".CSV", "db", "csv", "c.dbf "}) {
    WriteBytes(dir / name, "x");
  }
  std::filesystem::create_directory(dir / "sub.csv");
  EXPECT_EQ(
      filelists::FillFileList(dir.path()),
      (std::vector<std::string>{".CSV", "B.Dbf", "list.dbf", "price.CSV"}));
  // A folder that cannot be read gives nothing.
  EXPECT_TRUE(filelists::FillFileList(dir / "missing").empty());
  EXPECT_TRUE(filelists::FolderFiles(dir / "missing").empty());
}

}  // namespace
}  // namespace tarnwick::test
