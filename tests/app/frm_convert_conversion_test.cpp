// Read Price File and Convert through the window with the real operations:
// the same tables as tarnwick-cli, and a failing sheet reported as the
// window reports it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/core_operations.h"
#include "app/folder_list.h"
#include "support/temp_dir.h"
#include "window_test_support.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using testing::Control;
using testing::MemorySettingsStore;
using testing::MessageBoxAnswerer;
using testing::OpenWindow;
using testing::ReadBytes;
using testing::RunCommand;
using testing::TempDir;

const fs::path kDemoFolder = TARNWICK_APP_DIR;

void CopyInto(const fs::path& folder, const fs::path& file,
              const char* as = nullptr) {
  fs::copy_file(file,
                folder / (as != nullptr ? fs::path(as) : file.filename()));
}

class FrmConvertConversionTest : public ::testing::Test {
 protected:
  void Open() {
    window_ =
        OpenWindow(store_, std::make_unique<CoreOperations>(), app_.path());
  }
  void Click(const char* button) {
    QTest::mouseClick(Control<QPushButton>(*window_, button), Qt::LeftButton);
  }
  QStringList Sheets() const {
    QStringList names;
    auto* list = Control<QListWidget>(*window_, "List");
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    return names;
  }

  TempDir app_;
  MemorySettingsStore store_;
  MessageBoxAnswerer boxes_;
  std::unique_ptr<FrmConvert> window_;
};

TEST_F(FrmConvertConversionTest,
       ReadThenConvertWritesWhatTheCommandLineWrites) {
  for (const char* book : {"Price.xls", "Discount1.xls", "Discount2.xls"}) {
    CopyInto(app_.path(), kDemoFolder / book);
  }
  Open();
  Control<QComboBox>(*window_, "CmbDisc")->setCurrentIndex(2);
  Click("BtnRead");
  const QStringList sheets = Sheets();
  ASSERT_FALSE(sheets.empty());
  EXPECT_TRUE(Control<QCheckBox>(*window_, "CHKall")->isChecked());
  for (int i = 0; i < sheets.size(); ++i) {
    EXPECT_TRUE(window_->host().SheetListSelected(i)) << i;
  }

  Click("BtnWrite");
  EXPECT_TRUE(boxes_.seen.empty()) << boxes_.seen[0].text.toStdString();
  for (int i = 0; i < sheets.size(); ++i) {
    EXPECT_FALSE(window_->host().SheetListSelected(i)) << i;  // converted
  }
  EXPECT_FALSE(Control<QLabel>(*window_, "pPic")->isVisible());

  TempDir cli_app;
  TempDir cli_settings;
  for (const char* book : {"Price.xls", "Discount1.xls", "Discount2.xls"}) {
    CopyInto(cli_app.path(), kDemoFolder / book);
  }
  std::string output;
  const std::string command =
      "XDG_CONFIG_HOME='" + cli_settings.path().string() + "' '" +
      TARNWICK_CLI + "' --app-folder '" + cli_app.path().string() +
      "' --yes convert --disc 2 --disc-format 0.##";
  ASSERT_EQ(RunCommand(command, &output, true), 0) << output;

  for (const QString& sheet : sheets) {
    SCOPED_TRACE(sheet.toStdString());
    const std::string table = sheet.toStdString() + ".txt";
    ASSERT_TRUE(fs::exists(app_ / table));
    EXPECT_FALSE(ReadBytes(app_ / table).empty());
    EXPECT_EQ(ReadBytes(app_ / table), ReadBytes(cli_app / table));
  }
}

TEST_F(FrmConvertConversionTest,
       AFailingSheetSaysFileNotProperAndEmptiesTheList) {
  CopyInto(app_.path(), fs::path(TARNWICK_WINDOW_FIXTURES) / "FailingPrice.xls",
           "Price.xls");
  Open();
  Click("BtnRead");
  ASSERT_EQ(Sheets(), (QStringList{"Good", "Broken", "Never"}));

  Click("BtnWrite");
  ASSERT_EQ(boxes_.seen.size(), 1u);
  EXPECT_EQ(boxes_.seen[0].text, "File Not Proper\r\nPlease Check this file");
  EXPECT_EQ(boxes_.seen[0].icon, QMessageBox::Information);
  EXPECT_TRUE(boxes_.seen[0].detail.contains("Broken"));
  EXPECT_EQ(Control<QListWidget>(*window_, "List")->count(), 0);
  EXPECT_TRUE(fs::exists(app_ / "Good.txt"));
  EXPECT_FALSE(fs::exists(app_ / "Never.txt"));
  EXPECT_FALSE(Control<QLabel>(*window_, "pPic")->isVisible());
  EXPECT_TRUE(Control<QPushButton>(*window_, "BtnRead")->isEnabled());
}

struct ImportCase {
  const char* folder;
  const char* button;
  QStringList sheets;
};

TEST_F(FrmConvertConversionTest, ImportsTurnTheDemoListsIntoThePriceWorkbook) {
  const ImportCase cases[] = {
      {"Demo/CSV", "BtnCSV", {"Oval", "Pear", "Round"}},
      {"Demo/DBF",
       "BtnDBF",
       {"Round", "Marquise", "Pear", "Emerald", "Princess"}},
  };
  for (const char* part : {"System", "Sample"}) {
    fs::copy(kDemoFolder / part, app_ / part, fs::copy_options::recursive);
  }
  Open();
  for (const ImportCase& test : cases) {
    SCOPED_TRACE(test.button);
    fs::remove(app_ / "Price.xls");
    Control<FolderList>(*window_, "DirList")
        ->SetPath(QString::fromStdString((kDemoFolder / test.folder).string()));
    ASSERT_GT(Control<QListWidget>(*window_, "FiList")->count(), 0);

    Click(test.button);
    EXPECT_TRUE(boxes_.seen.empty());
    EXPECT_TRUE(fs::exists(app_ / "Price.xls"));
    EXPECT_FALSE(Control<QLabel>(*window_, "pPic")->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    Click("BtnRead");
    EXPECT_EQ(Sheets(), test.sheets);
  }
}

TEST_F(FrmConvertConversionTest, ReadingWithoutAPriceWorkbookSaysSo) {
  Open();
  Click("BtnRead");
  ASSERT_EQ(boxes_.seen.size(), 1u);
  EXPECT_EQ(boxes_.seen[0].text, "Price file not exist!!!");
  EXPECT_EQ(boxes_.seen[0].icon, QMessageBox::Information);
  Click("BtnWrite");  // nothing read: nothing to convert, nothing said
  EXPECT_EQ(boxes_.seen.size(), 1u);
}

}  // namespace
}  // namespace tarnwick
