#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <memory>

#include "app/core_operations.h"
#include "app/frm_convert.h"
#include "core/application_folder.h"
#include "core/error.h"
#include "core/memory_reuse.h"
#include "settings/documents_folder.h"
#include "settings/qt_settings_store.h"

int main(int argc, char** argv) {
  tarnwick::KeepFreedMemoryForReuse();
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tarnwick");
  QApplication::setStyle("Fusion");
  QApplication::setWindowIcon(QIcon(":/artwork/tarnwick.png"));

  std::filesystem::path app_folder;
  try {
    app_folder = tarnwick::ChooseApplicationFolder(
        {{},
         QCoreApplication::applicationDirPath().toStdString(),
         tarnwick::DocumentsFolder()});
  } catch (const tarnwick::Error& e) {
    QMessageBox::critical(nullptr, "Tarnwick",
                          QString::fromStdString(e.what()));
    return 1;
  }
  tarnwick::QtSettingsStore settings;
  tarnwick::FrmConvert window(settings, settings.Location(), app_folder,
                              std::make_unique<tarnwick::CoreOperations>());
  window.show();
  return QApplication::exec();
}
