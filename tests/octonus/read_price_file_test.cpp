#include "octonus/read_price_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "octonus/price_workbooks.h"

namespace tarnwick::test {
namespace {

class ReadPriceFileTest : public PriceFolderTest {
 protected:
  // The list, each name marked + when selected, then the messages, each
  // marked ! when critical.
  Texts Read() {
    octonus::ReadPriceFile(session, options, host);
    Texts seen;
    for (const auto& e : host.entries) {
      seen.push_back(e.name + (e.selected ? "+" : "-"));
    }
    for (const auto& m : host.messages) {
      seen.push_back((m.icon == MessageIcon::kCritical ? "!" : "") + m.text);
    }
    return seen;
  }
};

TEST_F(ReadPriceFileTest, MissingOrDamagedPriceWorkbookLeavesTheListAlone) {
  host.entries = {{"Old", false}};
  EXPECT_EQ(Read(), (Texts{"Old-", "Price file not exist!!!"}));
  EXPECT_EQ(session.application, nullptr);

  host = ScriptedHost();
  host.entries = {{"Old", true}};
  WriteBytes(Folder() / "Price.xls", "this is no workbook at all");
  ASSERT_EQ(Read(), (Texts{"Old+", "!Price file can not be read: " +
                                       (Folder() / "Price.xls").string()}));
  EXPECT_FALSE(host.messages.back().detail.empty());  // the reason
  EXPECT_EQ(session.application, nullptr);
}

TEST_F(ReadPriceFileTest, ListsEverySheetAndLooksForTheDiscountWorkbooks) {
  const Texts kSheets = {"Round+", "Pear+", "Oval 3+"};
  struct Case {
    int level;
    std::vector<int> present;
    std::string message;  // critical; "": none
  } cases[] = {
      {0, {}, ""},
      {2, {1, 2}, ""},
      {2, {1}, "Discount-2file not exist!!!"},
      {3, {2}, "Discount-1file not exist!!!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    NextCase();
    WriteExamplePrice(Folder());
    for (int k : c.present) {
      WriteBytes(Folder() / ("Discount" + std::to_string(k) + ".xls"), "");
    }
    options.disc_level = c.level;
    Texts seen = kSheets;
    if (!c.message.empty()) seen.push_back("!" + c.message);
    EXPECT_EQ(Read(), seen);
    EXPECT_EQ(host.select_all, c.message.empty());
    EXPECT_EQ(session.application->Workbooks().Count(), 0);
  }
}

}  // namespace
}  // namespace tarnwick::test
