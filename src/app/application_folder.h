#ifndef TARNWICK_APP_APPLICATION_FOLDER_H_
#define TARNWICK_APP_APPLICATION_FOLDER_H_

#include <filesystem>

namespace tarnwick {

// The folder that holds Price.xls, the discount workbooks and System/: the
// folder named by $TARNWICK_HOME when it is set, else the program's own.
// Needs the QCoreApplication to exist.
std::filesystem::path ApplicationFolder();

}  // namespace tarnwick

#endif  // TARNWICK_APP_APPLICATION_FOLDER_H_
