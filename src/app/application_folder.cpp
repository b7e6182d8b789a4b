#include "app/application_folder.h"

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

namespace tarnwick {

std::filesystem::path ApplicationFolder() {
  QString home = qEnvironmentVariable("TARNWICK_HOME");
  if (home.isEmpty()) home = QCoreApplication::applicationDirPath();
  return std::filesystem::path(home.toStdString());
}

}  // namespace tarnwick
