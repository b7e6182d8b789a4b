#ifndef TARNWICK_TESTS_IMPORT_ERROR_OF_H_
#define TARNWICK_TESTS_IMPORT_ERROR_OF_H_

#include <string>

#include "core/error.h"

namespace tarnwick::test {

// The reason `action` fails with, or "no error".
template <typename Action>
std::string ErrorOf(Action&& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_IMPORT_ERROR_OF_H_
