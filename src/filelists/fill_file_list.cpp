#include "filelists/fill_file_list.h"

#include <algorithm>
#include <string>

#include "core/letter_case.h"

namespace tarnwick::filelists {
namespace {

bool HasSuffix(const std::string& name, std::string_view suffix) {
  return name.size() >= suffix.size() &&
         SameIgnoringCase(
             std::string_view(name).substr(name.size() - suffix.size()),
             suffix);
}

}  // namespace

std::vector<std::filesystem::path> FolderFiles(
    const std::filesystem::path& folder) {
  // Each name with its capitals, made once rather than at every comparison.
  struct Entry {
    std::string key;
    std::string name;
    std::filesystem::path path;
  };
  std::vector<Entry> entries;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code type_ec;
    if (!it->is_regular_file(type_ec)) continue;
    std::string name = it->path().filename().string();
    entries.push_back({UpperCase(name), std::move(name), it->path()});
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.key != b.key ? a.key < b.key : a.name < b.name;
  });
  std::vector<std::filesystem::path> files;
  files.reserve(entries.size());
  for (Entry& entry : entries) files.push_back(std::move(entry.path));
  return files;
}

bool HasCsvSuffix(const std::string& name) { return HasSuffix(name, ".CSV"); }
bool HasDbfSuffix(const std::string& name) { return HasSuffix(name, ".DBF"); }

std::vector<std::string> FillFileList(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& file : FolderFiles(folder)) {
    std::string name = file.filename().string();
    if (HasCsvSuffix(name) || HasDbfSuffix(name)) names.push_back(name);
  }
  return names;
}

}  // namespace tarnwick::filelists
