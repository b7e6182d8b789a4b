#include "core/application_folder.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

#include "core/error.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

constexpr const char* kShippedFolders[] = {"System", "Sample"};

Error CannotUse(const fs::path& folder, const std::string& reason) {
  return Error("The application folder " + folder.string() +
               " cannot be created or written: " + reason);
}

// Copies what `from` holds and `to` lacks, folders included; files already
// in `to` are left as the user keeps them.
void CopyMissing(const fs::path& from, const fs::path& to,
                 const fs::path& app_folder) {
  std::error_code ec;
  fs::create_directories(to, ec);
  if (ec) throw CannotUse(app_folder, to.string() + ": " + ec.message());
  for (const fs::directory_entry& entry : fs::directory_iterator(from, ec)) {
    const fs::path target = to / entry.path().filename();
    if (entry.is_directory(ec)) {
      CopyMissing(entry.path(), target, app_folder);
    } else if (!fs::exists(fs::symlink_status(target, ec))) {
      fs::copy_file(entry.path(), target, ec);
      if (ec) {
        throw CannotUse(app_folder, target.string() + ": " + ec.message());
      }
    }
  }
}

// A folder can exist and still refuse new files (read-only, another
// user's): found out now rather than halfway through an import.
void CheckWritable(const fs::path& folder) {
  const fs::path probe = folder / ".tarnwick-write-check";
  bool written = static_cast<bool>(std::ofstream(probe) << "");
  std::error_code ec;
  fs::remove(probe, ec);
  if (!written) throw CannotUse(folder, "no file can be written there");
}

// Where an installed program finds the System/ and Sample/ it was shipped
// with: <prefix>/share/tarnwick beside <prefix>/bin, whatever the prefix.
fs::path InstalledDataFolder(const fs::path& program_folder) {
  return program_folder.parent_path() / "share" / "tarnwick";
}

}  // namespace

fs::path ChooseApplicationFolder(const ApplicationFolderPlaces& places) {
  if (!places.named.empty()) return places.named;
  if (const char* home = std::getenv("TARNWICK_HOME");
      home != nullptr && *home != '\0') {
    return home;
  }
  std::error_code ec;
  if (fs::is_directory(places.program_folder / "System", ec)) {
    return places.program_folder;
  }
  const fs::path folder = places.documents_folder / "Tarnwick";
  fs::create_directories(folder, ec);
  if (ec || !fs::is_directory(folder)) {
    throw CannotUse(folder, ec ? ec.message() : "it is not a folder");
  }
  const fs::path shipped = InstalledDataFolder(places.program_folder);
  for (const char* name : kShippedFolders) {
    if (fs::is_directory(shipped / name, ec)) {
      CopyMissing(shipped / name, folder / name, folder);
    }
  }
  CheckWritable(folder);
  return folder;
}

}  // namespace tarnwick
