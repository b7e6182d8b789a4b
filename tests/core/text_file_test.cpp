#include "core/text_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>

#include "core/error.h"
#include "import/error_of.h"
#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

// Written over in place, a file must hold only the new lines, whether it is
// closed or left to the destructor, and with no line at all.
TEST(TextFileTest, LinesAreWrittenInWindows1252WithCrLfOverAnyOlderFile) {
  TempDir dir;
  WriteBytes(dir / "a.txt", "old contents that are longer than the new");
  {
    TextFileWriter out(dir / "a.txt");
    out.WriteLine("Caf\u00E9 \u20AC1");
    out.WriteLine("");
    out.WriteLine("Prices for the Caf\u00E9 range");  // past the eighth byte
    out.Close();
  }
  EXPECT_EQ(ReadBytes(dir / "a.txt"),
            "Caf\xE9 \x80"
            "1\r\n\r\nPrices for the Caf\xE9 range\r\n");
  TextFileWriter(dir / "a.txt").WriteLine("new");
  EXPECT_EQ(ReadBytes(dir / "a.txt"), "new\r\n");
  TextFileWriter(dir / "a.txt").Close();
  EXPECT_EQ(ReadBytes(dir / "a.txt"), "");
  EXPECT_NE(
      ErrorOf([&] { TextFileWriter(dir / "missing" / "x.txt"); }).find("x.txt"),
      std::string::npos);
}

// A disk that fills up in the middle of a line: the file size limit makes
// the write fail after part of it, as a full disk does.
TEST(TextFileTest, AppendingAddsAWholeLineOrLeavesTheFileAsItWas) {
  TempDir dir;
  WriteBytes(dir / "Clarity.txt", "IF\r\nVVS1");
  AppendTextLine(dir / "Clarity.txt", "VS3");
  AppendTextLine(dir / "Clarity.txt", "I4");
  const std::string before = "IF\r\nVVS1\r\nVS3\r\nI4\r\n";
  EXPECT_EQ(ReadBytes(dir / "Clarity.txt"), before);

  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit tight = old;
  tight.rlim_cur = before.size() + 4;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
  std::string message =
      ErrorOf([&] { AppendTextLine(dir / "Clarity.txt", "VS3"); });
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(message, (dir / "Clarity.txt").string() +
                         ": cannot be written (File too large)");
  EXPECT_EQ(ReadBytes(dir / "Clarity.txt"), before);
}

// A missing file, a pipe, a device or a folder where a text file belongs is
// refused at once; opened, a pipe with no writer would hold the program for
// ever.
TEST(TextFileTest, OnlyRegularFilesAreReadOrAppendedTo) {
  TempDir dir;
  std::string fifo = "mkfifo '" + (dir / "pipe").string() + "'";
  ASSERT_EQ(std::system(fifo.c_str()), 0);
  for (const std::filesystem::path& path :
       {dir / "none.txt", dir / "pipe", std::filesystem::path("/dev/zero"),
        dir.path()}) {
    EXPECT_NE(platform::ReadWholeFile(path).outcome,
              platform::ReadOutcome::kRead)
        << path;
    EXPECT_THROW(AppendTextLine(path, "VS3"), Error) << path;
  }
}

}  // namespace
}  // namespace tarnwick::test
