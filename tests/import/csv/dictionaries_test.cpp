// The colour and clarity dictionaries: loading, lookup and the insert prompt.

#include <gtest/gtest.h>

#include "import/csv/ask_to_insert_grade.h"
#include "import/csv/load_dictionaries.h"
#include "import/csv/lookup_grade.h"
#include "import/error_of.h"
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

// A missing file is told; an empty one is an error that leaves the list as
// it was.
TEST_F(DictionariesTest, AMissingOrEmptyFileStopsAndTheColourFileComesFirst) {
  const struct {
    const char* color;
    const char* clarity;  // null: the file is missing
    std::string outcome;  // the error, then the messages
  } cases[] = {
      {nullptr, nullptr, "no error|Standard Color file not exist"},
      {nullptr, "IF\r\n", "no error|Standard Color file not exist"},
      {"D\r\n", nullptr, "no error|Standard Clarity file not exist"},
      {"D\r\n", "", clarity_.string() + ": the file holds no grade|"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(color_);
    std::filesystem::remove(clarity_);
    if (c.color) WriteBytes(color_, c.color);
    if (c.clarity) WriteBytes(clarity_, c.clarity);
    state_.clarity_list = {"kept"};
    test::ScriptedHost host;
    std::string outcome = test::ErrorOf([&] {
      EXPECT_FALSE(import::LoadDictionaries(dir_.path(), state_, host));
    });
    for (const auto& message : host.messages) {
      outcome += "|" + message.text;
      EXPECT_EQ(message.icon, MessageIcon::kInformation);
    }
    EXPECT_EQ(outcome + (host.messages.empty() ? "|" : ""), c.outcome);
    EXPECT_EQ(state_.clarity_list, std::vector<std::string>{"kept"});
  }
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
