#include "core/windows1252.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(Windows1252Test, EveryByteDecodesAsTheCodePageSaysAndEncodesBack) {
  std::string all;
  for (int b = 0x20; b <= 0xFF; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(all)), all);
  EXPECT_EQ(DecodeWindows1252("\x80\x93x\x94\xE9"),
            "\u20AC\u201Cx\u201D\u00E9");
  // Undefined in the code page: kept as the C1 control of the same number.
  EXPECT_EQ(DecodeWindows1252("\x81\x8D\x8F\x90\x9D"),
            "\u0081\u008D\u008F\u0090\u009D");
}

}  // namespace
}  // namespace tarnwick
