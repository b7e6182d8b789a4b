#ifndef TARNWICK_CORE_TEXT_HASH_H_
#define TARNWICK_CORE_TEXT_HASH_H_

#include <cstddef>
#include <functional>
#include <string_view>

namespace tarnwick {

// Lets a set or map of strings be searched with a string_view, without a
// copy (with std::equal_to<> as its comparison).
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};

}  // namespace tarnwick

#endif  // TARNWICK_CORE_TEXT_HASH_H_
