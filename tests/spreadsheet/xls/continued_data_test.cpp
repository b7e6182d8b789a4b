#include "spreadsheet/xls/continued_data.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/error.h"

namespace tarnwick::spreadsheet::xls {
namespace {

// Each segment in a heap block of its own size, so that a read one byte
// past a segment's end is seen by the sanitizer build.
struct Segments {
  std::vector<std::unique_ptr<char[]>> blocks;
  std::vector<std::string_view> views;
  explicit Segments(const std::vector<std::string>& parts) {
    for (const std::string& part : parts) {
      blocks.push_back(std::make_unique<char[]>(part.size()));
      std::copy(part.begin(), part.end(), blocks.back().get());
      views.emplace_back(blocks.back().get(), part.size());
    }
  }
};

// Reads XLUnicodeStrings until the data ends; "!" when a read fails.
std::string ReadAll(const std::vector<std::string>& parts) {
  Segments segments(parts);
  ContinuedData data(segments.views, "t.xls");
  std::string texts;
  try {
    while (!data.AtEnd()) texts += data.UnicodeString() + "|";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(),
                 "t.xls: the workbook is damaged (a record ends in the middle "
                 "of its data)");
    texts += "!";
  }
  return texts;
}

TEST(ContinuedDataTest, TextsEndWhereTheirDataEndsAndGoOnInTheNextRecord) {
  using S = std::string;
  const struct {
    std::vector<std::string> parts;
    const char* texts;
  } cases[] = {
      {{S("\3\0\0abc", 6)}, "abc|"},
      {{S("\3\0\0ab", 5)}, "!"},
      {{S("\2\0\1\x7D\1\x7D\1", 7)}, "\u017D\u017D|"},
      {{S("\2\0\1\x7D\1\x7D", 6)}, "!"},         // half a wide character
      {{S("\1\0\x08\1\0x\0\0\0\0", 10)}, "x|"},  // one formatting run
      {{S("\1\0\x08\1\0x\0\0\0", 9)}, "!"},
      {{S("\1\0\x04\2\0\0\0xAB", 10)}, "x|"},  // extended data
      {{S("\1\0\x04\2\0\0\0xA", 9)}, "!"},
      // A record that ends exactly between two texts: the next text starts
      // the next record, with no option byte of the record's own.
      {{S("\1\0\0a", 4), S("\1\0\0b", 4), S("\2\0\1\x41\0\x42\0", 7)},
       "a|b|AB|"},
      {{S("\1\0\0a", 4), S(), S("\1\0\0b", 4)}, "a|b|"},
      // Characters that go on in the next record, which may change width.
      {{S("\4\0\0ab", 5), S("\1c\0d\0", 5)}, "abcd|"},
      {{S("\4\0\0ab", 5), S("\0cd", 3)}, "abcd|"},
      {{S("\4\0\0ab", 5)}, "!"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadAll(c.parts), c.texts) << c.parts[0].size();
  }
}

}  // namespace
}  // namespace tarnwick::spreadsheet::xls
