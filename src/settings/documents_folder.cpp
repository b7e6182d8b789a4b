#include "settings/documents_folder.h"

#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <QtGlobal>

namespace tarnwick::settings {

std::filesystem::path DocumentsFolder() {
  // Qt reads the documents folder from user-dirs.dirs only; a session or a
  // script that sets the variable itself means it to win.
  QString folder = qEnvironmentVariable("XDG_DOCUMENTS_DIR");
  if (folder.isEmpty()) {
    folder =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  }
  // A desktop without a documents folder: the home folder, rather than
  // making ~/Documents for the one program that asked.
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  return std::filesystem::path(folder.toStdString());
}

}  // namespace tarnwick::settings
