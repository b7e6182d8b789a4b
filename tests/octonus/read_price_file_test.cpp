#include "octonus/read_price_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "octonus/price_workbooks.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::ExampleSheet;
using testing::ScriptedHost;
using testing::TempDir;
using testing::WriteBytes;
using testing::WriteWorkbook;

class ReadPriceFileTest : public ::testing::Test {
 protected:
  void SetUp() override { options.app_folder = dir.path(); }
  void WritePrice() {
    WriteWorkbook(dir / "Price.xls", {{"Round", ExampleSheet()},
                                      {"Pear", ExampleSheet()},
                                      {"Oval 3", ExampleSheet()}});
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : host.entries) {
      names.push_back(e.name + (e.selected ? "+" : "-"));
    }
    return names;
  }

  TempDir dir;
  ScriptedHost host;
  ConversionSession session;
  ConversionOptions options;
};

TEST_F(ReadPriceFileTest, ListsEverySheetInWorkbookOrderAllSelected) {
  WritePrice();
  ReadPriceFile(session, options, host);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Round+", "Pear+", "Oval 3+"}));
  EXPECT_TRUE(host.select_all);
  EXPECT_TRUE(host.messages.empty());
  ASSERT_NE(session.application, nullptr);
  EXPECT_EQ(session.application->Workbooks().Count(), 0);
}

TEST_F(ReadPriceFileTest, MissingPriceWorkbookLeavesTheListAlone) {
  host.entries = {{"Old", false}};
  ReadPriceFile(session, options, host);
  EXPECT_EQ(host.MessageTexts(),
            std::vector<std::string>{"Price file not exist!!!"});
  EXPECT_EQ(host.messages[0].icon, MessageIcon::kInformation);
  EXPECT_EQ(Names(), std::vector<std::string>{"Old-"});
  EXPECT_EQ(session.application, nullptr);
}

TEST_F(ReadPriceFileTest, DamagedPriceWorkbookIsToldWithItsReason) {
  WriteBytes(dir / "Price.xls", "this is no workbook at all");
  host.entries = {{"Old", true}};
  ReadPriceFile(session, options, host);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text.find("Price.xls"), std::string::npos);
  EXPECT_EQ(host.messages[0].icon, MessageIcon::kCritical);
  EXPECT_FALSE(host.messages[0].detail.empty());
  EXPECT_EQ(Names(), std::vector<std::string>{"Old+"});
}

TEST_F(ReadPriceFileTest, DiscountWorkbooksAreLookedForUpToTheLevel) {
  struct Case {
    int level;
    std::vector<int> present;
    std::vector<std::string> messages;
  } cases[] = {
      {0, {}, {}},
      {2, {1, 2}, {}},
      {2, {1}, {"Discount-2file not exist!!!"}},
      {3, {2}, {"Discount-1file not exist!!!"}},
  };
  WritePrice();
  for (const Case& c : cases) {
    for (int k = 1; k <= 5; ++k) {
      std::filesystem::remove(dir / ("Discount" + std::to_string(k) + ".xls"));
    }
    for (int k : c.present) {
      WriteBytes(dir / ("Discount" + std::to_string(k) + ".xls"), "");
    }
    options.disc_level = c.level;
    host = ScriptedHost();
    ReadPriceFile(session, options, host);
    EXPECT_EQ(host.MessageTexts(), c.messages) << c.level;
    for (const auto& m : host.messages) {
      EXPECT_EQ(m.icon, MessageIcon::kCritical);
    }
    EXPECT_EQ(host.select_all, c.messages.empty());
    EXPECT_EQ(Names(),
              (std::vector<std::string>{"Round+", "Pear+", "Oval 3+"}));
  }
}

}  // namespace
}  // namespace tarnwick
