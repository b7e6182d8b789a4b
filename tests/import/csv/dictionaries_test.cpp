// The colour and clarity dictionaries: loading and lookup.

#include <gtest/gtest.h>

#include <tuple>

#include "import/csv/load_dictionaries.h"
#include "import/csv/lookup_grade.h"
#include "import/error_of.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::WriteBytes;
using Texts = std::vector<std::string>;

class DictionariesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_ / "System");
    WriteBytes(color_, "D\r\nE\r\nF\r\n\xFF\xE9\r\n");
    WriteBytes(clarity_, "IF,VVS1,\"VS1\"\r\n  SI1\r\n");
  }

  test::TempDir dir_;
  std::filesystem::path color_ = dir_ / "System" / "Color.txt";
  std::filesystem::path clarity_ = dir_ / "System" / "Clarity.txt";
  import::CsvImportState state_;
  test::ScriptedHost host_;
};

TEST_F(DictionariesTest, LoadsOneEntryPerItemAndLooksUpIgnoringCase) {
  state_.color_list = {"old", "entries"};
  ASSERT_TRUE(import::LoadDictionaries(dir_.path(), state_, host_));
  EXPECT_EQ(state_.color_list, (Texts{"D", "E", "F", "\u00FF\u00E9"}));
  EXPECT_EQ(state_.clarity_list, (Texts{"IF", "VVS1", "VS1", "SI1"}));
  EXPECT_TRUE(host_.messages.empty());
  // The grade, its kind (any but 0 is colour) and its index counted from 2.
  const std::tuple<const char*, int, int> cases[] = {
      {"e", import::kColorGrade, 3},
      {"D", 7, 2},
      {"vvs1", import::kClarityGrade, 3},
      {"D", import::kClarityGrade, import::kGradeNotFound},
      {"VS1 ", import::kClarityGrade, import::kGradeNotFound},
  };
  for (const auto& [grade, kind, index] : cases)
    EXPECT_EQ(import::LookupGrade(state_, grade, kind), index) << grade;
}

// A missing file is told; an empty one is an error that leaves the list as
// it was.
TEST_F(DictionariesTest, AMissingOrEmptyFileStopsAndTheColourFileComesFirst) {
  // Color.txt and Clarity.txt (null: missing), then the error and the
  // messages.
  const std::tuple<const char*, const char*, std::string> cases[] = {
      {nullptr, nullptr, "no error|Standard Color file not exist"},
      {nullptr, "IF\r\n", "no error|Standard Color file not exist"},
      {"D\r\n", nullptr, "no error|Standard Clarity file not exist"},
      {"D\r\n", "", clarity_.string() + ": the file holds no grade|"},
  };
  for (const auto& [color, clarity, expected] : cases) {
    std::filesystem::remove(color_);
    std::filesystem::remove(clarity_);
    if (color) WriteBytes(color_, color);
    if (clarity) WriteBytes(clarity_, clarity);
    state_.clarity_list = {"kept"};
    test::ScriptedHost host;
    std::string outcome = test::ErrorOf([&] {
      EXPECT_FALSE(import::LoadDictionaries(dir_.path(), state_, host));
    });
    for (const auto& message : host.messages) {
      outcome += "|" + message.text;
      EXPECT_EQ(message.icon, MessageIcon::kInformation);
    }
    EXPECT_EQ(outcome + (host.messages.empty() ? "|" : ""), expected);
    EXPECT_EQ(state_.clarity_list, Texts{"kept"});
  }
}

}  // namespace
}  // namespace tarnwick
