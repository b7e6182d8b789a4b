#include "window_test_support.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "app/folder_list.h"

namespace tarnwick::test {

ModalAnswerer::ModalAnswerer() {
  timer_.setInterval(5);
  connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::Answer);
  timer_.start();
}

void ModalAnswerer::Answer() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || !modal->isVisible() ||
      modal->property("answered").toBool())
    return;
  modal->setProperty("answered", true);
  auto* box = qobject_cast<QMessageBox*>(modal);
  if (box == nullptr) {
    if (on_dialog) on_dialog(*qobject_cast<QDialog*>(modal));
    return;
  }
  seen.push_back({box->text(), box->icon(), box->detailedText(),
                  QApplication::overrideCursor() != nullptr});
  QMessageBox::StandardButton button = QMessageBox::Ok;
  if (box->button(QMessageBox::Yes) != nullptr) {
    const bool yes = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    button = yes ? QMessageBox::Yes : QMessageBox::No;
  }
  box->button(button)->click();
}

QStringList Entries(const QListWidget& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
  return texts;
}

void WindowTest::Open(std::unique_ptr<app::WindowOperations> operations,
                      const std::filesystem::path& app_folder) {
  window_.reset();
  ops_ = nullptr;
  if (operations == nullptr) {
    auto scripted = std::make_unique<ScriptedOperations>();
    ops_ = scripted.get();
    operations = std::move(scripted);
  }
  window_ = std::make_unique<app::FrmConvert>(
      store_, "/home/user/.config/Tarnwick/Settings.conf", app_folder,
      std::move(operations));
  window_->show();
  if (!QTest::qWaitForWindowExposed(window_.get())) {
    throw std::runtime_error("the window did not come up");
  }
}

void WindowTest::Click(const char* button) {
  QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton);
}

void WindowTest::ShowFolder(const std::filesystem::path& folder) {
  Get<app::FolderList>("DirList")->SetPath(
      QString::fromStdString(folder.string()));
}

}  // namespace tarnwick::test
