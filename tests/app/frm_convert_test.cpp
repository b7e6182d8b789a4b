// The window's own events (Escape, the pop-up menu, CHKall, the drive, folder
// and file lists), its four command buttons around their operations, the
// real operations behind them, and the host as the core sees it on the
// window (questions, the pointer, the progress bar's figures and repaints).

#include "app/frm_convert.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "app/core_operations.h"
#include "app/drive_list.h"
#include "app/folder_list.h"
#include "app/window_host.h"
#include "core/error.h"
#include "octonus/price_workbooks.h"
#include "support/temp_dir.h"
#include "window_test_support.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using test::Entries;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

const char* const kButtons[] = {"BtnRead", "BtnWrite", "BtnDBF", "BtnCSV"};
// Held still during an operation, with the buttons; cRndNum is off while
// ChRound is.
const char* const kOptionsAndList[] = {"CmbDisc", "CmbDSFormat", "txtSpace",
                                       "ChRound", "nDate",       "CHKall",
                                       "List",    "cRndNum"};

bool Busy() {
  return QApplication::overrideCursor() != nullptr &&
         QApplication::overrideCursor()->shape() == Qt::WaitCursor;
}

class FrmConvertTest : public test::WindowTest {
 protected:
  void ExpectIdleWindow() {
    EXPECT_FALSE(Get("pPic")->isVisible());
    EXPECT_EQ(Get<QProgressBar>("pBar")->value(), 0);
    EXPECT_EQ(Get<QLabel>("pVal")->text(), "0%");
    EXPECT_EQ(Get<QLabel>("pCap")->text(), "Please wait...");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    for (const char* name : kButtons) EXPECT_TRUE(Get(name)->isEnabled());
    for (const char* name : kOptionsAndList) {
      EXPECT_EQ(Get(name)->isEnabled(), name != std::string("cRndNum"));
    }
    EXPECT_FALSE(window_->OperationRunning());
  }

  test::TempDir folder_;
};

TEST_F(FrmConvertTest, EscapeSetsCancelFlagWhateverHasTheFocus) {
  for (const char* name : {"List", "FiList", "DirList", "txtSpace", "CmbDisc",
                           "BtnRead", "CHKall"}) {
    SCOPED_TRACE(name);
    window_->host().SetCancelFlag(false);
    Get(name)->setFocus();
    QTest::keyClick(Get(name), Qt::Key_A);
    EXPECT_FALSE(window_->CancelFlag());
    QTest::keyClick(Get(name), Qt::Key_Escape);
    EXPECT_TRUE(window_->CancelFlag());
  }
  EXPECT_TRUE(window_->isVisible());  // Escape does not close the window
}

TEST_F(FrmConvertTest, TheFileMenuOpensOnTheBackgroundOnlyAndExitCloses) {
  Open(nullptr, "/home/user/Documents/Tarnwick");
  auto* menu = Get<QMenu>("MnuFile");
  for (const char* name : {"Label2", "List", "FiList", "Image1", "BtnRead",
                           "txtSpace", "ChRound"}) {
    QTest::mouseClick(Get(name), Qt::RightButton);
    EXPECT_FALSE(menu->isVisible()) << name;
  }
  QTest::mouseClick(window_.get(), Qt::LeftButton, {}, QPoint(300, 10));
  EXPECT_FALSE(menu->isVisible());
  QTest::mouseClick(window_.get(), Qt::RightButton, {}, QPoint(300, 10));
  ASSERT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->title(), "File");
  QStringList items;
  for (QAction* action : menu->actions()) items << action->text();
  ASSERT_EQ(items.join('|'), "Registry|Open Application Folder|Exit");
  menu->actions()[1]->trigger();
  EXPECT_EQ(ops_->runs["MnuOpenFolder"], 1);
  EXPECT_EQ(ops_->folder, "/home/user/Documents/Tarnwick");
  EXPECT_TRUE(window_->isVisible());
  menu->actions()[2]->trigger();
  menu->hide();
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(FrmConvertTest, SelectAllTicksAndClearsEveryEntry) {
  auto* all = Get<QCheckBox>("CHKall");
  QTest::mouseClick(all, Qt::LeftButton);  // an empty list: nothing to do
  QTest::mouseClick(all, Qt::LeftButton);
  Host& host = window_->host();
  for (const char* sheet : {"Round", "Pear", "Ovale ü"})
    host.AddSheetListEntry(sheet);
  EXPECT_EQ(Entries(*Get<QListWidget>("List")).join(','), "Round,Pear,Ovale ü");
  host.SetSheetListSelected(1, true);
  for (bool ticked : {true, false}) {
    QTest::mouseClick(all, Qt::LeftButton);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(host.SheetListSelected(i), ticked);
  }
  EXPECT_TRUE(store_.saves.empty());  // CHKall is not an option
}

