#include "import/dbf/dbf_price_value.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error.h"

namespace tarnwick {
namespace {

struct PriceCase {
  char type;
  const char* text;
  std::optional<double> price;
};

TEST(DbfPriceValueTest, NumbersAndNumericTextsAreTheirNumberNullIsNoPrice) {
  std::vector<PriceCase> cases = {
      {'N', "12.50", 12.5},
      {'N', "-3", -3.0},
      {'F', "1.5E2", 150.0},
      {'N', "0", 0.0},
      {'C', "42", 42.0},
      {'C', "8.25", 8.25},
      {'C', "-.5", -0.5},
      {'N', "", std::nullopt},
      {'N', "**********", std::nullopt},
      {'F', "*", std::nullopt},
      {'C', "", std::nullopt},
      {'D', "", std::nullopt},
      {'D', "00000000", std::nullopt},
      {'L', "?", std::nullopt},
      {'L', "", std::nullopt},
      {'M', "", std::nullopt},
  };
  for (const PriceCase& c : cases) {
    EXPECT_EQ(DbfPriceValue(c.type, c.text), c.price)
        << c.type << " '" << c.text << "'";
  }
}

struct RefusedCase {
  char type;
  const char* text;
  const char* reason;
};

TEST(DbfPriceValueTest, AFieldHoldingNoNumberIsRefusedWithWhatItHolds) {
  std::vector<RefusedCase> cases = {
      {'C', "n/a", "holds the text \"n/a\", not a price"},
      {'C', "1,5", "holds the text \"1,5\", not a price"},
      {'C', "12 %", "holds the text \"12 %\", not a price"},
      {'C', "***", "holds the text \"***\", not a price"},
      {'C', "caf\xE9", "holds the text \"caf\xC3\xA9\", not a price"},
      {'N', "1.2.3", "\"1.2.3\" is not a number"},
      {'D', "20261206", "holds the date \"20261206\", not a price"},
      {'L', "T", "holds the logical value \"T\", not a price"},
      {'M', "17", "is a field of type M, which holds no price"},
  };
  for (const RefusedCase& c : cases) {
    try {
      DbfPriceValue(c.type, c.text);
      ADD_FAILURE() << c.text << " was taken";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), c.reason);
    }
  }
}

}  // namespace
}  // namespace tarnwick
