#ifndef TARNWICK_FILELISTS_FILL_FILE_LIST_H_
#define TARNWICK_FILELISTS_FILL_FILE_LIST_H_

#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick::filelists {

// The files directly inside `folder` (no subfolders), in name order without
// regard to letter case, so that every run sees them in the same order. A
// folder that cannot be read gives an empty list.
std::vector<std::filesystem::path> FolderFiles(
    const std::filesystem::path& folder);

// True when the last four characters of `name`, upper-cased, are ".CSV"
// (or ".DBF" for HasDbfSuffix).
bool HasCsvSuffix(const std::string& name);
bool HasDbfSuffix(const std::string& name);

// The entries of FiList for `folder`: the names (as stored, no folder part)
// of its files that end in .CSV or .DBF, letter case ignored.
std::vector<std::string> FillFileList(const std::filesystem::path& folder);

}  // namespace tarnwick::filelists

#endif  // TARNWICK_FILELISTS_FILL_FILE_LIST_H_
