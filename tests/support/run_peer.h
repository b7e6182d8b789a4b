#ifndef TARNWICK_TESTS_SUPPORT_RUN_PEER_H_
#define TARNWICK_TESTS_SUPPORT_RUN_PEER_H_

#include <stdexcept>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tarnwick::test {

// Runs the Python peer tests/peers/`script` with `args`, under the Python
// that has xlrd, xlwt and dbfread; returns what it printed on standard
// output. Throws when it fails, with what it printed on standard error.
inline std::string RunPeer(const std::string& script,
                           const std::vector<std::string>& args) {
  std::string command = std::string(TARNWICK_PYTHON) + " '" +
                        TARNWICK_SOURCE_DIR + "/tests/peers/" + script + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  TempDir dir;
  std::string output;
  if (RunCommand(command + " 2>'" + (dir / "err").string() + "'", &output)) {
    throw std::runtime_error(script + " failed: " + ReadBytes(dir / "err"));
  }
  return output;
}

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_SUPPORT_RUN_PEER_H_
