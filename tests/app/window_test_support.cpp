#include "window_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

namespace tarnwick::testing {

MessageBoxAnswerer::MessageBoxAnswerer() {
  timer_.setInterval(5);
  connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswerer::Answer);
  timer_.start();
}

void MessageBoxAnswerer::Answer() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible() || box->property("answered").toBool())
    return;
  box->setProperty("answered", true);
  seen.push_back({box->text(), box->icon(), box->detailedText()});
  if (while_shown) while_shown();
  QMessageBox::StandardButton button = QMessageBox::Ok;
  if (box->button(QMessageBox::Yes) != nullptr) {
    bool yes = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    button = yes ? QMessageBox::Yes : QMessageBox::No;
  }
  box->button(button)->click();
}

std::vector<QString> MessageBoxAnswerer::Texts() const {
  std::vector<QString> texts;
  for (const Seen& s : seen) texts.push_back(s.text);
  return texts;
}

void ScriptedOperations::ReadPriceFile(const ConversionOptions& options,
                                       Host& host) {
  ++calls->read;
  calls->options = options;
  if (on_read) on_read(host);
}

void ScriptedOperations::ConvertSelectedSheets(const ConversionOptions& options,
                                               SettingsStore&, Host& host) {
  ++calls->convert;
  calls->options = options;
  if (on_convert) on_convert(host);
}

void ScriptedOperations::ConvertDBFFiles(const std::filesystem::path&,
                                         const std::filesystem::path& folder,
                                         Host& host) {
  ++calls->dbf;
  calls->folder = folder;
  if (on_import) on_import(host);
}

void ScriptedOperations::ConvertCSVFiles(const std::filesystem::path&,
                                         const std::filesystem::path& folder,
                                         Host& host) {
  ++calls->csv;
  calls->folder = folder;
  if (on_import) on_import(host);
}

void WhenModal(std::function<void(QWidget& dialog)> act) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || !dialog->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act(*dialog);
  });
  timer->start();
}

void ShowAndWait(QWidget& window) {
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    throw std::runtime_error("the window did not come up");
  }
}

std::unique_ptr<FrmConvert> OpenWindow(
    SettingsStore& settings, std::unique_ptr<WindowOperations> operations,
    const std::filesystem::path& app_folder) {
  if (operations == nullptr)
    operations = std::make_unique<ScriptedOperations>();
  auto window = std::make_unique<FrmConvert>(
      settings, "/home/user/.config/Tarnwick/Settings.conf", app_folder,
      std::move(operations));
  ShowAndWait(*window);
  return window;
}

std::vector<std::string> SavesOf(const MemorySettingsStore& store,
                                 const std::string& name) {
  std::vector<std::string> values;
  for (const auto& [saved_name, value] : store.saves) {
    if (saved_name == name) values.push_back(value);
  }
  return values;
}

}  // namespace tarnwick::testing
