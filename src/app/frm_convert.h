#ifndef TARNWICK_APP_FRM_CONVERT_H_
#define TARNWICK_APP_FRM_CONVERT_H_

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/window_host.h"
#include "app/window_operations.h"
#include "core/settings_store.h"
#include "octonus/conversion_session.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;

namespace tarnwick::app {

class DriveList;
class FolderList;

// Tarnwick's window: the folder to import from, the options, the sheet list
// of the price workbook, the four command buttons and the progress panel.
// Every option is saved the moment it changes (SetReg); nothing is saved on
// closing.
class FrmConvert : public QWidget {
  Q_OBJECT

 public:
  // `settings` holds the four options and outlives the window; `location`
  // tells the user where (shown by File > Registry).
  FrmConvert(SettingsStore& settings, std::string settings_location,
             std::filesystem::path app_folder,
             std::unique_ptr<WindowOperations> operations,
             QWidget* parent = nullptr);
  ~FrmConvert() override;

  // Saves the four options, "mSpace", "cRound", "rDecimalPoint", "Disc" in
  // this order; nothing while start-up restores them.
  void SetReg();
  // Refills FiList with the CSV and DBF files of `folder`.
  void FillFileList(const QString& folder);

  Host& host() { return *host_; }
  bool CancelFlag() const { return host_->CancelFlag(); }
  // The options the conversion is started with, as the controls show them.
  octonus::ConversionOptions CurrentOptions() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // The handlers, each named after the control and signal that call it;
  // ConnectHandlers connects them.
  void on_ChRound_toggled(bool checked);
  void on_cRndNum_currentIndexChanged(int index);
  void on_CmbDisc_currentIndexChanged(int index);
  void on_txtSpace_textChanged(const QString& text);
  void on_CHKall_toggled(bool checked);
  void on_DrvList_DrivePicked(const QString& root);
  void on_DirList_PathChanged(const QString& path);
  void on_BtnRead_clicked();
  void on_BtnWrite_clicked();
  void on_BtnDBF_clicked();
  void on_BtnCSV_clicked();
  void on_MnuRegistry_triggered();
  void on_MnuOpenFolder_triggered();
  void on_MnuExit_triggered();

  void ConnectHandlers();
  void BuildControls();
  void BuildProgressPanel();
  void BuildMenu();
  void SetTabOrder();
  void FormLoad();
  void RestoreOptions();
  // Runs the operation of the button `starter` with the commands, options,
  // CHKall and List disabled, and leaves the window usable however the
  // operation ends, the focus back on `starter` unless the user moved it.
  void RunOperation(QWidget* starter, const std::function<void()>& operation);
  // What RunOperation disables.
  std::vector<QWidget*> OperationLockedControls() const;

  SettingsStore& settings_;
  std::string settings_location_;
  std::filesystem::path app_folder_;
  std::unique_ptr<WindowOperations> operations_;
  std::unique_ptr<WindowHost> host_;
  bool IsLoading = false;
  bool running_ = false;
  bool close_pending_ = false;
  bool centred_ = false;

  QLabel* Image1 = nullptr;
  DriveList* DrvList = nullptr;
  FolderList* DirList = nullptr;
  QListWidget* FiList = nullptr;
  QPushButton* BtnDBF = nullptr;
  QPushButton* BtnCSV = nullptr;
  QCheckBox* nDate = nullptr;
  QComboBox* CmbDisc = nullptr;
  QComboBox* CmbDSFormat = nullptr;
  QLineEdit* txtSpace = nullptr;
  QCheckBox* ChRound = nullptr;
  QComboBox* cRndNum = nullptr;
  QPushButton* BtnRead = nullptr;
  QPushButton* BtnWrite = nullptr;
  QCheckBox* CHKall = nullptr;
  QListWidget* List = nullptr;
  QLabel* pPic = nullptr;
  QLabel* pCap = nullptr;
  QProgressBar* pBar = nullptr;
  QLabel* pVal = nullptr;
  QMenu* MnuFile = nullptr;
  QAction* MnuRegistry = nullptr;
  QAction* MnuOpenFolder = nullptr;
  QAction* MnuExit = nullptr;
};

// "Tarnwick (Ver : 1.1.0)": the caption, with the program's version.
QString WindowCaption();

}  // namespace tarnwick::app

#endif  // TARNWICK_APP_FRM_CONVERT_H_
