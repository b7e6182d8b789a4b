// The window: its four stored options (start-up restores them without writing
// any; every change made afterwards, by hand or through File > Registry, saves
// all four), every control as drawn and the tab order, its own events (Escape,
// the pop-up menu, CHKall, the drive, folder and file lists), its four command
// buttons around their operations, one run of the real operations behind
// them, and the host as the core sees it on the window (questions, the
// pointer, the progress bar's figures and repaints).

#include "app/frm_convert.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/core_operations.h"
#include "app/drive_list.h"
#include "app/folder_list.h"
#include "app/window_operations.h"
#include "core/error.h"
#include "octonus/price_workbooks.h"
#include "support/memory_settings_store.h"
#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// Takes every modal dialog that comes up while it lives. A message box is
// recorded in `seen` as "<icon>: <text>", its detail in brackets and
// " (busy)" if the hourglass showed over it, and answered OK, or for a
// question Yes `yeses` times, then No; any other dialog goes to `on_dialog`,
// which must close it.
class ModalAnswerer : public QObject {
 public:
  ModalAnswerer() {
    connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::Answer);
    timer_.start(5);
  }
  Lines seen;
  int yeses = 0;  // questions to answer Yes before answering No
  std::function<void(QDialog&)> on_dialog;

 private:
  void Answer() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return on_dialog(*qobject_cast<QDialog*>(modal));
    const char* const icons[] = {"", "Information", "Warning", "Critical",
                                 "Question"};
    const QString detail = box->detailedText();
    seen.push_back(icons[box->icon()] + (": " + box->text()).toStdString() +
                   (detail.isEmpty() ? "" : " [" + detail.toStdString() + "]") +
                   (QApplication::overrideCursor() ? " (busy)" : ""));
    QAbstractButton* button = box->button(QMessageBox::Ok);
    if (button == nullptr) {
      button = box->button(yeses-- > 0 ? QMessageBox::Yes : QMessageBox::No);
    }
    button->click();
  }
  QTimer timer_;
};

// Operations that count their runs by the name of the button behind them
// ("BtnRead", "BtnWrite", ...) and run what a test scripts for them.
class ScriptedOperations : public app::WindowOperations {
  using Options = octonus::ConversionOptions;

 public:
  std::function<void(Host&)> script;
  std::map<std::string, int> runs;
  fs::path folder;  // of the last import, or the one opened

  void ReadPriceFile(const Options&, Host& h) override { Run("BtnRead", h); }
  void ConvertSelectedSheets(const Options&, SettingsStore&, Host& h) override {
    Run("BtnWrite", h);
  }
  void ConvertDBFFiles(const fs::path&, const fs::path& at, Host& h) override {
    Run("BtnDBF", h, at);
  }
  void ConvertCSVFiles(const fs::path&, const fs::path& at, Host& h) override {
    Run("BtnCSV", h, at);
  }
  void OpenApplicationFolder(const fs::path& at, Host& h) override {
    Run("MnuOpenFolder", h, at);
  }

 private:
  void Run(const std::string& button, Host& host, const fs::path& at = {}) {
    ++runs[button];
    if (!at.empty()) folder = at;
    if (script) script(host);
  }
};

// A shown FrmConvert over `store_`, with scripted operations (`ops_`) unless
// a test opens it with others.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() { Open(); }

  void Open(std::unique_ptr<app::WindowOperations> operations = nullptr,
            const fs::path& app_folder = {}) {
    auto scripted = std::make_unique<ScriptedOperations>();
    ops_ = operations ? nullptr : scripted.get();
    window_ = std::make_unique<app::FrmConvert>(
        store_, "/home/user/.config/Tarnwick/Settings.conf", app_folder,
        operations ? std::move(operations) : std::move(scripted));
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  // A control of the window by its name; fails the test when it is missing.
  template <typename Widget = QWidget>
  Widget* Get(const char* name) const {
    auto* widget = window_->findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) throw std::runtime_error(std::string("no ") + name);
    return widget;
  }
  // The entries of a list or drop-down, joined by `separator`.
  template <typename List = QListWidget>
  std::string Entries(const char* name, char separator = ' ') const {
    const List* list = Get<List>(name);
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
      texts << list->model()->index(i, 0).data().toString();
    }
    return texts.join(separator).toStdString();
  }
  void Click(const char* button) {
    QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton);
  }
  // Points DirList, and so FiList, at `folder`.
  void ShowFolder(const fs::path& folder) {
    Get<app::FolderList>("DirList")->SetPath(
        QString::fromStdString(folder.string()));
  }
  Host& host() { return window_->host(); }

  MemorySettingsStore store_;
  ModalAnswerer modals_;
  ScriptedOperations* ops_ = nullptr;  // owned by the window; null if real
  std::unique_ptr<app::FrmConvert> window_;
};

