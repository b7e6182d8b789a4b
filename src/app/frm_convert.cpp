#include "app/frm_convert.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <exception>
#include <utility>
#include <vector>

#include "app/drive_list.h"
#include "app/folder_list.h"
#include "core/progress_panel.h"
#include "filelists/fill_file_list.h"
#include "import/run_import.h"

namespace tarnwick::app {
namespace {

std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

}  // namespace

FrmConvert::FrmConvert(SettingsStore& settings, std::string settings_location,
                       std::filesystem::path app_folder,
                       std::unique_ptr<WindowOperations> operations,
                       QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      settings_(settings),
      settings_location_(std::move(settings_location)),
      app_folder_(std::move(app_folder)),
      operations_(std::move(operations)) {
  setObjectName("FrmConvert");
  setFixedSize(663, 403);
  BuildControls();
  host_ = std::make_unique<WindowHost>(
      HostWidgets{this, pPic, pBar, pVal, pCap, List, CHKall});
  ConnectHandlers();
  // Key preview: Escape reaches the window whatever control has the focus.
  QCoreApplication::instance()->installEventFilter(this);

  // The folder list starts at the current folder; the file list stays empty
  // until the user changes the folder.
  const QString start = QDir::currentPath();
  DirList->SetPath(start, /*quietly=*/true);
  DrvList->FollowFolder(DirList->Path());
  FormLoad();
}

FrmConvert::~FrmConvert() = default;

void FrmConvert::ConnectHandlers() {
  connect(ChRound, &QCheckBox::toggled, this, &FrmConvert::on_ChRound_toggled);
  connect(cRndNum, &QComboBox::currentIndexChanged, this,
          &FrmConvert::on_cRndNum_currentIndexChanged);
  connect(CmbDisc, &QComboBox::currentIndexChanged, this,
          &FrmConvert::on_CmbDisc_currentIndexChanged);
  connect(txtSpace, &QLineEdit::textChanged, this,
          &FrmConvert::on_txtSpace_textChanged);
  connect(CHKall, &QCheckBox::toggled, this, &FrmConvert::on_CHKall_toggled);
  connect(DrvList, &DriveList::DrivePicked, this,
          &FrmConvert::on_DrvList_DrivePicked);
  connect(DirList, &FolderList::PathChanged, this,
          &FrmConvert::on_DirList_PathChanged);
  connect(BtnRead, &QPushButton::clicked, this,
          &FrmConvert::on_BtnRead_clicked);
  connect(BtnWrite, &QPushButton::clicked, this,
          &FrmConvert::on_BtnWrite_clicked);
  connect(BtnDBF, &QPushButton::clicked, this, &FrmConvert::on_BtnDBF_clicked);
  connect(BtnCSV, &QPushButton::clicked, this, &FrmConvert::on_BtnCSV_clicked);
  connect(MnuRegistry, &QAction::triggered, this,
          &FrmConvert::on_MnuRegistry_triggered);
  connect(MnuOpenFolder, &QAction::triggered, this,
          &FrmConvert::on_MnuOpenFolder_triggered);
  connect(MnuExit, &QAction::triggered, this,
          &FrmConvert::on_MnuExit_triggered);
}

octonus::ConversionOptions FrmConvert::CurrentOptions() const {
  octonus::ConversionOptions options;
  options.app_folder = app_folder_;
  options.disc_level = CmbDisc->currentIndex();
  options.disc_format = CmbDSFormat->currentIndex() == 1
                            ? octonus::DiscountFormat::kPercentOff
                            : octonus::DiscountFormat::kMultiplier;
  return options;
}

void FrmConvert::FillFileList(const QString& folder) {
  FiList->clear();
  for (const std::string& name :
       tarnwick::filelists::FillFileList(ToPath(folder))) {
    FiList->addItem(QString::fromStdString(name));
  }
}

// ---------------------------------------------------------------------------
// Window events

bool FrmConvert::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr && widget->window() == this) {
      host_->SetCancelFlag(true);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FrmConvert::mousePressEvent(QMouseEvent* event) {
  // Only the background: a press on a control (a label included) is that
  // control's own. No menu while an operation runs, so Exit and Registry
  // cannot cut into it.
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::RightButton && childAt(at) == nullptr &&
      !running_) {
    MnuFile->popup(event->globalPosition().toPoint());
  }
  QWidget::mousePressEvent(event);
}

void FrmConvert::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), QPixmap(":/artwork/background.png"));
}

