#ifndef TARNWICK_SPREADSHEET_XLS_RECORD_H_
#define TARNWICK_SPREADSHEET_XLS_RECORD_H_

// BIFF8 records as they stand in the Workbook stream: a 2-byte type, a 2-byte
// length and at most 8224 bytes of data.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::spreadsheet::xls {

inline constexpr std::size_t kMaxRecordData = 8224;

// BOF.vers: Excel 97-2003 (BIFF8) and Excel 5.0/95 (BIFF5).
inline constexpr std::uint16_t kBiff8 = 0x0600;
inline constexpr std::uint16_t kBiff5 = 0x0500;

namespace rt {
inline constexpr std::uint16_t kFormula = 0x0006;
inline constexpr std::uint16_t kEof = 0x000A;
inline constexpr std::uint16_t kFilePass = 0x002F;
inline constexpr std::uint16_t kContinue = 0x003C;
inline constexpr std::uint16_t kWindow1 = 0x003D;
inline constexpr std::uint16_t kCodePage = 0x0042;
inline constexpr std::uint16_t kColInfo = 0x007D;
inline constexpr std::uint16_t kRk2 = 0x007E;  // RK as Excel 3 numbered it
inline constexpr std::uint16_t kBoundSheet = 0x0085;
inline constexpr std::uint16_t kMulRk = 0x00BD;
inline constexpr std::uint16_t kMulBlank = 0x00BE;
inline constexpr std::uint16_t kRString = 0x00D6;
inline constexpr std::uint16_t kDbCell = 0x00D7;
inline constexpr std::uint16_t kSst = 0x00FC;
inline constexpr std::uint16_t kLabelSst = 0x00FD;
inline constexpr std::uint16_t kExtSst = 0x00FF;
inline constexpr std::uint16_t kDimensions = 0x0200;
inline constexpr std::uint16_t kBlank = 0x0201;
inline constexpr std::uint16_t kNumber = 0x0203;
inline constexpr std::uint16_t kLabel = 0x0204;
inline constexpr std::uint16_t kBoolErr = 0x0205;
inline constexpr std::uint16_t kString = 0x0207;
inline constexpr std::uint16_t kRow = 0x0208;
inline constexpr std::uint16_t kIndex = 0x020B;
inline constexpr std::uint16_t kArray = 0x0221;
inline constexpr std::uint16_t kTable = 0x0236;
inline constexpr std::uint16_t kWindow2 = 0x023E;
inline constexpr std::uint16_t kFormula3 = 0x0206;  // as Excel 3 numbered it
inline constexpr std::uint16_t kFormula4 = 0x0406;  // as Excel 4 numbered it
inline constexpr std::uint16_t kRk = 0x027E;
inline constexpr std::uint16_t kStyle = 0x0293;
inline constexpr std::uint16_t kShrFmla = 0x04BC;
inline constexpr std::uint16_t kBof = 0x0809;
inline constexpr std::uint16_t kFont = 0x0031;
inline constexpr std::uint16_t kXf = 0x00E0;
}  // namespace rt

// Substream kinds in BOF.dt.
inline constexpr std::uint16_t kBofGlobals = 0x0005;
inline constexpr std::uint16_t kBofWorksheet = 0x0010;
inline constexpr std::uint16_t kBofChart = 0x0020;
inline constexpr std::uint16_t kBofMacroSheet = 0x0040;

struct Record {
  std::uint16_t type = 0;
  std::string data;
};

using RecordList = std::vector<Record>;

// Appends one record (type, length, data) to a stream being written.
void AppendRecord(std::string& stream, std::uint16_t type,
                  std::string_view data);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_RECORD_H_
