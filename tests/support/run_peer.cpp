#include "support/run_peer.h"

#include <stdexcept>

#include "support/temp_dir.h"

namespace tarnwick::test {

std::string RunPeer(const std::string& script,
                    const std::vector<std::string>& args) {
  std::string command = std::string(TARNWICK_PYTHON) + " '" +
                        TARNWICK_SOURCE_DIR + "/tests/peers/" + script + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  TempDir dir;
  std::string output;
  int status =
      RunCommand(command + " 2>'" + (dir / "err").string() + "'", &output);
  if (status != 0) {
    throw std::runtime_error(script + " failed: " + ReadBytes(dir / "err"));
  }
  return output;
}

}  // namespace tarnwick::test
