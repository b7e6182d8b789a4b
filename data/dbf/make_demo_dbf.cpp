// Writes the five demo DBF price tables (rnddat.dbf, mqdat.dbf, peardat.dbf,
// emdat.dbf, prndat.dbf) into a folder, so that a new user can try the DBF
// import at once. Prices are per carat in hundreds, for eleven clarity
// grades (IF to I3); each record is one colour row of a mass range.
//
//   tarnwick-make-demo-dbf FOLDER

#include <shapefil.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr std::array<const char*, 11> kClarities = {
    "IF", "VVS1", "VVS2", "VS1", "VS2", "SI1", "SI2", "SI3", "I1", "I2", "I3"};
constexpr std::array<double, 11> kClarityShare = {
    1.0, 0.85, 0.75, 0.66, 0.58, 0.5, 0.42, 0.36, 0.28, 0.2, 0.14};
constexpr std::array<double, 10> kColourShare = {
    1.0, 0.82, 0.72, 0.62, 0.52, 0.43, 0.36, 0.3, 0.25, 0.21};  // D to M
constexpr std::array<double, 5> kColourRangeShare = {
    1.0, 0.8, 0.62, 0.45, 0.32};  // D-F, G-H, I-J, K-L, M-N

struct DemoTable {
  const char* file_name;
  int five_record_groups;
  double shape_share;  // of the round price
  // Top price (D, IF) of every record group, smallest stones first.
  std::vector<double> group_tops;
};

// Round: six 5-record groups (0.01 to 0.29 ct), eleven 10-record groups
// (0.30 to 5.99 ct) and the group the template repeats (6 ct and up).
// Fancy shapes: two 5-record groups, eleven 10-record groups, one repeated.
std::vector<DemoTable> DemoTables() {
  std::vector<double> round = {9,  10,  12,  15,  17,  19,  38,  45,  70,
                               85, 115, 175, 240, 370, 600, 720, 900, 1050};
  std::vector<double> fancy = {8,  12,  15,  28,  33,  50,  62,
                               80, 125, 170, 260, 420, 500, 630};
  return {{"rnddat.dbf", 6, 1.0, round},
          {"mqdat.dbf", 2, 0.9, fancy},
          {"peardat.dbf", 2, 0.95, fancy},
          {"emdat.dbf", 2, 0.85, fancy},
          {"prndat.dbf", 2, 0.8, fancy}};
}

// To the nearest half, never below one half: the way dealers quote.
double Quoted(double price) { return std::max(0.5, std::round(price * 2) / 2); }

bool WriteTable(const std::filesystem::path& folder, const DemoTable& t) {
  std::string path = (folder / t.file_name).string();
  DBFHandle dbf = DBFCreate(path.c_str());
  if (dbf == nullptr) return false;
  for (const char* clarity : kClarities) {
    DBFAddField(dbf, clarity, FTDouble, 8, 1);
  }
  int record = 0;
  bool ok = true;
  for (std::size_t g = 0; g < t.group_tops.size(); ++g) {
    bool ranges = static_cast<int>(g) < t.five_record_groups;
    int colours = ranges ? 5 : 10;
    for (int c = 0; c < colours; ++c) {
      double colour = ranges ? kColourRangeShare[c] : kColourShare[c];
      for (std::size_t k = 0; k < kClarities.size(); ++k) {
        double price =
            Quoted(t.group_tops[g] * t.shape_share * colour * kClarityShare[k]);
        ok = ok && DBFWriteDoubleAttribute(dbf, record, static_cast<int>(k),
                                           price) != 0;
      }
      ++record;
    }
  }
  DBFClose(dbf);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tarnwick-make-demo-dbf FOLDER\n");
    return 2;
  }
  std::filesystem::path folder = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  for (const DemoTable& table : DemoTables()) {
    if (!WriteTable(folder, table)) {
      std::fprintf(stderr, "tarnwick-make-demo-dbf: cannot write %s\n",
                   (folder / table.file_name).string().c_str());
      return 1;
    }
  }
  return 0;
}
