#ifndef TARNWICK_TESTS_APP_WINDOW_TEST_SUPPORT_H_
#define TARNWICK_TESTS_APP_WINDOW_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <QDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_convert.h"
#include "app/window_operations.h"
#include "support/memory_settings_store.h"

namespace tarnwick::test {

// Takes every modal dialog that comes up while it lives. A message box is
// recorded (text, icon, detail, whether the hourglass showed over it) and
// answered OK, or for a question with the next scripted answer (No once the
// script runs out); any other dialog goes to `on_dialog`, which must close
// it.
class ModalAnswerer : public QObject {
 public:
  struct Seen {
    QString text;
    QMessageBox::Icon icon;
    QString detail;
    bool busy;
  };

  ModalAnswerer();
  std::vector<Seen> seen;
  std::deque<bool> answers;
  std::function<void(QDialog&)> on_dialog;

 private:
  void Answer();
  QTimer timer_;
};

// Operations that count their runs and run what a test scripts for them,
// both by the name of the button behind them ("BtnRead", "BtnWrite", ...).
class ScriptedOperations : public app::WindowOperations {
 public:
  std::map<std::string, std::function<void(Host&)>> scripts;
  std::map<std::string, int> runs;
  // The folder of the last import, or the one opened.
  std::filesystem::path folder;

  void ReadPriceFile(const octonus::ConversionOptions&, Host& host) override {
    Run("BtnRead", host);
  }
  void ConvertSelectedSheets(const octonus::ConversionOptions&, SettingsStore&,
                             Host& host) override {
    Run("BtnWrite", host);
  }
  void ConvertDBFFiles(const std::filesystem::path&,
                       const std::filesystem::path& folder,
                       Host& host) override {
    Run("BtnDBF", host, folder);
  }
  void ConvertCSVFiles(const std::filesystem::path&,
                       const std::filesystem::path& folder,
                       Host& host) override {
    Run("BtnCSV", host, folder);
  }
  void OpenApplicationFolder(const std::filesystem::path& app_folder,
                             Host& host) override {
    Run("MnuOpenFolder", host, app_folder);
  }

 private:
  void Run(const std::string& button, Host& host,
           const std::filesystem::path& at = {}) {
    ++runs[button];
    if (!at.empty()) folder = at;
    if (scripts[button]) scripts[button](host);
  }
};

QStringList Entries(const QListWidget& list);

// A shown FrmConvert over `store_`, with scripted operations (`ops_`) unless
// a test opens it with others.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() { Open(); }

  void Open(std::unique_ptr<app::WindowOperations> operations = nullptr,
            const std::filesystem::path& app_folder = {});
  // A control of the window by its name; fails the test when it is missing.
  template <typename Widget = QWidget>
  Widget* Get(const char* name) const {
    auto* widget = window_->findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) throw std::runtime_error(std::string("no ") + name);
    return widget;
  }
  void Click(const char* button);
  // Points DirList, and so FiList, at `folder`.
  void ShowFolder(const std::filesystem::path& folder);

  MemorySettingsStore store_;
  ModalAnswerer modals_;
  ScriptedOperations* ops_ = nullptr;  // owned by the window; null if real
  std::unique_ptr<app::FrmConvert> window_;
};

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_APP_WINDOW_TEST_SUPPORT_H_
