#ifndef TARNWICK_CORE_APPLICATION_FOLDER_H_
#define TARNWICK_CORE_APPLICATION_FOLDER_H_

#include <filesystem>

namespace tarnwick {

// What each program knows about where it runs, for ChooseApplicationFolder.
struct ApplicationFolderPlaces {
  // --app-folder; empty when not given.
  std::filesystem::path named;
  // The folder that holds the running program.
  std::filesystem::path program_folder;
  // The user's documents folder (the home folder when the desktop has none).
  std::filesystem::path documents_folder;
};

// The folder that holds Price.xls, the discount workbooks, the tables and
// System/, the same for both programs:
// 1. the folder named by --app-folder, else by $TARNWICK_HOME;
// 2. else the program's own folder when a System folder lies beside it (the
//    build's ready folder, or a copy carried elsewhere);
// 3. else, for an installed program whose System/ and Sample/ lie in
//    <prefix>/share/tarnwick, "Tarnwick" in the documents folder. It is made
//    when missing, and every System/ or Sample/ file missing there is copied
//    from the installed ones; a file already there is never replaced, so a
//    dictionary the user extended stays as it is.
// Throws Error naming the folder when it cannot be made or written.
std::filesystem::path ChooseApplicationFolder(
    const ApplicationFolderPlaces& places);

}  // namespace tarnwick

#endif  // TARNWICK_CORE_APPLICATION_FOLDER_H_
