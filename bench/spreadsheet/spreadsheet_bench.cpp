// Reads and writes a workbook of SHEETS x ROWS x 13 cells with Tarnwick,
// then has python3-xlrd read the same file and python3-xlwt write the same
// cells, and prints the times and how many times faster Tarnwick is. Run
// with 20 x 500 and with ten times the rows to see time grow with cells.
//   tarnwick-bench-spreadsheet PEERS_SCRIPT WORK_FOLDER [ROWS...]

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "spreadsheet/application.h"

namespace {

using tarnwick::spreadsheet::Application;
using tarnwick::spreadsheet::CellValue;
using Clock = std::chrono::steady_clock;

constexpr int kSheets = 20;
constexpr int kColumns = 13;
const char* const kGrades[] = {"IF",  "VVS1", "VVS2", "VS1",
                               "VS2", "SI1",  "SI2",  "I1"};

// The same cells as peers_bench.py (rows and columns 0-based there).
CellValue BenchCell(int r, int c) {
  if (c == 0) return CellValue::Text("Row " + std::to_string(r));
  if (c == 1) return CellValue::Text(kGrades[r % 8]);
  if (c % 2) return CellValue::Number(r * 13 + c);
  return CellValue::Number((r * 13 + c) * 1.1);
}

double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double TarnwickWrite(const std::filesystem::path& path, int rows) {
  auto start = Clock::now();
  Application app;
  auto& book = app.Workbooks().Add();
  for (int s = 0; s < kSheets; ++s) {
    auto& sheet = s == 0 ? book.Sheets().Item(1)
                         : book.AddWorksheet("Sheet " + std::to_string(s + 1));
    if (s == 0) sheet.SetName("Sheet 1");
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < kColumns; ++c) {
        sheet.SetCells(r + 1, c + 1, BenchCell(r, c));
      }
    }
  }
  book.SaveAs(path);
  return Seconds(start);
}

double TarnwickRead(const std::filesystem::path& path, long& cells) {
  auto start = Clock::now();
  Application app;
  auto& book = app.Workbooks().Add(path);
  cells = 0;
  for (int s = 1; s <= book.Sheets().Count(); ++s) {
    const auto& sheet = book.Sheets().Item(s);
    int rows = sheet.UsedRows();
    int columns = sheet.UsedColumns();
    for (int r = 1; r <= rows; ++r) {
      for (int c = 1; c <= columns; ++c) {
        if (!sheet.Cells(r, c).IsEmpty()) ++cells;
      }
    }
  }
  return Seconds(start);
}

double Peer(const std::string& command) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  double seconds = -1;
  if (std::fscanf(pipe, "%lf", &seconds) != 1) seconds = -1;
  pclose(pipe);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: tarnwick-bench-spreadsheet PEERS_SCRIPT WORK_FOLDER "
                 "[ROWS...]\n";
    return 2;
  }
  std::string peers = std::string("/usr/bin/python3 '") + argv[1] + "'";
  std::filesystem::path work = argv[2];
  std::filesystem::create_directories(work);
  std::vector<int> row_counts;
  for (int i = 3; i < argc; ++i) row_counts.push_back(std::stoi(argv[i]));
  if (row_counts.empty()) row_counts = {500, 5000};

  std::printf("%-22s %12s %12s %12s %12s %10s %10s\n", "workbook",
              "tarnwick wr", "xlwt write", "tarnwick rd", "xlrd read",
              "x write", "x read");
  for (int rows : row_counts) {
    auto ours = work / ("tarnwick-" + std::to_string(rows) + ".xls");
    auto theirs = work / ("xlwt-" + std::to_string(rows) + ".xls");
    double write = TarnwickWrite(ours, rows);
    long cells = 0;
    double read = TarnwickRead(ours, cells);
    double xlwt = Peer(peers + " write '" + theirs.string() + "' " +
                       std::to_string(kSheets) + " " + std::to_string(rows));
    double xlrd = Peer(peers + " read '" + ours.string() + "'");
    std::printf(
        "%2d x %5d x %2d (%7ld) %11.3fs %11.3fs %11.3fs %11.3fs %9.1fx "
        "%9.1fx\n",
        kSheets, rows, kColumns, cells, write, xlwt, read, xlrd, xlwt / write,
        xlrd / read);
  }
  return 0;
}
