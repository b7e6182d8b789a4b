#include "import/csv/item_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::TempDir;
using testing::WriteBytes;

std::vector<std::string> Texts(const std::string& text) {
  ItemReader reader = ItemReader::FromText(text);
  std::vector<std::string> items;
  while (!reader.AtEnd()) items.push_back(reader.ReadText());
  return items;
}

std::vector<std::string> Values(const std::string& text) {
  ItemReader reader = ItemReader::FromText(text);
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
      {"Windows-1252 letters", "caf\u00E9,\u20AC", {"caf\u00E9", "\u20AC"}},
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
