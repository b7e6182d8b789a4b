#include "core/number_rules.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "core/error.h"
#include "core/percent_text.h"
#include "import/error_of.h"

namespace tarnwick::test {
namespace {

TEST(LeadingNumberTest, ReadsTheNumberAtTheStartOfAText) {
  const struct {
    const char* text;
    double number;
  } cases[] = {
      {"12.5 ct", 12.5}, {"N/A", 0},     {"", 0},      {"1 250", 1250},
      {"95%", 95},       {"0.95", 0.95}, {"   7", 7},  {"\t-3.5x", -3.5},
      {"1,5", 1},        {".5", 0.5},    {"5.", 5},    {"1E3", 1000},
      {"2e-2", 0.02},    {"1e", 1},      {"1E+", 1},   {"+4", 4},
      {"-", 0},          {"- 4", -4},    {"1\n2", 12}, {"abc12", 0},
      {"1e-400", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LeadingNumber(c.text), c.number) << "[" << c.text << "]";
  }
  EXPECT_THROW(LeadingNumber("1e400"), Error);  // no double holds it
}

TEST(ParseWholeNumberTest, AcceptsOnlyTextsThatAreANumberAsAWhole) {
  for (const char* t : {"12", " 12 ", "-0.5", "+3", ".5", "5.", "1E5", "1e-5",
                        "\t7\t", "0.30"}) {
    EXPECT_TRUE(IsWholeNumber(t)) << t;
  }
  for (const char* t : {"", " ", "1,250", "$5", "95%", "1 250", "abc", ".",
                        "1e", "E5", "--1", "12 ct", "0x10", "1.2.3"}) {
    EXPECT_FALSE(IsWholeNumber(t)) << t;
  }
  EXPECT_EQ(*ParseWholeNumber(" -2.5E1 "), -25);
}

// Short decimals take quicker ways than the general conversions both ways;
// each must agree to the bit with from_chars and %.15G: on decimals of every
// length, scale and sign, products of prices and discounts, and every bit
// pattern, subnormal ones included.
TEST(NumberTextTest, QuickWaysAgreeWithTheGeneralConversions) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 300000; ++i) {
    double x = 0;
    if (i % 3 == 0) {
      x = std::bit_cast<double>(random());
      if (!std::isfinite(x)) continue;
    } else if (i % 3 == 1) {
      x = static_cast<double>(random() % 10000000) / 100 * 0.95;
    } else {
      std::string text = i % 4 == 0 ? "-" : "";
      int digits = 1 + static_cast<int>(random() % 17);
      int point = static_cast<int>(random() % (digits + 1));
      for (int k = 0; k < digits; ++k) {
        text += (k == point ? "." : "") + std::to_string(random() % 10);
      }
      std::string general = "0" + text.substr(text[0] == '-') + "e0";
      std::from_chars(general.data(), general.data() + general.size(), x);
      if (text[0] == '-') x = -x;
      ASSERT_EQ(*ParseWholeNumber(text), x) << text;
    }
    if (x == 0) continue;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.15G", x);
    ASSERT_EQ(NumberText(x), expected) << i;
  }
}

TEST(NumberRulesTest, IgnoreTheProcessLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  // A locale whose decimal separator is a comma (locales-all has it).
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
  EXPECT_EQ(NumberText(1172.5), "1172.5");
  EXPECT_EQ(LeadingNumber("12.5"), 12.5);
  EXPECT_EQ(LeadingNumber("12,5"), 12);
  EXPECT_TRUE(IsWholeNumber("0.95"));
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(RoundHalfEvenTest, RoundsTheShownDecimalHalfToEven) {
  const struct {
    double x;
    int digits;
    double expected;
  } cases[] = {
      {2.5, 0, 2},       {3.5, 0, 4},         {0.5, 0, 0},
      {1.5, 0, 2},       {10687.5, 0, 10688}, {-2.5, 0, -2},
      {2.51, 0, 3},      {99.5, 0, 100},      {1e20, 0, 1e20},
      {0.25, 1, 0.2},    {0.35, 1, 0.4},      {1172.775, 1, 1172.8},
      {0.125, 2, 0.12},  {0.135, 2, 0.14},    {1234.5 * 0.95, 2, 1172.78},
      {11250, 2, 11250}, {9.995, 2, 10},      {0.006, 2, 0.01},
      {-0.13, 1, -0.1},  {0.0301, 3, 0.03},   {-1.04, 1, -1},
      {0.0004, 2, 0},    {2.675, 2, 2.68},  // binary 2.67499999..., shown 2.675
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoundHalfEven(c.x, c.digits), c.expected)
        << c.x << " to " << c.digits << " digits";
    // Written in one step, a rounded price reads as the rounded number does.
    char text[32];
    if (std::size_t n = RoundedNumberText(c.x, c.digits, text)) {
      EXPECT_EQ(std::string(text, n), NumberText(c.expected)) << c.x;
    }
  }
  // A negative zero is written as 0.
  EXPECT_EQ(NumberText(RoundHalfEven(-0.4, 0)), "0");
}

TEST(ToInt16Test, RoundsHalfToEvenAndFailsOutsideTheRangeOrOnText) {
  for (auto [x, expected] :
       {std::pair{2.5, 2}, {3.5, 4}, {-32768.0, -32768}, {32767.4, 32767}}) {
    EXPECT_EQ(ToInt16(x), expected) << x;
  }
  // 32767.5 rounds to 32768.
  for (double bad : {32767.5, -32769.0, double{NAN}}) {
    EXPECT_THROW(ToInt16(bad), Error) << bad;
  }
  EXPECT_EQ(ErrorOf([] { ToInt16(40000.0, "the clarity count"); }),
            "the clarity count 40000 is outside the range -32768 to 32767");
}

TEST(PercentTextTest, WholePercentAHalfGoingToTheEvenNeighbour) {
  struct Case {
    double value, maximum;
    const char* shown;
  } cases[] = {
      {0, 5, "0%"},   {1, 8, "12%"},  {3, 8, "38%"},      {5, 8, "62%"},
      {7, 8, "88%"},  {1, 3, "33%"},  {2, 3, "67%"},      {8, 8, "100%"},
      {3, 2, "100%"}, {1, 0, "100%"}, {199, 200, "100%"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PercentText(c.value, c.maximum), c.shown)
        << c.value << " of " << c.maximum;
  }
}

}  // namespace
}  // namespace tarnwick::test
