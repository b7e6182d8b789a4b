#include "core/folder_lock.h"

#include <string>

namespace tarnwick {

FolderLock::FolderLock(const std::filesystem::path& folder)
    : folder_(folder), lock_(folder / ".tarnwick.lock") {}

bool FolderLock::Acquired(Host& host) const {
  if (lock_.outcome() != platform::FileLock::Outcome::kHeldElsewhere) {
    return true;
  }
  host.ShowMessage("Another Tarnwick run is working in the folder " +
                       folder_.string() +
                       ".\r\nNothing was done; try again when it has finished.",
                   MessageIcon::kInformation);
  return false;
}

}  // namespace tarnwick
