#ifndef TARNWICK_CORE_FOLDER_LOCK_H_
#define TARNWICK_CORE_FOLDER_LOCK_H_

#include <filesystem>

#include "core/host.h"
#include "core/platform.h"

namespace tarnwick {

// Held by an operation that writes into the application folder (either
// import, the conversion) for as long as it runs, so that two runs in one
// folder never write the same files at once. The lock is on the hidden file
// ".tarnwick.lock" there; a run killed outright holds it no longer.
class FolderLock {
 public:
  explicit FolderLock(const std::filesystem::path& folder);

  // False, after telling `host` that another run is working in the folder,
  // when that run holds the lock; the operation then does nothing. A folder
  // where no lock can be taken at all (read-only) is not refused here: the
  // operation says what it cannot write.
  bool Acquired(Host& host) const;

 private:
  std::filesystem::path folder_;
  platform::FileLock lock_;
};

}  // namespace tarnwick

#endif  // TARNWICK_CORE_FOLDER_LOCK_H_
