#ifndef TARNWICK_TESTS_APP_WINDOW_TEST_SUPPORT_H_
#define TARNWICK_TESTS_APP_WINDOW_TEST_SUPPORT_H_

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_convert.h"
#include "app/window_operations.h"
#include "support/memory_settings_store.h"

namespace tarnwick::testing {

// Answers every message box the window opens while it lives: records its
// text, icon and detail, then presses OK, or for a question the next scripted
// answer (No once the script runs out).
class MessageBoxAnswerer : public QObject {
 public:
  struct Seen {
    QString text;
    QMessageBox::Icon icon;
    QString detail;
  };

  MessageBoxAnswerer();
  std::vector<Seen> seen;
  std::deque<bool> answers;
  // Runs while a box is up, before it is answered (to look at the window).
  std::function<void()> while_shown;

  std::vector<QString> Texts() const;

 private:
  void Answer();
  QTimer timer_;
};

// Operations that run what a test puts into them and count the calls.
class ScriptedOperations : public WindowOperations {
 public:
  struct Calls {
    int read = 0;
    int convert = 0;
    int dbf = 0;
    int csv = 0;
    std::filesystem::path folder;  // of the last import
    ConversionOptions options;     // of the last read or convert
  };
  // Shared with the test, which keeps it after the window owns the object.
  std::shared_ptr<Calls> calls = std::make_shared<Calls>();
  std::function<void(Host&)> on_read, on_convert, on_import;

  void ReadPriceFile(const ConversionOptions& options, Host& host) override;
  void ConvertSelectedSheets(const ConversionOptions& options, SettingsStore&,
                             Host& host) override;
  void ConvertDBFFiles(const std::filesystem::path& app_folder,
                       const std::filesystem::path& folder,
                       Host& host) override;
  void ConvertCSVFiles(const std::filesystem::path& app_folder,
                       const std::filesystem::path& folder,
                       Host& host) override;
};

// A control of the window by its name; fails the test when it is missing.
template <typename Widget>
Widget* Control(const QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
  if (widget == nullptr) throw std::runtime_error(std::string("no ") + name);
  return widget;
}

// Runs `act` on the next modal dialog that comes up (while a test's click
// waits in the dialog's own loop); the dialog must be closed by `act`.
void WhenModal(std::function<void(QWidget& dialog)> act);

// Shows `window` and waits until the platform has put it up.
void ShowAndWait(QWidget& window);

// FrmConvert over `settings`, with scripted operations unless others are
// given, shown on the offscreen screen.
std::unique_ptr<FrmConvert> OpenWindow(
    SettingsStore& settings,
    std::unique_ptr<WindowOperations> operations = nullptr,
    const std::filesystem::path& app_folder = {});

// The values saved under `name`, in order.
std::vector<std::string> SavesOf(const MemorySettingsStore& store,
                                 const std::string& name);

}  // namespace tarnwick::testing

#endif  // TARNWICK_TESTS_APP_WINDOW_TEST_SUPPORT_H_