class FrmConvertOptionsTest : public WindowTest {
 protected:
  void OpenOver(const std::map<std::string, std::string>& stored) {
    store_ = {};
    store_.values.insert(stored.begin(), stored.end());
    Open();
  }

  // What the option controls show, in the form and order they are saved in:
  // "mSpace cRound rDecimalPoint Disc".
  std::string Shown() const {
    const bool round = Get<QCheckBox>("ChRound")->isChecked();
    EXPECT_EQ(Get("cRndNum")->isEnabled(), round);
    return (Get<QLineEdit>("txtSpace")->text() + (round ? " 1 " : " 0 ") +
            Get<QComboBox>("cRndNum")->currentText() + " " +
            Get<QComboBox>("CmbDisc")->currentText())
        .toStdString();
  }

  // The last round of saves in the same form; every round saves all four.
  std::string LastSaved() const {
    const char* const names[] = {"mSpace", "cRound", "rDecimalPoint", "Disc"};
    const size_t end = store_.saves.size();
    std::string values;
    for (size_t i = end - std::min<size_t>(end, 4); i < end; ++i) {
      EXPECT_EQ(store_.saves[i].first, names[i % 4]);
      values += (values.empty() ? "" : " ") + store_.saves[i].second;
    }
    return values;
  }
};

TEST_F(FrmConvertOptionsTest, StoredValuesSelectTheirEntriesWithoutSaving) {
  const struct {
    std::map<std::string, std::string> stored;
    const char* shown;
  } cases[] = {
      {{}, "0 0 0 0"},  // the first start
      {{{"cRound", "1"}, {"rDecimalPoint", "2"}}, "0 1 2 0"},
      {{{"cRound", "1"}}, "0 1 0 0"},
      // Digits are restored even while rounding is off.
      {{{"cRound", "0"}, {"rDecimalPoint", "3"}}, "0 0 3 0"},
      {{{"mSpace", "14"}}, "14 0 0 0"},
      {{{"mSpace", "7x"}}, "7 0 0 0"},
      {{{"mSpace", "ab"}}, "0 0 0 0"},
      {{{"Disc", "3"}}, "0 0 0 3"},
      // The integer read rounds half to even.
      {{{"Disc", "3.7"}}, "0 0 0 4"},
      {{{"Disc", "2.5"}}, "0 0 0 2"},
      {{{"cRound", "0.6"}}, "0 1 0 0"},
      // Values no entry fits leave the default entry.
      {{{"Disc", "9"}}, "0 0 0 0"},
      {{{"Disc", "-1"}}, "0 0 0 0"},
      {{{"Disc", "1e300"}}, "0 0 0 0"},
      {{{"rDecimalPoint", "7"}}, "0 0 0 0"},
      {{{"rDecimalPoint", "2.5"}}, "0 0 0 0"},
      {{{"cRound", "2"}}, "0 0 0 0"},
      {{{"mSpace", "123"}}, "0 0 0 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.stored));
    OpenOver(c.stored);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(Get<QComboBox>("CmbDSFormat")->currentText(), "0.##");
    EXPECT_EQ(Get<QListWidget>("FiList")->count(), 0);
    EXPECT_TRUE(store_.saves.empty());
  }
}

TEST_F(FrmConvertOptionsTest, EveryOptionChangeSavesAllFourAsShown) {
  const struct {
    std::map<std::string, std::string> stored;
    const char *control, *shown;
    int pick;  // the entry picked; -1 clicks the control
  } cases[] = {
      // Ticking ChRound by hand resets the digits; unticking keeps them.
      {{{"mSpace", "9"}, {"rDecimalPoint", "2"}}, "ChRound", "9 1 0 0", -1},
      {{{"cRound", "1"}, {"rDecimalPoint", "3"}}, "ChRound", "0 0 3 0", -1},
      {{{"cRound", "1"}}, "cRndNum", "0 1 2 0", 2},
      {{}, "CmbDisc", "0 0 0 3", 3},
      {{}, "CmbDSFormat", "0 0 0 0", 1},  // not an option: nothing saved
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control);
    OpenOver(c.stored);
    if (c.pick < 0) {
      QTest::mouseClick(Get(c.control), Qt::LeftButton);
    } else {
      Get<QComboBox>(c.control)->setCurrentIndex(c.pick);
    }
    EXPECT_EQ(Shown(), c.shown);
    const bool option = c.control != std::string("CmbDSFormat");
    EXPECT_EQ(LastSaved(), option ? c.shown : "");
  }
}