void FrmConvert::closeEvent(QCloseEvent* event) {
  // A conversion lets events in between rows; closing the window then would
  // pull the window from under it. Stop the run and close once it is over.
  if (running_) {
    host_->SetCancelFlag(true);
    close_pending_ = true;
    event->ignore();
    return;
  }
  event->accept();
}

void FrmConvert::showEvent(QShowEvent* event) {
  if (!centred_ && screen() != nullptr) {
    centred_ = true;
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
  }
  QWidget::showEvent(event);
}

void FrmConvert::on_MnuOpenFolder_triggered() {
  operations_->OpenApplicationFolder(app_folder_, *host_);
}

void FrmConvert::on_MnuExit_triggered() { close(); }

// ---------------------------------------------------------------------------
// Drive and folder lists

void FrmConvert::on_DrvList_DrivePicked(const QString& root) {
  QString folder = DrvList->FolderOn(root);
  if (!QFileInfo(folder).isDir()) folder = root;
  const QFileInfo info(folder);
  if (!info.isDir() || !info.isReadable() || !info.isExecutable()) {
    host_->ShowMessage(("The drive " + root + " cannot be read.").toStdString(),
                       MessageIcon::kInformation);
    DrvList->FollowFolder(DirList->Path());
    return;
  }
  DirList->SetPath(folder);
}

void FrmConvert::on_DirList_PathChanged(const QString& path) {
  DrvList->FollowFolder(path);
  FillFileList(path);
}

// ---------------------------------------------------------------------------
// Command buttons

std::vector<QWidget*> FrmConvert::OperationLockedControls() const {
  return {BtnDBF,   BtnCSV,  BtnRead, BtnWrite, CmbDisc, CmbDSFormat,
          txtSpace, ChRound, cRndNum, nDate,    CHKall,  List};
}

void FrmConvert::RunOperation(QWidget* starter,
                              const std::function<void()>& operation) {
  if (running_) return;
  running_ = true;
  // The commands, so that no operation starts inside another; the options,
  // CHKall and List, so that a batch keeps what it started with. Each gets
  // back the state it had (cRndNum stays off while ChRound is).
  std::vector<std::pair<QWidget*, bool>> enabled;
  for (QWidget* control : OperationLockedControls()) {
    enabled.emplace_back(control, control->isEnabled());
    control->setEnabled(false);
  }
  // Disabling the focused button handed the focus on; where it landed tells
  // whether the user moved it during the operation.
  QWidget* parked = focusWidget();
  try {
    operation();
  } catch (const std::exception& failure) {
    // The operations report their own failures; this is for the one none of
    // them foresaw, so that the window stays usable.
    host_->SetBusyPointer(false);
    host_->ShowMessage(failure.what(), MessageIcon::kCritical);
  }
  // Whatever way the run ended: the panel hidden and reset, the default
  // pointer, the controls back.
  ResetProgressPanel(*host_, false);
  host_->SetBusyPointer(false);
  for (const auto& [control, was_enabled] : enabled) {
    control->setEnabled(was_enabled);
  }
  if (focusWidget() == parked || focusWidget() == nullptr) {
    starter->setFocus(Qt::OtherFocusReason);
  }
  running_ = false;
  if (close_pending_) close();
}

void FrmConvert::on_BtnRead_clicked() {
  RunOperation(BtnRead, [this] {
    operations_->ReadPriceFile(CurrentOptions(), *host_);
  });
}

void FrmConvert::on_BtnWrite_clicked() {
  RunOperation(BtnWrite, [this] {
    operations_->ConvertSelectedSheets(CurrentOptions(), settings_, *host_);
  });
}

void FrmConvert::on_BtnDBF_clicked() {
  RunOperation(BtnDBF, [this] {
    import::RunImport(FiList->count(), *host_, [this] {
      operations_->ConvertDBFFiles(app_folder_, ToPath(DirList->Path()),
                                   *host_);
  });
});
}

void FrmConvert::on_BtnCSV_clicked() {
  RunOperation(BtnCSV, [this] {
    import::RunImport(FiList->count(), *host_, [this] {
      operations_->ConvertCSVFiles(app_folder_, ToPath(DirList->Path()),
                                   *host_);
  });
});
}

}  // namespace tarnwick::app