TEST_F(FrmConvertTest, EnteringAFolderListsItsFoldersAndPriceLists) {
  WriteBytes(folder_ / "list.dbf", "x");
  WriteBytes(folder_ / "notes.txt", "x");
  std::filesystem::create_directory(folder_ / "inner");
  std::filesystem::create_directory(folder_ / "Alpha");
  auto* folders = Get<app::FolderList>("DirList");
  auto* files = Get<QListWidget>("FiList");
  const QString root = QString::fromStdString(folder_.path().string());

  ShowFolder(folder_.path());
  EXPECT_EQ(Entries(*files), QStringList{"list.dbf"});
  // The chain down to the folder, then its subfolders in name order.
  const QStringList entries = Entries(*folders);
  EXPECT_EQ(entries.first(), "/");
  EXPECT_EQ(entries.mid(entries.size() - 3).join('|'),
            root.section('/', -1) + "|Alpha|inner");

  // A single click only highlights; a double click (a click, then the
  // double-click event) enters, and reads the folder as it is now.
  auto double_click = [&](QListWidgetItem* item) {
    const QString before = folders->Path();
    const QPoint at = folders->visualItemRect(item).center();
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(folders->Path(), before);
    QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
  };
  double_click(folders->item(folders->count() - 1));
  EXPECT_EQ(folders->Path(), root + "/inner");
  EXPECT_EQ(files->count(), 0);
  WriteBytes(folder_ / "inner" / "rnddat.DBF", "x");
  EXPECT_EQ(files->count(), 0);  // the list shows the folder as it was
  ASSERT_NE(folders->currentItem(), nullptr);
  double_click(folders->currentItem());
  EXPECT_EQ(Entries(*files), QStringList{"rnddat.DBF"});
}

TEST_F(FrmConvertTest, PickingADriveShowsItsFolderOrSaysItCannotBeRead) {
  auto* drives = Get<app::DriveList>("DrvList");
  ASSERT_GE(drives->count(), 1);
  EXPECT_EQ(drives->itemText(0), "/");
  WriteBytes(folder_ / "round.csv", "x");
  ShowFolder(folder_.path());
  const QString path = QString::fromStdString(folder_.path().string());
  const QString root = drives->CurrentRoot();
  EXPECT_TRUE(path.startsWith(root));

  // A drive that cannot be read is named, and the lists stay as they were.
  emit drives->DrivePicked("/media/no-such-card");
  ASSERT_EQ(modals_.seen.size(), 1u);
  EXPECT_EQ(modals_.seen[0].text,
            "The drive /media/no-such-card cannot be read.");
  EXPECT_EQ(drives->CurrentRoot(), root);
  EXPECT_EQ(Get<app::FolderList>("DirList")->Path(), path);

  // A drive shows the folder last shown on it, and that folder's files.
  Get<QListWidget>("FiList")->clear();
  emit drives->DrivePicked(root);
  EXPECT_EQ(Get<app::FolderList>("DirList")->Path(), path);
  EXPECT_EQ(Entries(*Get<QListWidget>("FiList")), QStringList{"round.csv"});
}

