#ifndef TARNWICK_SETTINGS_DOCUMENTS_FOLDER_H_
#define TARNWICK_SETTINGS_DOCUMENTS_FOLDER_H_

#include <filesystem>

namespace tarnwick::settings {

// The user's documents folder, where an installed Tarnwick keeps its
// application folder: $XDG_DOCUMENTS_DIR when set, else the desktop's
// documents location, else the home folder when that location names no
// existing folder.
std::filesystem::path DocumentsFolder();

}  // namespace tarnwick::settings

#endif  // TARNWICK_SETTINGS_DOCUMENTS_FOLDER_H_
