#include "filelists/fill_file_list.h"

#include <algorithm>

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
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code type_ec;
    if (it->is_regular_file(type_ec)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
    std::string la = UpperCase(a.filename().string());
    std::string lb = UpperCase(b.filename().string());
    return la != lb ? la < lb : a.filename() < b.filename();
  });
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
