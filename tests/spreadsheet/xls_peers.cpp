#include "spreadsheet/xls_peers.h"

#include <charconv>
#include <cmath>
#include <map>

#include "spreadsheet/application.h"
#include "spreadsheet/cell_reader.h"
#include "spreadsheet/cell_text.h"
#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick::test {

std::string XlrdDump(const std::filesystem::path& path, bool formatting) {
  return formatting ? RunPeer("xlrd_dump.py", {"--formatting", path})
                    : RunPeer("xlrd_dump.py", {path});
}

namespace {

std::string Escaped(const std::string& text) {
  static const std::map<char, std::string> kEscapes = {
      {'\\', "\\\\"}, {'\t', "\\t"}, {'\r', "\\r"}, {'\n', "\\n"}};
  std::string out;
  for (char c : text) {
    out += kEscapes.contains(c) ? kEscapes.at(c) : std::string(1, c);
  }
  return out;
}

// Numbers as xlrd_dump.py prints them: whole ones without a point, others
// in the shortest form that reads back the same.
std::string PeerNumber(double x) {
  if (x == std::floor(x) && std::fabs(x) < 1e15) {
    return std::to_string(static_cast<long long>(x));
  }
  char buf[32];
  auto end = std::to_chars(buf, buf + sizeof buf, x).ptr;
  return std::string(buf, end);
}

}  // namespace

std::string TarnwickDump(const std::filesystem::path& path, bool values) {
  using spreadsheet::CellKind;
  using spreadsheet::CellReader;
  // The reader for values reads a sheet of its own, not yet decoded.
  spreadsheet::Application app, other;
  spreadsheet::Workbook& book = app.Workbooks().Add(path);
  spreadsheet::Workbook& unread = other.Workbooks().Add(path);
  std::string out;
  for (int i = 1; i <= book.Sheets().Count(); ++i) {
    const spreadsheet::Sheet& sheet = book.Sheets().Item(i);
    CellReader reader(
        values ? unread.Sheets().Item(i) : sheet,
        values ? CellReader::Use::kValues : CellReader::Use::kAllCells);
    out += "sheet\t" + std::to_string(i) + "\t" + Escaped(sheet.Name()) + "\n";
    int rows = sheet.UsedRows();
    int columns = sheet.UsedColumns();
    for (int r = 1; r <= rows; ++r) {
      for (int c = 1; c <= columns; ++c) {
        double number = 0;
        bool is_number = reader.NumberAt(r, c, &number);
        spreadsheet::CellValue v =
            values ? reader.Cells(r, c) : sheet.Cells(r, c);
        if (is_number != (v.kind() == CellKind::kNumber) ||
            (is_number && number != v.number())) {
          out += "NumberAt disagrees: ";
        }
        if (v.IsEmpty()) continue;
        // xlrd_dump.py's letters for a number, text, truth value and error.
        char kind = " nsbe"[static_cast<int>(v.kind())];
        out += std::to_string(r) + "\t" + std::to_string(c) + "\t" + kind +
               "\t" +
               (v.kind() == CellKind::kNumber ? PeerNumber(v.number())
                                              : Escaped(CellText(v))) +
               "\n";
      }
    }
  }
  return out;
}

}  // namespace tarnwick::test