TEST_F(FrmConvertTest, ImportsWithAnEmptyFileListSayThereIsNoFile) {
  for (const char* button : {"BtnDBF", "BtnCSV"}) {
    SCOPED_TRACE(button);
    modals_.seen.clear();
    Click(button);
    ASSERT_EQ(modals_.seen.size(), 1u);
    EXPECT_EQ(modals_.seen[0].text, "There is no file to read...");
    EXPECT_EQ(modals_.seen[0].icon, QMessageBox::Information);
    ExpectIdleWindow();
  }
  EXPECT_TRUE(ops_->runs.empty());
}

TEST_F(FrmConvertTest, ButtonsAreDisabledDuringARunAndTheWindowIdleAfterIt) {
  WriteBytes(folder_ / "round.csv", "x");
  ShowFolder(folder_.path());
  for (const char* button : kButtons) {
    // The imports come up with the panel and the hourglass.
    const bool import = button[3] == 'D' || button[3] == 'C';
    for (bool fail : {false, true}) {
      SCOPED_TRACE(std::string(button) + (fail ? " failing" : ""));
      ops_->scripts[button] = [&](Host& host) {
        for (const char* name : kButtons) EXPECT_FALSE(Get(name)->isEnabled());
        for (const char* name : kOptionsAndList) {
          EXPECT_FALSE(Get(name)->isEnabled()) << name;
        }
        EXPECT_EQ(Get("pPic")->isVisible(), import);
        EXPECT_EQ(Busy(), import);
        // A click that gets through while the operation lets events in
        // starts nothing.
        Click("BtnRead");
        Click("BtnCSV");
        host.ProcessPendingEvents();
        // The operation leaves the panel up with figures and the hourglass,
        // or fails with a reason none of the operations caught.
        host.SetBusyPointer(true);
        host.SetProgressVisible(true);
        host.SetProgressValue(3);
        host.SetProgressPercent("30%");
        host.SetProgressCaption("Writing(Round)");
        host.Repaint();
        if (fail) throw Error("Price.xls: the sheet Round cannot be read");
      };
      Click(button);
      ExpectIdleWindow();
      EXPECT_EQ(window_->focusWidget(), Get(button));
    }
    EXPECT_EQ(ops_->runs[button], 2);
  }
  ASSERT_EQ(modals_.seen.size(), 4u);
  for (const auto& box : modals_.seen) {
    EXPECT_EQ(box.text, "Price.xls: the sheet Round cannot be read");
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_FALSE(box.busy);
  }
  EXPECT_EQ(ops_->folder, folder_.path());
}

// The focus comes back to the button, so a second Space reads again rather
// than clearing SELECT ALL; a focus the user moved meanwhile stays put.
TEST_F(FrmConvertTest, FocusReturnsToTheButtonUnlessTheUserMovedIt) {
  ops_->scripts["BtnRead"] = [](Host& host) {
    host.ClearSheetList();
    host.AddSheetListEntry("Round");
    host.SetSelectAll(true);
  };
  Get("BtnRead")->setFocus();
  QTest::keyClick(Get("BtnRead"), Qt::Key_Space);
  QTest::keyClick(window_->focusWidget(), Qt::Key_Space);
  EXPECT_EQ(ops_->runs["BtnRead"], 2);
  EXPECT_EQ(Entries(*Get<QListWidget>("List")), QStringList{"Round"});
  EXPECT_TRUE(Get<QCheckBox>("CHKall")->isChecked());

  ops_->scripts["BtnRead"] = [this](Host&) { Get("DirList")->setFocus(); };
  Click("BtnRead");
  EXPECT_EQ(window_->focusWidget(), Get("DirList"));
}

