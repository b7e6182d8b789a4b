#include "spreadsheet/xls_peers.h"

#include <stdexcept>

#include "support/temp_dir.h"

namespace tarnwick::testing {

std::string XlrdDump(const std::filesystem::path& path, bool formatting) {
  std::string script = std::string(TARNWICK_SOURCE_DIR) +
                       "/tests/spreadsheet/peers/xlrd_dump.py";
  std::string output;
  int status = RunCommand(std::string(TARNWICK_PYTHON) + " '" + script + "' " +
                              (formatting ? "--formatting " : "") + "'" +
                              path.string() + "'",
                          &output, true);
  if (status != 0) throw std::runtime_error("xlrd failed: " + output);
  return output;
}

void RunXlwt(const std::string& program) {
  TempDir dir;
  WriteBytes(dir / "make.py", "import xlwt\n" + program);
  std::string output;
  int status = RunCommand(
      std::string(TARNWICK_PYTHON) + " '" + (dir / "make.py").string() + "'",
      &output, true);
  if (status != 0) throw std::runtime_error("xlwt failed: " + output);
}

}  // namespace tarnwick::testing
