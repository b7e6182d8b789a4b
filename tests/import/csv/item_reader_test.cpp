#include "import/csv/item_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/number_rules.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

// Every item of `text`, read as texts or as values.
std::vector<std::string> Items(const std::string& text, bool values = false) {
  ItemReader reader = ItemReader::FromBytes(text);
  std::vector<std::string> items;
  while (!reader.AtEnd()) {
    items.push_back(values ? reader.ReadValue() : reader.ReadText());
  }
  return items;
}

TEST(ItemReaderTest, SplitsItemsAtCommasAndLineEnds) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> items;
  } cases[] = {
      {"quoted comma and empty item",
       "a,\"b,c\",,d\r\n",
       {"a", "b,c", "", "d"}},
      {"no final line end", "a,b", {"a", "b"}},
      {"final line end gives no extra item", "a,b\r\n", {"a", "b"}},
      {"every kind of line end", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"blank line", "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"comma before a line end", "a,\r\nb", {"a", "", "b"}},
      {"blanks around unquoted items dropped",
       "  a,\t VS1  ,D\t\r\n",
       {"a", "VS1", "D"}},
      {"blanks inside quotes kept", "\" VS1 \",x", {" VS1 ", "x"}},
      {"line end inside quotes", "\"a\r\nb\",c", {"a\r\nb", "c"}},
      {"text after a closing quote dropped", "\"a\"b,c", {"a", "c"}},
      {"unclosed quote runs to the end", "x,\"a,b", {"x", "a,b"}},
      {"empty file", "", {}},
      {"lone line end", "\r\n", {""}},
      {"Windows-1252 letters", "caf\xE9,\x80", {"caf\u00E9", "\u20AC"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Items(c.text), c.items) << c.what;
}

TEST(ItemReaderTest, UnquotedNumbersComeBackInTheirShortestForm) {
  EXPECT_EQ(Items("0.30,\"0.30\",007,\"007\",1.50E+2,-0,VS1,,  12 \r\n", true),
            (std::vector<std::string>{"0.3", "0.30", "7", "007", "150", "0",
                                      "VS1", "", "12"}));
  // Read as text, the same items keep their characters.
  EXPECT_EQ(Items("0.30,007"), (std::vector<std::string>{"0.30", "007"}));
  // Thousands separators and currency make no number.
  EXPECT_EQ(Items("\"1,250\",$5,5%", true),
            (std::vector<std::string>{"1,250", "$5", "5%"}));
}

// Plain decimals take a shortcut; it must give what the full number
// conversion shows.
TEST(ItemReaderTest, UnquotedDecimalsReadAsTheFullConversionShowsThem) {
  std::string text =
      "+0.000,.5,5.,-.50,1234567.125,0.00005,1234567890123456,"
      "0.123456789012345,0.1234567890123456,-42.4200,0,-0,00,0.0,10.50,"
      "-0.5,100,0.0001,0.001,0.00010,1e5,0.10,123456789012345,-0.012";
  std::mt19937 random(7);
  for (int i = 0; i < 2000; ++i) {
    std::string t = std::to_string(random() % 100000);
    if (i % 2) t += "." + std::to_string(random() % 10000);
    if (i % 3 == 0) t = "-" + t;
    if (i % 5 == 0) t = "0.0" + std::to_string(random() % 1000) + "0";
    text += "," + t;
  }
  std::vector<std::string> texts = Items(text), values = Items(text, true);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(values[i], NumberText(*ParseWholeNumber(texts[i]))) << texts[i];
  }
}

TEST(ItemReaderTest, CountsTheItemsOfAWindows1252FileAndNamesAMissingOne) {
  test::TempDir dir;
  test::WriteBytes(dir / "p.csv", "R,VS1,D,0.30,0.39,1250,x\r\nR,\"S\xC9,2\"");
  EXPECT_EQ(CountItems(ItemReader(dir / "p.csv")), 9);
  ItemReader reader(dir / "p.csv");
  for (int i = 0; i < 8; ++i) reader.ReadText();
  EXPECT_EQ(reader.ReadText(), "S\u00C9,2");
  try {
    CountItems(ItemReader(dir / "gone.csv"));
    FAIL();
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("gone.csv"), std::string::npos);
  }
}

// Items, quoted texts running over many lines and CR LF pairs read from a
// file as they do from its text, and the fast count agrees with them.
TEST(ItemReaderTest, AFileReadsAsItsWholeTextDoesAcrossTheReadingWindow) {
  std::mt19937 random(5);
  const std::string pieces[] = {"BR",   ",",       "\r\n",        "\r",
                                "\n",   "  0.30 ", "\"a,\r\nb\"", "\"",
                                "1250", ",,",      "\xC9"};
  std::string text;
  while (text.size() < 300000) text += pieces[random() % std::size(pieces)];
  text += "\"" + std::string(150000, 'q') + "\",end\r";
  std::vector<std::string> texts = {text};
  // Line ends and quotes at and around the 64 KB marks where reads end.
  for (std::size_t at = 65530; at < 65540; ++at) {
    texts.push_back(std::string(at, 'x') + "\r\n1,2\r\n");
    texts.push_back(std::string(at, 'x') + ",\"a\r\nb\",  3  \r");
  }
  // A quote after a long item, one after long blanks, and a quoted text
  // whose commas fill more than a whole window.
  texts.push_back(std::string(70000, 'x') + "\"q,1\r\n");
  texts.push_back("a," + std::string(70000, ' ') + "\"q,w\",1");
  texts.push_back("x,\"" + std::string(140000, ',') + "\",y\r\n");
  test::TempDir dir;
  for (const std::string& t : texts) {
    test::WriteBytes(dir / "big.csv", t);
    std::vector<std::string> whole = Items(t, true);
    ItemReader reader(dir / "big.csv");
    std::vector<std::string> read;
    while (!reader.AtEnd()) read.push_back(reader.ReadValue());
    ASSERT_EQ(read, whole) << t.size();
    EXPECT_EQ(CountItems(ItemReader(dir / "big.csv")),
              static_cast<double>(whole.size()));
  }
}

}  // namespace
}  // namespace tarnwick
