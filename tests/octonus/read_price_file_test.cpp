#include "octonus/read_price_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "octonus/price_workbooks.h"

namespace tarnwick::test {
namespace {

using Names = std::vector<std::string>;

class ReadPriceFileTest : public PriceFolderTest {
 protected:
  // The list as names, each marked + when selected.
  Names Read() {
    octonus::ReadPriceFile(session, options, host);
    Names names;
    for (const auto& e : host.entries) {
      names.push_back(e.name + (e.selected ? "+" : "-"));
    }
    return names;
  }
};

TEST_F(ReadPriceFileTest, MissingOrDamagedPriceWorkbookLeavesTheListAlone) {
  const std::string kUnread =
      "Price file can not be read: " + (Folder() / "Price.xls").string();
  for (bool damaged : {false, true}) {
    host = ScriptedHost();
    host.entries = {{"Old", damaged}};
    if (damaged) WriteBytes(Folder() / "Price.xls", "this is no workbook");
    EXPECT_EQ(Read(), Names{damaged ? "Old+" : "Old-"});
    ASSERT_EQ(host.MessageTexts(),
              Names{damaged ? kUnread : "Price file not exist!!!"});
    EXPECT_EQ(host.messages[0].icon,
              damaged ? MessageIcon::kCritical : MessageIcon::kInformation);
    EXPECT_EQ(host.messages[0].detail.empty(), !damaged);  // the reason
    EXPECT_EQ(session.application, nullptr);
  }
}

TEST_F(ReadPriceFileTest, ListsEverySheetAndLooksForTheDiscountWorkbooks) {
  struct Case {
    int level;
    std::vector<int> present;
    Names messages;
  } cases[] = {
      {0, {}, {}},
      {2, {1, 2}, {}},
      {2, {1}, {"Discount-2file not exist!!!"}},
      {3, {2}, {"Discount-1file not exist!!!"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    NextCase();
    WriteExamplePrice(Folder());
    for (int k : c.present) {
      WriteBytes(Folder() / ("Discount" + std::to_string(k) + ".xls"), "");
    }
    options.disc_level = c.level;
    EXPECT_EQ(Read(), (Names{"Round+", "Pear+", "Oval 3+"}));
    EXPECT_EQ(host.MessageTexts(), c.messages);
    for (const auto& m : host.messages) {
      EXPECT_EQ(m.icon, MessageIcon::kCritical);
    }
    EXPECT_EQ(host.select_all, c.messages.empty());
    EXPECT_EQ(session.application->Workbooks().Count(), 0);
  }
}

}  // namespace
}  // namespace tarnwick::test
