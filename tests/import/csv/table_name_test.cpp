#include "import/csv/table_name.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(TableNameTest, IsTheFileNameUpToItsFirstFullStop) {
  EXPECT_EQ(TableName("price.csv"), "price");
  EXPECT_EQ(TableName("ROUND.CSV"), "ROUND");
  EXPECT_EQ(TableName("round list.2024.csv"), "round list");
  EXPECT_EQ(TableName(".csv"), "");
}

}  // namespace
}  // namespace tarnwick
