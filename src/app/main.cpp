#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/core_operations.h"
#include "app/frm_convert.h"
#include "core/application_folder.h"
#include "core/error.h"
#include "settings/documents_folder.h"
#include "settings/qt_settings_store.h"

int main(int argc, char** argv) {
#ifdef __GLIBC__
  // Workbooks and their value grids come and go in blocks of megabytes, one
  // set for every sheet of a run; kept by the allocator for the next sheet
  // rather than handed back to the system and faulted in again, they cost
  // a run of long sheets a fifth less processor time.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tarnwick");
  QApplication::setStyle("Fusion");
  QApplication::setWindowIcon(QIcon(":/artwork/tarnwick.png"));

  std::filesystem::path app_folder;
  try {
    app_folder = tarnwick::ChooseApplicationFolder(
        {{},
         QCoreApplication::applicationDirPath().toStdString(),
         tarnwick::settings::DocumentsFolder()});
  } catch (const tarnwick::Error& e) {
    QMessageBox::critical(nullptr, "Tarnwick",
                          QString::fromStdString(e.what()));
    return 1;
  }
  tarnwick::settings::QtSettingsStore settings;
  tarnwick::app::FrmConvert window(
      settings, settings.Location(), app_folder,
      std::make_unique<tarnwick::app::CoreOperations>());
  window.show();
  return QApplication::exec();
}
