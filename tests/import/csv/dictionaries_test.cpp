// The colour and clarity dictionaries: loading, lookup and the insert prompt.

#include <gtest/gtest.h>

#include "core/error.h"
#include "import/csv/ask_to_insert_grade.h"
#include "import/csv/load_dictionaries.h"
#include "import/csv/lookup_grade.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::ReadBytes;
using testing::ScriptedHost;
using testing::TempDir;
using testing::WriteBytes;

class DictionariesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(dir_ / "System");
    WriteBytes(color_, "D\r\nE\r\nF\r\n");
    WriteBytes(clarity_, "IF,VVS1,\"VS1\"\r\n  SI1\r\n");
  }

  TempDir dir_;
  std::filesystem::path color_ = dir_ / "System" / "Color.txt";
  std::filesystem::path clarity_ = dir_ / "System" / "Clarity.txt";
  CsvImportState state_;
  ScriptedHost host_;
};

TEST_F(DictionariesTest, LoadingMakesOneEntryPerItem) {
  state_.color_list = {"old", "entries"};
  ASSERT_TRUE(LoadDictionaries(dir_.path(), state_, host_));
  EXPECT_EQ(state_.color_list, (std::vector<std::string>{"D", "E", "F"}));
  EXPECT_EQ(state_.clarity_list,
            (std::vector<std::string>{"IF", "VVS1", "VS1", "SI1"}));
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(DictionariesTest, LookupIsCaseInsensitiveAndCountsFromTwo) {
  ASSERT_TRUE(LoadDictionaries(dir_.path(), state_, host_));
  EXPECT_EQ(LookupGrade(state_, "e", kColorGrade), 3);
  EXPECT_EQ(LookupGrade(state_, "D", 7), 2);  // any kind but 0 is colour
  EXPECT_EQ(LookupGrade(state_, "G", kColorGrade), kGradeNotFound);
  EXPECT_EQ(LookupGrade(state_, "vvs1", kClarityGrade), 3);
  EXPECT_EQ(LookupGrade(state_, "D", kClarityGrade), kGradeNotFound);
  EXPECT_EQ(LookupGrade(state_, "VS1 ", kClarityGrade), kGradeNotFound);
}

TEST_F(DictionariesTest, AMissingFileIsToldAndTheColourFileComesFirst) {
  struct Case {
    bool color_there;
    bool clarity_there;
    const char* message;
  } cases[] = {
      {false, false, "Standard Color file not exist"},
      {false, true, "Standard Color file not exist"},
      {true, false, "Standard Clarity file not exist"},
  };
  for (const Case& c : cases) {
    SetUp();
    if (!c.color_there) std::filesystem::remove(color_);
    if (!c.clarity_there) std::filesystem::remove(clarity_);
    ScriptedHost host;
    EXPECT_FALSE(LoadDictionaries(dir_.path(), state_, host));
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{c.message});
    EXPECT_EQ(host.messages[0].icon, MessageIcon::kInformation);
  }
}

TEST_F(DictionariesTest, AnEmptyDictionaryIsAnErrorNamingTheFile) {
  WriteBytes(clarity_, "");
  state_.clarity_list = {"kept"};
  try {
    LoadDictionaries(dir_.path(), state_, host_);
    FAIL();
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("Clarity.txt"), std::string::npos);
  }
  EXPECT_EQ(state_.clarity_list, std::vector<std::string>{"kept"});
}

TEST_F(DictionariesTest, TheQuestionsHaveTheirExactWords) {
  EXPECT_EQ(InsertGradeQuestion("VS3", kClarityGrade),
            "Clarity \" VS3 \" not defined in Clarity.txt file.\r\n"
            "Do you want to insert this into System\\Clarity.txt file");
  EXPECT_EQ(InsertGradeQuestion("Fancy", kColorGrade),
            "Color \" Fancy \" not defined in Color.txt file.\r\n"
            "Do you want to insert this into System\\Color.txt file");
}

TEST_F(DictionariesTest, AnAcceptedGradeIsAppendedAndKnownInAnyCase) {
  ASSERT_TRUE(LoadDictionaries(dir_.path(), state_, host_));
  host_.answers = {true};
  EXPECT_TRUE(
      AskToInsertGrade("VS3", kClarityGrade, dir_.path(), state_, host_));
  EXPECT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(ReadBytes(clarity_), "IF,VVS1,\"VS1\"\r\n  SI1\r\nVS3\r\n");
  EXPECT_EQ(LookupGrade(state_, "vs3", kClarityGrade), 6);
  ASSERT_TRUE(LoadDictionaries(dir_.path(), state_, host_));
  EXPECT_EQ(LookupGrade(state_, "vs3", kClarityGrade), 6);
}

TEST_F(DictionariesTest, ARefusedGradeWritesNothing) {
  ASSERT_TRUE(LoadDictionaries(dir_.path(), state_, host_));
  host_.answers = {false};
  EXPECT_FALSE(AskToInsertGrade("G", kColorGrade, dir_.path(), state_, host_));
  EXPECT_EQ(ReadBytes(color_), "D\r\nE\r\nF\r\n");
  EXPECT_EQ(state_.color_list.size(), 3u);
}

TEST_F(DictionariesTest, AGradeAppendedAfterAnUnendedLastLineStandsAlone) {
  WriteBytes(color_, "D\r\nE\r\nF");
  ASSERT_TRUE(LoadDictionaries(dir_.path(), state_, host_));
  host_.answers = {true};
  ASSERT_TRUE(AskToInsertGrade("G", kColorGrade, dir_.path(), state_, host_));
  EXPECT_EQ(ReadBytes(color_), "D\r\nE\r\nF\r\nG\r\n");
  ASSERT_TRUE(LoadDictionaries(dir_.path(), state_, host_));
  EXPECT_EQ(state_.color_list, (std::vector<std::string>{"D", "E", "F", "G"}));
}

}  // namespace
}  // namespace tarnwick
