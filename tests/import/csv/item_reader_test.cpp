#include "import/csv/item_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/number_rules.h"
#include "import/error_of.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using Texts = std::vector<std::string>;

// Every item of `reader` (or of `text`), read as texts or as values.
Texts Items(import::ItemReader reader, bool values = false) {
  Texts items;
  while (!reader.AtEnd()) {
    std::string room;
    items.emplace_back(values ? import::ValueOf(reader.Next(), room)
                              : reader.ReadText());
  }
  return items;
}
Texts Items(const std::string& text, bool values = false) {
  return Items(import::ItemReader::FromBytes(text), values);
}

TEST(ItemReaderTest, SplitsItemsAtCommasAndLineEnds) {
  // What the case shows, the text and its items.
  const std::tuple<const char*, std::string, Texts> cases[] = {
      {"quoted comma, empty item", "a,\"b,c\",,d\r\n", {"a", "b,c", "", "d"}},
      {"no final line end", "a,b", {"a", "b"}},
      {"every kind of line end", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"blank line", "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"comma before a line end", "a,\r\nb", {"a", "", "b"}},
      {"unquoted blanks dropped", "  a,\t VS1  ,D\t\r\n", {"a", "VS1", "D"}},
      {"blanks inside quotes kept", "\" VS1 \",x", {" VS1 ", "x"}},
      {"line end inside quotes", "\"a\r\nb\",c", {"a\r\nb", "c"}},
      {"text after a closing quote dropped", "\"a\"b,c", {"a", "c"}},
      {"unclosed quote runs to the end", "x,\"a,b", {"x", "a,b"}},
      {"empty file", "", {}},
      {"lone line end", "\r\n", {""}},
      {"Windows-1252 letters", "caf\xE9,\x80", {"caf\u00E9", "\u20AC"}},
  };
  for (const auto& [what, text, items] : cases)
    EXPECT_EQ(Items(text), items) << what;
}

// Unquoted numbers come back in their shortest form. Plain decimals take a
// shortcut; it must give what the full number conversion shows.
TEST(ItemReaderTest, UnquotedNumbersComeBackInTheirShortestForm) {
  EXPECT_EQ(Items("0.30,\"0.30\",007,\"007\",1.50E+2,-0,VS1,,  12 \r\n", true),
            (Texts{"0.3", "0.30", "7", "007", "150", "0", "VS1", "", "12"}));
  // Read as text, the same items keep their characters.
  EXPECT_EQ(Items("0.30,007"), (Texts{"0.30", "007"}));
  // Thousands separators and currency make no number.
  EXPECT_EQ(Items("\"1,250\",$5,5%", true), (Texts{"1,250", "$5", "5%"}));
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
  Texts texts = Items(text), values = Items(text, true);
  for (std::size_t i = 0; i < texts.size(); ++i)
    EXPECT_EQ(values[i], NumberText(*ParseWholeNumber(texts[i]))) << texts[i];
}

// The fast count, eight bytes at a time where no quote stands, agrees with
// reading item by item; a file is read as its Windows-1252 text.
TEST(ItemReaderTest, CountItemsAgreesWithReadingTheFile) {
  std::mt19937 random(5);
  const std::string pieces[] = {"BR",   ",",       "\r\n",       "\r",
                                "\n",   "  0.30 ", "1250",       ",,",
                                "\xC9", "\"",      "\"a,\r\nb\""};
  Texts texts = {"R,VS1,D,0.30,0.39,1250,x\r\nR,\"S\xC9,2\"", "a \r\n\r", ""};
  for (std::size_t kinds : {std::size(pieces) - 2, std::size(pieces)}) {
    std::string text;
    while (text.size() < 100000) text += pieces[random() % kinds];
    texts.push_back(text);
  }
  test::TempDir dir;
  for (const std::string& t : texts) {
    test::WriteBytes(dir / "p.csv", t);
    const Texts items = Items(t);
    EXPECT_EQ(Items(import::ItemReader(dir / "p.csv")), items);
    EXPECT_EQ(import::CountItems(import::ItemReader(dir / "p.csv")),
              static_cast<double>(items.size()));
  }
  EXPECT_NE(test::ErrorOf([&] {
              import::CountItems(import::ItemReader(dir / "gone.csv"));
            }).find("gone.csv"),
            std::string::npos);
}

}  // namespace
}  // namespace tarnwick
