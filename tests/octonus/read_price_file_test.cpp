#include "octonus/read_price_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "octonus/price_workbooks.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

using Names = std::vector<std::string>;

class ReadPriceFileTest : public ::testing::Test {
 protected:
  void SetUp() override { options.app_folder = dir.path(); }
  // The list as names, each marked + when selected.
  Names Read() {
    octonus::ReadPriceFile(session, options, host);
    Names names;
    for (const auto& e : host.entries) {
      names.push_back(e.name + (e.selected ? "+" : "-"));
    }
    return names;
  }

  TempDir dir;
  ScriptedHost host;
  octonus::ConversionSession session;
  octonus::ConversionOptions options;
};

TEST_F(ReadPriceFileTest, MissingOrDamagedPriceWorkbookLeavesTheListAlone) {
  host.entries = {{"Old", false}};
  EXPECT_EQ(Read(), Names{"Old-"});
  EXPECT_EQ(host.MessageTexts(), Names{"Price file not exist!!!"});
  EXPECT_EQ(host.messages[0].icon, MessageIcon::kInformation);
  EXPECT_EQ(session.application, nullptr);

  host = ScriptedHost();
  host.entries = {{"Old", true}};
  WriteBytes(dir / "Price.xls", "this is no workbook at all");
  EXPECT_EQ(Read(), Names{"Old+"});
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text.find("Price.xls"), std::string::npos);
  EXPECT_EQ(host.messages[0].icon, MessageIcon::kCritical);
  EXPECT_FALSE(host.messages[0].detail.empty());  // the reason
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
  WriteExamplePrice(dir.path());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    for (int k = 1; k <= 3; ++k) {
      std::filesystem::remove(dir / ("Discount" + std::to_string(k) + ".xls"));
    }
    for (int k : c.present) {
      WriteBytes(dir / ("Discount" + std::to_string(k) + ".xls"), "");
    }
    options.disc_level = c.level;
    host = ScriptedHost();
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
