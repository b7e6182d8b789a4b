#include <QApplication>
#include <QIcon>
#include <memory>

#include "app/application_folder.h"
#include "app/core_operations.h"
#include "app/frm_convert.h"
#include "core/memory_reuse.h"
#include "settings/qt_settings_store.h"

int main(int argc, char** argv) {
  tarnwick::KeepFreedMemoryForReuse();
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tarnwick");
  QApplication::setStyle("Fusion");
  QApplication::setWindowIcon(QIcon(":/artwork/tarnwick.png"));

  tarnwick::QtSettingsStore settings;
  tarnwick::FrmConvert window(settings, settings.Location(),
                              tarnwick::ApplicationFolder(),
                              std::make_unique<tarnwick::CoreOperations>());
  window.show();
  return QApplication::exec();
}
