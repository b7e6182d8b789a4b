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

using test::ReadBytes;
using test::WriteBytes;

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
  EXPECT_EQ(state_.color_list,
            (std::vector<std::string>{"D", "E", "F", "\u00FF\u00E9"}));
  EXPECT_EQ(state_.clarity_list,
            (std::vector<std::string>{"IF", "VVS1", "VS1", "SI1"}));
  EXPECT_TRUE(host_.messages.empty());
  struct Case {
    const char* grade;
    int kind;
    int index;  // counted from 2
  } cases[] = {
      {"e", import::kColorGrade, 3},
      {"D", 7, 2},  // any kind but 0 is colour
      {"G", import::kColorGrade, import::kGradeNotFound},
      {"vvs1", import::kClarityGrade, 3},
      {"D", import::kClarityGrade, import::kGradeNotFound},
      {"VS1 ", import::kClarityGrade, import::kGradeNotFound},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(import::LookupGrade(state_, c.grade, c.kind), c.index) << c.grade;
  }
}

TEST_F(DictionariesTest, AMissingFileIsToldAndTheColourFileComesFirst) {
  struct Case {
    bool color_there, clarity_there;
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
    test::ScriptedHost host;
    EXPECT_FALSE(import::LoadDictionaries(dir_.path(), state_, host));
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{c.message});
    EXPECT_EQ(host.messages[0].icon, MessageIcon::kInformation);
  }
}

TEST_F(DictionariesTest, AnEmptyDictionaryIsAnErrorNamingTheFile) {
  WriteBytes(clarity_, "");
  state_.clarity_list = {"kept"};
  try {
    import::LoadDictionaries(dir_.path(), state_, host_);
    FAIL();
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("Clarity.txt"), std::string::npos);
  }
  EXPECT_EQ(state_.clarity_list, std::vector<std::string>{"kept"});
}

TEST_F(DictionariesTest, TheQuestionsHaveTheirExactWords) {
  EXPECT_EQ(import::InsertGradeQuestion("VS3", import::kClarityGrade),
            "Clarity \" VS3 \" not defined in Clarity.txt file.\r\n"
            "Do you want to insert this into System\\Clarity.txt file");
  EXPECT_EQ(import::InsertGradeQuestion("Fancy", import::kColorGrade),
            "Color \" Fancy \" not defined in Color.txt file.\r\n"
            "Do you want to insert this into System\\Color.txt file");
}

// The grade goes to the very file the dictionary came from, on a line of its
// own even when the file's last line has no line end.
TEST_F(DictionariesTest, AnAcceptedGradeIsAppendedAndARefusedOneIsNot) {
  struct Case {
    const char* file;
    bool answer;
    const char* file_after;
  } cases[] = {
      {"D\r\nE\r\n", true, "D\r\nE\r\nG\r\n"},
      {"D\r\nE", true, "D\r\nE\r\nG\r\n"},
      {"D\r\nE\r\n", false, "D\r\nE\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    WriteBytes(color_, c.file);
    ASSERT_TRUE(import::LoadDictionaries(dir_.path(), state_, host_));
    host_.answers = {c.answer};
    EXPECT_EQ(import::AskToInsertGrade("G", import::kColorGrade, dir_.path(),
                                       state_, host_),
              c.answer);
    EXPECT_EQ(ReadBytes(color_), c.file_after);
    int known = c.answer ? 4 : import::kGradeNotFound;
    EXPECT_EQ(import::LookupGrade(state_, "g", import::kColorGrade), known);
    ASSERT_TRUE(import::LoadDictionaries(dir_.path(), state_, host_));
    EXPECT_EQ(import::LookupGrade(state_, "g", import::kColorGrade), known);
  }
  EXPECT_EQ(host_.questions.size(), 3u);
}

}  // namespace
}  // namespace tarnwick
