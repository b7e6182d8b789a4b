#ifndef TARNWICK_TESTS_SUPPORT_RUN_PEER_H_
#define TARNWICK_TESTS_SUPPORT_RUN_PEER_H_

#include <string>
#include <vector>

namespace tarnwick::test {

// Runs the Python peer tests/peers/`script` with `args`, under the Python
// that has xlrd, xlwt and dbfread; returns what it printed on standard
// output. Throws when it fails, with what it printed on standard error.
std::string RunPeer(const std::string& script,
                    const std::vector<std::string>& args);

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_SUPPORT_RUN_PEER_H_