TEST_F(FrmConvertOptionsTest, EveryKeystrokeInMaxSpaceSavesAllFour) {
  auto* space = Get<QLineEdit>("txtSpace");
  space->clear();
  store_.saves.clear();
  const struct {
    Qt::Key key;
    const char *text, *saved;
  } steps[] = {
      {Qt::Key_1, "1", "1 0 0 0"},         {Qt::Key_2, "12", "12 0 0 0"},
      {Qt::Key_3, "12", "12 0 0 0"},  // the box takes two characters
      {Qt::Key_Backspace, "1", "1 0 0 0"}, {Qt::Key_Backspace, "", "0 0 0 0"},
      {Qt::Key_X, "x", "0 0 0 0"},  // no number: 0
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.text);
    QTest::keyClick(space, step.key);
    EXPECT_EQ(space->text(), step.text);
    EXPECT_EQ(LastSaved(), step.saved);
  }
}

TEST_F(FrmConvertOptionsTest, RegistryShowsWhereTheOptionsLiveAndSavesEdits) {
  Open(nullptr, "/home/user/Documents/Tarnwick");
  // Cancelled edits are dropped; accepted ones are shown and saved.
  for (bool accept : {false, true}) {
    modals_.on_dialog = [accept](QDialog& dialog) {
      EXPECT_EQ(dialog.findChild<QLabel*>("Location")->text(),
                "/home/user/.config/Tarnwick/Settings.conf");
      EXPECT_EQ(dialog.findChild<QLabel*>("AppFolder")->text(),
                "/home/user/Documents/Tarnwick");
      EXPECT_EQ(dialog.findChild<QLineEdit*>("mSpace")->text(), "0");
      dialog.findChild<QLineEdit*>("mSpace")->setText("20");
      dialog.findChild<QCheckBox*>("cRound")->setChecked(true);
      dialog.findChild<QComboBox*>("rDecimalPoint")->setCurrentIndex(3);
      dialog.findChild<QComboBox*>("Disc")->setCurrentIndex(2);
      accept ? dialog.accept() : dialog.reject();
    };
    Get<QAction>("MnuRegistry")->trigger();
    EXPECT_EQ(Shown(), accept ? "20 1 3 2" : "0 0 0 0");
  }
  EXPECT_EQ(store_.saves.size(), 4u);
  EXPECT_EQ(LastSaved(), "20 1 3 2");
}

using FrmConvertLayoutTest = WindowTest;

// Every control by name with its caption if it has one, else its tool tip,
// column by column as the window shows them.
constexpr char kTexts[] =
    "Label2=DRIVE(S)|DrvList=|Label1=DIRECTORIES|DirList=|Label4=FILE(S)|"
    "FiList=Your Pricelists|BtnDBF=Convert DBF Files|BtnCSV=Convert CSV Files|"
    "nDate=Check to deduct discount|Label9=NO DATE|Label7=DISC. LVL|CmbDisc=|"
    "Label5=DISC. FORMAT|CmbDSFormat=|Label24=MAX SPACE|txtSpace=|"
    "Label6=ROUND DOWN|ChRound=Check to round up your price figure|"
    "cRndNum=Digits after decimal points.|BtnRead=Read Price File|"
    "BtnWrite=Convert into Octonus Format.|Label3=PRICE FILE(S)|CHKall=|"
    "Label8=SELECT ALL|List=Your Pricelists|pPic=|pCap=Please wait...|pBar=|"
    "pVal=0%|Image1=";

