// The window's own events (Escape, the pop-up menu, CHKall, the drive, folder
// and file lists), its four command buttons around their operations, and one
// run of the real operations behind them.

#include "app/core_operations.h"
#include "app/drive_list.h"
#include "app/folder_list.h"
#include "app/window_test.h"
#include "core/error.h"
#include "octonus/price_workbooks.h"

namespace tarnwick::test {
namespace {

// Held still during an operation: the buttons, the options and the list
// (cRndNum is off anyway while ChRound is).
constexpr char kHeld[] =
    "BtnRead BtnWrite BtnDBF BtnCSV CmbDisc CmbDSFormat txtSpace ChRound nDate "
    "CHKall List cRndNum";

class FrmConvertTest : public WindowTest {
 protected:
  // "panel" if the progress panel is up, "busy" under the hourglass, then
  // the controls of kHeld that are enabled.
  std::string State() const {
    QStringList state;
    if (Get("pPic")->isVisible()) state << "panel";
    if (QApplication::overrideCursor() != nullptr) state << "busy";
    for (const QString& name : QString(kHeld).split(' ')) {
      if (Get(qPrintable(name))->isEnabled()) state << name;
    }
    return state.join(' ').toStdString();
  }

  void ExpectIdleWindow() {
    EXPECT_EQ(Get<QProgressBar>("pBar")->value(), 0);
    EXPECT_EQ(Get<QLabel>("pVal")->text() + " " + Get<QLabel>("pCap")->text(),
              "0% Please wait...");
    EXPECT_EQ(State() + " cRndNum", kHeld);
  }
  // Points DirList, and so FiList, at `folder`.
  void ShowFolder(const fs::path& folder) {
    Get<app::FolderList>("DirList")->SetPath(
        QString::fromStdString(folder.string()));
  }
};

TEST_F(FrmConvertTest, EscapeSetsCancelFlagWhateverHasTheFocus) {
  for (const char* name : {"List", "FiList", "DirList", "txtSpace", "CmbDisc",
                           "BtnRead", "CHKall"}) {
    SCOPED_TRACE(name);
    host().SetCancelFlag(false);
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
  QStringList items{menu->title()};
  for (QAction* action : menu->actions()) items << action->text();
  ASSERT_EQ(items.join('|'), "File|Registry|Open Application Folder|Exit");
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
  for (const char* sheet : {"Round", "Pear", "Ovale ü"}) {
    host().AddSheetListEntry(sheet);
  }
  EXPECT_EQ(Entries("List", ','), "Round,Pear,Ovale ü");
  host().SetSheetListSelected(1, true);
  for (bool ticked : {true, false}) {
    QTest::mouseClick(all, Qt::LeftButton);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(host().SheetListSelected(i), ticked);
  }
  EXPECT_TRUE(store_.saves.empty());  // CHKall is not an option
}

TEST_F(FrmConvertTest, EnteringAFolderListsItsFoldersAndPriceLists) {
  WriteBytes(folder_ / "list.dbf", "x");
  fs::create_directory(folder_ / "inner");
  fs::create_directory(folder_ / "Alpha");
  auto* folders = Get<app::FolderList>("DirList");

  ShowFolder(folder_.path());
  EXPECT_EQ(Entries("FiList"), "list.dbf");
  // The chain down to the folder, then its subfolders in name order.
  std::string chain;
  for (const fs::path& part : folder_.path()) chain += part.string() + "|";
  EXPECT_EQ(Entries("DirList", '|'), chain + "Alpha|inner");

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
  EXPECT_EQ(folders->Path().toStdString(), (folder_ / "inner").string());
  WriteBytes(folder_ / "inner" / "rnddat.DBF", "x");
  EXPECT_EQ(Entries("FiList"), "");  // the list shows the folder as it was
  ASSERT_NE(folders->currentItem(), nullptr);
  double_click(folders->currentItem());
  EXPECT_EQ(Entries("FiList"), "rnddat.DBF");
}

TEST_F(FrmConvertTest, PickingADriveShowsItsFolderOrSaysItCannotBeRead) {
  auto* drives = Get<app::DriveList>("DrvList");
  EXPECT_EQ(drives->itemText(0), "/");
  WriteBytes(folder_ / "round.csv", "x");
  ShowFolder(folder_.path());
  const QString path = QString::fromStdString(folder_.path().string());
  const QString root = drives->currentData().toString();
  EXPECT_TRUE(path.startsWith(root));

  // A drive that cannot be read is named, and the lists stay as they were.
  emit drives->DrivePicked("/media/no-such-card");
  EXPECT_EQ(
      modals_.seen,
      Lines{"Information: The drive /media/no-such-card cannot be read."});
  EXPECT_EQ(drives->currentData().toString(), root);
  EXPECT_EQ(Get<app::FolderList>("DirList")->Path(), path);

  // A drive shows the folder last shown on it, and that folder's files.
  Get<QListWidget>("FiList")->clear();
  emit drives->DrivePicked(root);
  EXPECT_EQ(Get<app::FolderList>("DirList")->Path(), path);
  EXPECT_EQ(Entries("FiList"), "round.csv");
}

// An import with an empty file list says so and runs nothing.
TEST_F(FrmConvertTest, ImportsNeedAFileAndButtonsAreHeldDuringARunNotAfter) {
  Click("BtnDBF");
  Click("BtnCSV");
  ExpectIdleWindow();
  EXPECT_EQ(modals_.seen, Lines(2, "Information: There is no file to read..."));
  modals_.seen.clear();
  WriteBytes(folder_ / "round.csv", "x");
  ShowFolder(folder_.path());
  for (const char* button : {"BtnRead", "BtnWrite", "BtnDBF", "BtnCSV"}) {
    // The imports come up with the panel and the hourglass.
    const bool import = button[3] == 'D' || button[3] == 'C';
    for (bool fail : {false, true}) {
      SCOPED_TRACE(std::string(button) + (fail ? " failing" : ""));
      ops_->script = [&](Host& host) {
        EXPECT_EQ(State(), import ? "panel busy" : "");
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
  EXPECT_EQ(modals_.seen,
            Lines(4, "Critical: Price.xls: the sheet Round cannot be read"));
  EXPECT_EQ(ops_->folder, folder_.path());
}

// A run hands the focus back to its button, unless the user moved it meanwhile.
TEST_F(FrmConvertTest, AFocusTheUserMovedDuringARunStaysPut) {
  ops_->script = [this](Host&) { Get("DirList")->setFocus(); };
  Click("BtnRead");
  EXPECT_EQ(window_->focusWidget(), Get("DirList"));
}

TEST_F(FrmConvertTest,
       DuringAConversionEscapeAndClosingCancelItAndNoMenuOpens) {
  ops_->script = [&](Host& host) {
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

// The real operations: the demo lists imported into Price.xls, read and
// converted with the options as the controls show them into the same tables
// as tarnwick-cli writes (the two discount formats give different tables),
// and Escape within a long sheet.
const fs::path kDemoFolder = TARNWICK_APP_DIR;

TEST_F(FrmConvertTest, ImportReadAndConvertWriteWhatTheCommandLineWrites) {
  Open(std::make_unique<app::CoreOperations>(), folder_.path());
  const struct {
    const char *button, *format, *sheets;  // the button reads Demo/CSV or DBF
    int disc;
  } cases[] = {
      {"BtnCSV", "0.##", "Oval Pear Round", 2},
      {"BtnCSV", "100%", "Oval Pear Round", 2},
      {"BtnDBF", "100%", "Round Marquise Pear Emerald Princess", 0},
  };
  fs::copy(kDemoFolder, folder_.path(), fs::copy_options::recursive);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " " + c.format);
    fs::remove(folder_ / "Price.xls");
    ShowFolder(kDemoFolder / "Demo" / (c.button + 3));
    Click(c.button);
    Get<QComboBox>("CmbDisc")->setCurrentIndex(c.disc);
    Get<QComboBox>("CmbDSFormat")->setCurrentText(c.format);
    Click("BtnRead");
    EXPECT_EQ(Entries("List"), c.sheets);
    EXPECT_TRUE(Get<QCheckBox>("CHKall")->isChecked());  // all selected
    Click("BtnWrite");
    ASSERT_EQ(modals_.seen, Lines{});
    auto* list = Get<QListWidget>("List");
    std::map<std::string, std::string> tables;
    for (int i = 0; i < list->count(); ++i) {  // every sheet done, unticked
      EXPECT_EQ(list->item(i)->checkState(), Qt::Unchecked);
      const std::string table = list->item(i)->text().toStdString() + ".txt";
      tables[table] = ReadBytes(folder_ / table);
    }
    const std::string options =
        " --disc " + std::to_string(c.disc) + " --disc-format " + c.format;
    ASSERT_EQ(RunCli(folder_.path(), "--yes convert" + options), 0);
    for (const auto& [table, bytes] : tables) {
      EXPECT_EQ(bytes, ReadBytes(folder_ / table)) << table;
    }
  }
}

// Escape pressed while a sheet of 30,000 rows is written, at the first turn
// of the event loop within it, stops it: the older table stays.
TEST_F(FrmConvertTest, EscapeStopsASheetOfThirtyThousandRows) {
  Open(std::make_unique<app::CoreOperations>(), folder_.path());
  Rows rows(30000, {"MASS:", "1", "2"});
  rows.push_back({"End Price"});
  WriteWorkbook(folder_ / "Price.xls", {{"Long", rows}});
  WriteBytes(folder_ / "Long.txt", "older");
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
  EXPECT_EQ(ReadBytes(folder_ / "Long.txt"), "older");
  EXPECT_EQ(modals_.seen, Lines{});
}

}  // namespace
}  // namespace tarnwick::test
