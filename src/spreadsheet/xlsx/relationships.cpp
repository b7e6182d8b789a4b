#include "spreadsheet/xlsx/relationships.h"

#include "spreadsheet/package/xml_part.h"

namespace tarnwick::spreadsheet::xlsx {

std::string ResolveTarget(std::string_view source, std::string_view target) {
  std::vector<std::string> parts;
  if (!target.empty() && target.front() == '/') {
    target.remove_prefix(1);
  } else {
    std::size_t slash = source.rfind('/');
    std::string_view folder =
        slash == std::string_view::npos ? "" : source.substr(0, slash);
    while (!folder.empty()) {
      std::size_t next = folder.find('/');
      parts.emplace_back(folder.substr(0, next));
      if (next == std::string_view::npos) break;
      folder.remove_prefix(next + 1);
    }
  }
  while (!target.empty()) {
    std::size_t next = target.find('/');
    std::string_view part = target.substr(0, next);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.emplace_back(part);
    }
    if (next == std::string_view::npos) break;
    target.remove_prefix(next + 1);
  }
  std::string path;
  for (const std::string& part : parts) {
    if (!path.empty()) path += '/';
    path += part;
  }
  return path;
}

std::vector<Relationship> ReadRelationships(package::ZipPackage& zip,
                                            std::string_view source) {
  std::size_t slash = source.rfind('/');
  std::string rels = slash == std::string_view::npos
                         ? "_rels/" + std::string(source) + ".rels"
                         : std::string(source.substr(0, slash)) + "/_rels/" +
                               std::string(source.substr(slash + 1)) + ".rels";
  std::vector<Relationship> found;
  if (!zip.Has(rels)) return found;
  package::XmlPart xml(zip.Open(rels), zip.what());
  std::string mode;
  while (xml.Next()) {
    if (!xml.IsStart("Relationship")) continue;
    Relationship r;
    std::string target;
    if (xml.Attribute("TargetMode", &mode) && mode == "External") continue;
    if (!xml.Attribute("Id", &r.id) || !xml.Attribute("Type", &r.type) ||
        !xml.Attribute("Target", &target)) {
      continue;
    }
    r.type.erase(0, r.type.rfind('/') + 1);
    r.target = ResolveTarget(source, target);
    found.push_back(std::move(r));
  }
  return found;
}

}  // namespace tarnwick::spreadsheet::xlsx