TEST_F(FrmConvertLayoutTest, EveryControlShowsItsTextsAndNoneCoversAnother) {
  EXPECT_EQ(window_->windowTitle(), "Tarnwick (Ver : 1.1.0)");
  EXPECT_EQ(window_->size(), QSize(663, 403));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());  // fixed
  EXPECT_FALSE(window_->windowFlags().testAnyFlags(
      Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  std::vector<QWidget*> placed;
  for (const QString& entry : QString(kTexts).split('|')) {
    const QString name = entry.section('=', 0, 0);
    SCOPED_TRACE(name.toStdString());
    QWidget* control = Get(qPrintable(name));
    const bool on_panel = QStringList{"pCap", "pBar", "pVal"}.contains(name);
    EXPECT_EQ(control->parentWidget(), on_panel ? Get("pPic") : window_.get());
    EXPECT_TRUE(control->parentWidget()->rect().contains(control->geometry()));
    for (QWidget* earlier : placed) {
      EXPECT_FALSE(earlier->parentWidget() == control->parentWidget() &&
                   earlier->geometry().intersects(control->geometry()))
          << earlier->objectName().toStdString();
    }
    placed.push_back(control);
    auto* label = qobject_cast<QLabel*>(control);
    const QString caption = label != nullptr ? label->text() : "";
    EXPECT_EQ(caption.isEmpty() ? control->toolTip() : caption,
              entry.section('=', 1));
    // The whole caption fits its box.
    EXPECT_LE(control->fontMetrics().horizontalAdvance(caption),
              control->width());
  }
  for (const char* entries :
       {"CmbDisc=0 1 2 3 4 5", "CmbDSFormat=0.## 100%", "cRndNum=0 1 2 3"}) {
    const std::string name = QString(entries).section('=', 0, 0).toStdString();
    EXPECT_FALSE(Get<QComboBox>(name.c_str())->isEditable());
    EXPECT_EQ(name + "=" + Entries<QComboBox>(name.c_str()), entries);
  }
}

TEST_F(FrmConvertLayoutTest, TabGoesThroughTheControlsInTheirOrder) {
  const QString order =
      "DrvList DirList BtnDBF nDate CmbDisc CmbDSFormat BtnCSV txtSpace "
      "ChRound cRndNum BtnRead BtnWrite CHKall List FiList";
  QStringList seen;
  for (QWidget* w = Get("DrvList"); seen.size() <= order.count(' ');
       w = w->nextInFocusChain()) {
    if (order.split(' ').contains(w->objectName())) seen << w->objectName();
  }
  EXPECT_EQ(seen.join(' '), order);
}

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

  TempDir folder_;
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
  const std::string chain = Entries("DirList", '|');
  EXPECT_TRUE(
      chain.starts_with("/|") &&
      chain.ends_with(folder_.path().filename().string() + "|Alpha|inner"))
      << chain;

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

TEST_F(FrmConvertTest, ImportsWithAnEmptyFileListSayThereIsNoFile) {
  for (const char* button : {"BtnDBF", "BtnCSV"}) {
    Click(button);
    ExpectIdleWindow();
  }
  EXPECT_EQ(modals_.seen, Lines(2, "Information: There is no file to read..."));
  EXPECT_TRUE(ops_->runs.empty());
}

TEST_F(FrmConvertTest, ButtonsAreDisabledDuringARunAndTheWindowIdleAfterIt) {
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
  for (const char* part :
       {"System", "Sample", "Discount1.xls", "Discount2.xls"}) {
    fs::copy(kDemoFolder / part, folder_ / part, fs::copy_options::recursive);
  }
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
    ASSERT_EQ(RunCli(folder_.path(), "--yes convert --disc " +
                                         std::to_string(c.disc) +
                                         " --disc-format " + c.format),
              0);
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

using WindowHostTest = WindowTest;

TEST_F(WindowHostTest, QuestionsAndMessagesShowWithTheArrowOverTheBusyPointer) {
  const std::string question =
      "Discount-2file not exist!!!\r\nDo you want to continue?";
  modals_.yeses = 1;
  host().SetBusyPointer(true);
  host().SetBusyPointer(true);  // not stacked: one restore ends it
  EXPECT_TRUE(host().AskYesNo(question));
  EXPECT_FALSE(host().AskYesNo(question));
  host().ShowMessage("File Not Proper", MessageIcon::kInformation,
                     "Sheet Pear");
  EXPECT_EQ(modals_.seen,
            (Lines{"Question: " + question, "Question: " + question,
                   "Information: File Not Proper [Sheet Pear]"}));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  host().SetBusyPointer(false);
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.filled);
    host().SetProgressMax(c.max);
    host().SetProgressValue(c.value);
    host().SetProgressVisible(true);  // showing the panel always paints
    host().Repaint();
    EXPECT_DOUBLE_EQ(host().ProgressMax(), c.max);
    EXPECT_DOUBLE_EQ(host().ProgressValue(), c.value);
    EXPECT_DOUBLE_EQ(bar->value() / double(bar->maximum()), c.filled);
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
  host().SetProgressVisible(true);
  for (int row = 0; row < 200; ++row) {
    host().SetProgressValue(row);
    host().Repaint();
  }
  // One paint for the panel coming up; the rest fall within the same few
  // hundredths of a second.
  EXPECT_GE(counter.paints, 1);
  EXPECT_LE(counter.paints, 5);
  EXPECT_DOUBLE_EQ(host().ProgressValue(), 199);  // the figures still follow
  counter.paints = 0;
  host().SetProgressVisible(false);
  host().Repaint();  // hiding the panel always shows at once
  EXPECT_EQ(counter.paints, 1);
}

}  // namespace
}  // namespace tarnwick::test

int main(int argc, char** argv) {
  // Before the application object exists, so that the tests need no display,
  // in CI and when CTest lists them alike.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tarnwick");
  QApplication::setStyle("Fusion");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
