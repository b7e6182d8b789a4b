#include "import/csv/item_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/error.h"
#include "octonus/number_rules.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::TempDir;
using testing::WriteBytes;

std::vector<std::string> Texts(const std::string& text) {
  ItemReader reader = ItemReader::FromBytes(text);
  std::vector<std::string> items;
  while (!reader.AtEnd()) items.push_back(reader.ReadText());
  return items;
}

std::vector<std::string> Values(const std::string& text) {
  ItemReader reader = ItemReader::FromBytes(text);
  std::vector<std::string> items;
  while (!reader.AtEnd()) items.push_back(reader.ReadValue());
  return items;
}

struct ItemCase {
  const char* what;
  std::string text;
  std::vector<std::string> items;
};

TEST(ItemReaderTest, SplitsItemsAtCommasAndLineEnds) {
  const ItemCase cases[] = {
      {"quoted comma and empty item",
       "a,\"b,c\",,d\r\n",
       {"a", "b,c", "", "d"}},
      {"no final line end", "a,b", {"a", "b"}},
      {"final line end gives no extra item", "a,b\r\n", {"a", "b"}},
      {"every kind of line end", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"blank line", "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"comma before a line end", "a,\r\nb", {"a", "", "b"}},
      {"blanks before an item skipped", "  a,\t b", {"a", "b"}},
      {"blanks after an unquoted item dropped", "VS1  ,D\t\r\n", {"VS1", "D"}},
      {"blanks inside quotes kept", "\" VS1 \",x", {" VS1 ", "x"}},
      {"line end inside quotes", "\"a\r\nb\",c", {"a\r\nb", "c"}},
      {"text after a closing quote dropped", "\"a\"b,c", {"a", "c"}},
      {"unclosed quote runs to the end", "x,\"a,b", {"x", "a,b"}},
      {"empty file", "", {}},
      {"lone line end", "\r\n", {""}},
      {"Windows-1252 letters", "caf\xE9,\x80", {"caf\u00E9", "\u20AC"}},
  };
  for (const ItemCase& c : cases) {
    EXPECT_EQ(Texts(c.text), c.items) << c.what;
  }
}

TEST(ItemReaderTest, UnquotedNumbersComeBackInTheirShortestForm) {
  EXPECT_EQ(Values("0.30,\"0.30\",007,\"007\",1.50E+2,-0,VS1,,  12 \r\n"),
            (std::vector<std::string>{"0.3", "0.30", "7", "007", "150", "0",
                                      "VS1", "", "12"}));
  // Read as text, the same items keep their characters.
  EXPECT_EQ(Texts("0.30,007"), (std::vector<std::string>{"0.30", "007"}));
  // Thousands separators and currency make no number.
  EXPECT_EQ(Values("\"1,250\",$5,5%"),
            (std::vector<std::string>{"1,250", "$5", "5%"}));
}

TEST(ItemReaderTest, ShortDecimalsTakeTheFormTheFullConversionGives) {
  std::vector<std::string> texts = {"0",
                                    "-0",
                                    "+0.000",
                                    "007",
                                    "0.30",
                                    ".5",
                                    "5.",
                                    "-.50",
                                    "12500",
                                    "1234567.125",
                                    "0.0001",
                                    "0.00012",
                                    "0.00005",
                                    "123456789012345",
                                    "1234567890123456",
                                    "999999999999999.0",
                                    "0.123456789012345",
                                    "0.1234567890123456",
                                    "100000000000000",
                                    "-42.4200"};
  std::mt19937 random(7);
  for (int i = 0; i < 2000; ++i) {
    std::string t = std::to_string(random() % 100000);
    if (i % 2) t += "." + std::to_string(random() % 10000);
    if (i % 3 == 0) t = "-" + t;
    if (i % 5 == 0) t = "0.0" + std::to_string(random() % 1000) + "0";
    texts.push_back(t);
  }
  for (const std::string& text : texts) {
    std::string fast;
    if (!ShortestDecimal(text, &fast)) continue;
    EXPECT_EQ(fast, NumberText(*ParseWholeNumber(text))) << text;
  }
  std::string out;
  EXPECT_FALSE(ShortestDecimal("0.00005", &out));  // shown as 5E-05
  EXPECT_FALSE(ShortestDecimal("1234567890123456", &out));
  EXPECT_FALSE(ShortestDecimal("1.5E+2", &out));
  EXPECT_FALSE(ShortestDecimal(".", &out));
  EXPECT_FALSE(ShortestDecimal("1,5", &out));
}

TEST(ItemReaderTest, ReadsWindows1252FilesAndCountsTheirItems) {
  TempDir dir;
  WriteBytes(dir / "p.csv", "R,VS1,D,0.30,0.39,1250,x\r\nR,\"S\xC9,2\"");
  ItemReader reader(dir / "p.csv");
  std::vector<std::string> items;
  while (!reader.AtEnd()) items.push_back(reader.ReadText());
  ASSERT_EQ(items.size(), 9u);
  EXPECT_EQ(items[8], "S\u00C9,2");
  EXPECT_EQ(CountItems(dir / "p.csv"), 9);
}

TEST(ItemReaderTest, AMissingFileIsAnErrorNamingIt) {
  TempDir dir;
  try {
    CountItems(dir / "gone.csv");
    FAIL();
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("gone.csv"), std::string::npos);
  }
}

}  // namespace
}  // namespace tarnwick
