// Read Price File, Convert and the imports through the window with the real
// operations: the same tables as tarnwick-cli, Escape within a long sheet,
// and the demo lists turned into Price.xls.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/core_operations.h"
#include "octonus/price_workbooks.h"
#include "support/temp_dir.h"
#include "window_test_support.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using test::Entries;
using test::ReadBytes;
using test::TempDir;

const fs::path kDemoFolder = TARNWICK_APP_DIR;

class FrmConvertConversionTest : public test::WindowTest {
 protected:
  FrmConvertConversionTest() {
    Open(std::make_unique<app::CoreOperations>(), app_.path());
  }
  QStringList Sheets() const { return Entries(*Get<QListWidget>("List")); }

  TempDir app_;
};

// Both discount formats: the options reach the conversion as the controls
// show them (the demo's tables differ between the two).
TEST_F(FrmConvertConversionTest,
       ReadThenConvertWritesWhatTheCommandLineWrites) {
  TempDir cli_app;
  for (const char* book : {"Price.xls", "Discount1.xls", "Discount2.xls"}) {
    fs::copy_file(kDemoFolder / book, app_ / book);
    fs::copy_file(kDemoFolder / book, cli_app / book);
  }
  Get<QComboBox>("CmbDisc")->setCurrentIndex(2);
  for (int format : {0, 1}) {
    auto* formats = Get<QComboBox>("CmbDSFormat");
    formats->setCurrentIndex(format);
    SCOPED_TRACE(formats->currentText().toStdString());
    Click("BtnRead");
    const QStringList sheets = Sheets();
    ASSERT_FALSE(sheets.empty());
    EXPECT_TRUE(Get<QCheckBox>("CHKall")->isChecked());  // all selected
    Click("BtnWrite");
    ASSERT_TRUE(modals_.seen.empty()) << modals_.seen[0].text.toStdString();
    auto* list = Get<QListWidget>("List");
    for (int i = 0; i < list->count(); ++i) {  // every sheet done, unticked
      EXPECT_EQ(list->item(i)->checkState(), Qt::Unchecked);
    }

    std::string err;
    ASSERT_EQ(test::RunCli(cli_app.path(),
                           "--yes convert --disc 2 --disc-format '" +
                               formats->currentText().toStdString() + "'",
                           nullptr, &err),
              0)
        << err;
    for (const QString& sheet : sheets) {
      SCOPED_TRACE(sheet.toStdString());
      const std::string table = sheet.toStdString() + ".txt";
      EXPECT_FALSE(ReadBytes(app_ / table).empty());
      EXPECT_EQ(ReadBytes(app_ / table), ReadBytes(cli_app / table));
    }
  }
}

// Escape pressed while a sheet of 30,000 rows is written, at the first turn
// of the event loop within it, stops it: the older table stays, the entry
// stays selected for the next run.
TEST_F(FrmConvertConversionTest, EscapeStopsASheetOfThirtyThousandRows) {
  test::Rows rows(30000, {"MASS:", "1", "2"});
  rows.push_back({"End Price"});
  test::WriteWorkbook(app_ / "Price.xls", {{"Long", rows}});
  test::WriteBytes(app_ / "Long.txt", "older");
  Click("BtnRead");
  // Counted from the sheet's start; its first turn comes at its first row.
  int turns = 0;
  std::function<void()> turn = [&] {
    if (++turns == 2) QTest::keyClick(Get("FiList"), Qt::Key_Escape);
    if (turns < 2) QTimer::singleShot(0, Get("List"), turn);
  };
  Get<QListWidget>("List")->setCurrentRow(-1);
  QObject::connect(Get<QListWidget>("List"), &QListWidget::currentRowChanged,
                   turn);
  Click("BtnWrite");
  EXPECT_EQ(turns, 2);
  EXPECT_EQ(ReadBytes(app_ / "Long.txt"), "older");
  EXPECT_EQ(Get<QListWidget>("List")->item(0)->checkState(), Qt::Checked);
  EXPECT_TRUE(modals_.seen.empty());
  EXPECT_TRUE(test::HiddenFiles(app_.path()).empty());
}

TEST_F(FrmConvertConversionTest, ImportsTurnTheDemoListsIntoThePriceWorkbook) {
  const struct {
    const char* folder;
    const char* button;
    const char* sheets;
  } cases[] = {
      {"Demo/CSV", "BtnCSV", "Oval Pear Round"},
      {"Demo/DBF", "BtnDBF", "Round Marquise Pear Emerald Princess"},
  };
  for (const char* part : {"System", "Sample"}) {
    fs::copy(kDemoFolder / part, app_ / part, fs::copy_options::recursive);
  }
  for (const auto& test : cases) {
    SCOPED_TRACE(test.button);
    fs::remove(app_ / "Price.xls");
    ShowFolder(kDemoFolder / test.folder);
    Click(test.button);
    Click("BtnRead");
    EXPECT_TRUE(modals_.seen.empty());
    EXPECT_EQ(Sheets().join(' '), test.sheets);
  }
}

}  // namespace
}  // namespace tarnwick
