// The DBF import of one large table, beside python3-dbfread reading the same
// table, at two sizes to show that the time grows in line with the records.
//
//   tarnwick-bench-dbf --template DBFTemplate.xls --work DIR
//
// The import is the whole of "Convert DBF Files": the template read, the
// table converted into its sheet and Price.xls written. The peer's time is
// its read alone, measured inside Python, without the interpreter's start.

#include <shapefil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/host.h"
#include "import/dbf/convert_dbf_files.h"
#include "import/dbf/convert_dbf_table.h"
#include "import/dbf/dbf_table_list.h"
#include "import/price_module.h"

namespace {

constexpr int kFields = 11;
constexpr int kRuns = 3;

// A host that shows nothing and remembers only the progress figures.
class QuietHost : public tarnwick::Host {
 public:
  int messages = 0;
  void ShowMessage(std::string_view, tarnwick::MessageIcon,
                   std::string_view) override {
    ++messages;
  }
  bool AskYesNo(std::string_view) override { return false; }
  void SetProgressVisible(bool) override {}
  void SetProgressMax(double max) override { max_ = max; }
  double ProgressMax() const override { return max_; }
  void SetProgressValue(double value) override { value_ = value; }
  double ProgressValue() const override { return value_; }
  void SetProgressPercent(std::string_view) override {}
  void SetProgressCaption(std::string_view) override {}
  void Repaint() override {}
  void SetBusyPointer(bool) override {}
  void ProcessPendingEvents() override {}
  bool CancelFlag() const override { return false; }
  void SetCancelFlag(bool) override {}
  void ClearSheetList() override {}
  void AddSheetListEntry(std::string_view) override {}
  int SheetListCount() const override { return 0; }
  std::string SheetListEntry(int) const override { return {}; }
  bool SheetListSelected(int) const override { return false; }
  void SetSheetListSelected(int, bool) override {}
  void SetSheetListCurrent(int) override {}
  void SetSelectAll(bool) override {}

 private:
  double max_ = 0;
  double value_ = 0;
};

void WriteTable(const std::filesystem::path& folder, int records) {
  std::filesystem::create_directories(folder);
  DBFHandle dbf = DBFCreate((folder / "rnddat.dbf").string().c_str());
  if (dbf == nullptr) throw std::runtime_error("cannot write the table");
  for (int k = 0; k < kFields; ++k) {
    DBFAddField(dbf, ("P" + std::to_string(k + 1)).c_str(), FTDouble, 10, 2);
  }
  for (int r = 0; r < records; ++r) {
    for (int k = 0; k < kFields; ++k) {
      DBFWriteDoubleAttribute(dbf, r, k, 1 + (r * 7 + k * 13) % 2000 * 0.25);
    }
  }
  DBFClose(dbf);
}

double ImportSeconds(const std::filesystem::path& app,
                     const std::filesystem::path& folder) {
  double best = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    std::filesystem::remove(app / "Price.xls");
    QuietHost host;
    tarnwick::import::PriceModule module;
    auto start = std::chrono::steady_clock::now();
    tarnwick::import::ConvertDBFFiles(app, folder, module, host);
    std::chrono::duration<double> took =
        std::chrono::steady_clock::now() - start;
    if (host.messages != 0 || !std::filesystem::exists(app / "Price.xls")) {
      throw std::runtime_error("the import did not write Price.xls");
    }
    best = std::min(best, took.count());
  }
  return best;
}

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Where the import's time goes: the table read and placed into its sheet,
// and the workbook written. Best of the runs, each part on its own.
struct Parts {
  double tables = 1e9;
  double save = 1e9;
};

Parts PartSeconds(const std::filesystem::path& app,
                  const std::filesystem::path& folder) {
  Parts best;
  const tarnwick::import::DbfTableEntry& round =
      tarnwick::import::DbfTableList()[0];
  for (int run = 0; run < kRuns; ++run) {
    QuietHost host;
    tarnwick::spreadsheet::Application engine;
    tarnwick::spreadsheet::Workbook& book =
        engine.Workbooks().Add(app / "System" / "DBFTemplate.xls");
    auto start = Clock::now();
    tarnwick::import::ConvertDBFTable(round.layout, round.table_name,
                                      round.sheet_index,
                                      folder / round.file_name, book, host);
    best.tables = std::min(best.tables, Since(start));
    start = Clock::now();
    book.SaveAs(app / "Parts.xls");
    best.save = std::min(best.save, Since(start));
  }
  return best;
}

double PeerSeconds(const std::filesystem::path& table) {
  std::string command =
      "/usr/bin/python3 -c \"import sys, time, dbfread\n"
      "best = 1e9\n"
      "for _ in range(" +
      std::to_string(kRuns) +
      "):\n"
      "    t = time.perf_counter()\n"
      "    rows = list(dbfread.DBF(sys.argv[1]))\n"
      "    best = min(best, time.perf_counter() - t)\n"
      "print(best)\" '" +
      table.string() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run python3");
  double seconds = -1;
  if (std::fscanf(pipe, "%lf", &seconds) != 1) seconds = -1;
  if (pclose(pipe) != 0 || seconds < 0) {
    throw std::runtime_error("python3-dbfread did not read the table");
  }
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path template_file, work;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string arg = argv[i];
    if (arg == "--template") template_file = argv[i + 1];
    if (arg == "--work") work = argv[i + 1];
  }
  if (template_file.empty() || work.empty()) {
    std::fprintf(stderr,
                 "usage: tarnwick-bench-dbf --template FILE --work DIR\n");
    return 2;
  }
  try {
    std::filesystem::path app = work / "app";
    std::filesystem::create_directories(app / "System");
    std::filesystem::copy_file(
        template_file, app / "System" / "DBFTemplate.xls",
        std::filesystem::copy_options::overwrite_existing);
    std::printf("%-16s %10s %10s %8s   %s\n", "table (11 fields)", "import s",
                "dbfread s", "ratio", "of the import: tables s, save s");
    for (int records : {4000, 40000}) {
      std::filesystem::path folder =
          work / ("records" + std::to_string(records));
      WriteTable(folder, records);
      double ours = ImportSeconds(app, folder);
      double peer = PeerSeconds(folder / "rnddat.dbf");
      Parts parts = PartSeconds(app, folder);
      std::printf("%-16s %10.3f %10.3f %7.1fx   %.3f, %.3f\n",
                  (std::to_string(records) + " records").c_str(), ours, peer,
                  peer / ours, parts.tables, parts.save);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarnwick-bench-dbf: %s\n", e.what());
    return 1;
  }
  return 0;
}
