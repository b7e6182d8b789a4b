#include "core/windows1252.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(Windows1252Test, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0x20; b <= 0xFF; ++b) all.push_back(static_cast<char>(b));
  std::string utf8 = DecodeWindows1252(all);
  EXPECT_EQ(EncodeWindows1252(utf8), all);
}

TEST(Windows1252Test, TheUpperHalfMapsAsTheCodePageDoes) {
  EXPECT_EQ(DecodeWindows1252("\x80"), "\u20AC");  // euro sign
  EXPECT_EQ(DecodeWindows1252("\x93x\x94"), "\u201Cx\u201D");
  EXPECT_EQ(DecodeWindows1252("\xE9"), "\u00E9");
  // Undefined in the code page: kept as the C1 control of the same number.
  EXPECT_EQ(DecodeWindows1252("\x81\x8D\x8F\x90\x9D"),
            "\u0081\u008D\u008F\u0090\u009D");
}

TEST(Windows1252Test, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(EncodeWindows1252("Ab \u00E9\u20AC"), "Ab \xE9\x80");
  EXPECT_EQ(EncodeWindows1252("\u4E2D x \U0001F48E"), "? x ?");
  EXPECT_EQ(EncodeWindows1252("bad \xC3"), "bad ?");
}

}  // namespace
}  // namespace tarnwick
