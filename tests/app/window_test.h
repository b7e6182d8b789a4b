// What the window's tests share: a shown FrmConvert over settings in memory,
// operations that only count their runs, and a hand that answers every modal
// dialog. They run on Qt's offscreen platform (window_test_main.cpp).

#ifndef TARNWICK_TESTS_APP_WINDOW_TEST_H_
#define TARNWICK_TESTS_APP_WINDOW_TEST_H_

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_convert.h"
#include "app/window_operations.h"
#include "support/memory_settings_store.h"
#include "support/temp_dir.h"

namespace tarnwick::test {

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
  int yeses = 0;
  std::function<void(QDialog&)> on_dialog;

 private:
  void Answer() {
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (modal == nullptr || !modal->isVisible()) return;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return on_dialog(*modal);
    const QString detail = box->detailedText();
    seen.push_back(
        QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon()) +
        (": " + box->text()).toStdString() +
        (detail.isEmpty() ? "" : " [" + detail.toStdString() + "]") +
        (QApplication::overrideCursor() ? " (busy)" : ""));
    const bool ok = box->button(QMessageBox::Ok) != nullptr;
    box->done(ok ? QMessageBox::Ok
                 : (yeses-- > 0 ? QMessageBox::Yes : QMessageBox::No));
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
// a test opens it with others, and a fresh folder for its files.
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
  Host& host() { return window_->host(); }

  MemorySettingsStore store_;
  ModalAnswerer modals_;
  ScriptedOperations* ops_ = nullptr;  // owned by the window; null if real
  std::unique_ptr<app::FrmConvert> window_;
  TempDir folder_;
};

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_APP_WINDOW_TEST_H_