TEST_F(FrmConvertTest,
       DuringAConversionEscapeAndClosingCancelItAndNoMenuOpens) {
  ops_->scripts["BtnWrite"] = [&](Host& host) {
    host.SetCancelFlag(false);
    Get("List")->setFocus();
    QCoreApplication::postEvent(
        Get("List"),
        new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    EXPECT_FALSE(host.CancelFlag());  // Escape waits for pending events
    host.ProcessPendingEvents();
    EXPECT_TRUE(host.CancelFlag());

    host.SetCancelFlag(false);
    QTest::mouseClick(window_.get(), Qt::RightButton, {}, QPoint(300, 10));
    EXPECT_FALSE(Get("MnuFile")->isVisible());
    window_->close();
    host.ProcessPendingEvents();
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(host.CancelFlag());  // the run stops at its next row
  };
  Click("BtnWrite");
  EXPECT_EQ(ops_->runs["BtnWrite"], 1);
  EXPECT_FALSE(window_->isVisible());  // and the window closes after it
}

// Read Price File, Convert and the imports with the real operations: the
// same tables as tarnwick-cli, Escape within a long sheet, and the demo
// lists turned into Price.xls.
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

class WindowHostTest : public test::WindowTest {
 protected:
  Host& host_ = window_->host();
};

TEST_F(WindowHostTest, QuestionsAnswerYesOrNo) {
  const char* question =
      "Discount-2file not exist!!!\r\nDo you want to continue?";
  modals_.answers = {true, false};
  EXPECT_TRUE(host_.AskYesNo(question));
  EXPECT_FALSE(host_.AskYesNo(question));
  ASSERT_EQ(modals_.seen.size(), 2u);
  EXPECT_EQ(modals_.seen[1].text, question);
  EXPECT_EQ(modals_.seen[1].icon, QMessageBox::Question);
}

TEST_F(WindowHostTest, AMessageShowsItsDetailAndTheArrowOverTheBusyPointer) {
  host_.SetBusyPointer(true);
  host_.SetBusyPointer(true);  // not stacked: one restore ends it
  host_.ShowMessage("File Not Proper", MessageIcon::kInformation, "Sheet Pear");
  ASSERT_EQ(modals_.seen.size(), 1u);
  EXPECT_EQ(modals_.seen[0].icon, QMessageBox::Information);
  EXPECT_EQ(modals_.seen[0].detail, "Sheet Pear");
  EXPECT_FALSE(modals_.seen[0].busy);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  host_.SetBusyPointer(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WindowHostTest, TheBarShowsFractionalMaximaAndKeepsTheExactFigures) {
  const struct {
    double max, value, filled;
  } cases[] = {
      {20.0 / 7, 1, 0.35},  // a CSV file of 20 items: 20/7 records
      {20.0 / 7, 4, 1},     // past the maximum: a full bar
      {0, 4, 0},
  };
  auto* bar = Get<QProgressBar>("pBar");
  for (const auto& test : cases) {
    SCOPED_TRACE(test.filled);
    host_.SetProgressMax(test.max);
    host_.SetProgressValue(test.value);
    host_.SetProgressVisible(true);  // showing the panel always paints
    host_.Repaint();
    EXPECT_DOUBLE_EQ(host_.ProgressMax(), test.max);
    EXPECT_DOUBLE_EQ(host_.ProgressValue(), test.value);
    EXPECT_DOUBLE_EQ(bar->value() / double(bar->maximum()), test.filled);
  }
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST_F(WindowHostTest, RepaintsComeAtMostAboutThirtyASecond) {
  PaintCounter counter;
  window_->installEventFilter(&counter);
  host_.SetProgressVisible(true);
  for (int row = 0; row < 200; ++row) {
    host_.SetProgressValue(row);
    host_.Repaint();
  }
  // One paint for the panel coming up; the rest fall within the same few
  // hundredths of a second.
  EXPECT_GE(counter.paints, 1);
  EXPECT_LE(counter.paints, 5);
  EXPECT_DOUBLE_EQ(host_.ProgressValue(), 199);  // the figures still follow
  counter.paints = 0;
  host_.SetProgressVisible(false);
  host_.Repaint();  // hiding the panel always shows at once
  EXPECT_EQ(counter.paints, 1);
}

}  // namespace
}  // namespace tarnwick
