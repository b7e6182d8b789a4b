#ifndef TARNWICK_SPREADSHEET_XLSX_RELATIONSHIPS_H_
#define TARNWICK_SPREADSHEET_XLSX_RELATIONSHIPS_H_

#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/package/zip_package.h"

namespace tarnwick::spreadsheet::xlsx {

// One relationship of a part: which other part it points to, and as what.
struct Relationship {
  std::string id;
  std::string type;    // the type URI's last segment: "worksheet", ...
  std::string target;  // the part's path inside the package
};

// The relationships of the part at `source` ("xl/workbook.xml"), read from
// its .rels part; none when it has none. Targets outside the package are
// left out.
std::vector<Relationship> ReadRelationships(package::ZipPackage& zip,
                                            std::string_view source);

// The path inside the package that `target`, as written in a .rels part of
// `source`, points to.
std::string ResolveTarget(std::string_view source, std::string_view target);

}  // namespace tarnwick::spreadsheet::xlsx

#endif  // TARNWICK_SPREADSHEET_XLSX_RELATIONSHIPS_H_
