#ifndef TARNWICK_CORE_ERROR_H_
#define TARNWICK_CORE_ERROR_H_

#include <stdexcept>
#include <string>

namespace tarnwick {

// The one failure type of the project. Its message is a reason a person can
// read ("Price.xls: not an Excel 97-2003 workbook"); callers that catch it
// show it to the user through the host, never print it themselves.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& reason) : std::runtime_error(reason) {}
};

}  // namespace tarnwick

#endif  // TARNWICK_CORE_ERROR_H_
