#ifndef TARNWICK_SPREADSHEET_CELL_VALUE_H_
#define TARNWICK_SPREADSHEET_CELL_VALUE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace tarnwick::spreadsheet {

// The most characters (UTF-16 units) a text cell holds.
inline constexpr std::size_t kMaxCellTextLength = 32767;

enum class CellKind : std::uint8_t { kEmpty, kNumber, kText, kBoolean, kError };

// What a cell holds, as a spreadsheet shows it. A formula cell is read as its
// cached result. Texts are UTF-8.
class CellValue {
 public:
  CellValue() = default;  // empty

  static CellValue Number(double number) {
    CellValue v;
    v.kind_ = CellKind::kNumber;
    v.number_ = number;
    return v;
  }
  static CellValue Text(std::string text) {
    CellValue v;
    v.kind_ = CellKind::kText;
    v.text_ = std::move(text);
    return v;
  }
  static CellValue Boolean(bool value) {
    CellValue v;
    v.kind_ = CellKind::kBoolean;
    v.number_ = value ? 1 : 0;
    return v;
  }
  // `code` is the BIFF error code (0x07 #DIV/0!, 0x2A #N/A, ...).
  static CellValue Error(std::uint8_t code) {
    CellValue v;
    v.kind_ = CellKind::kError;
    v.number_ = code;
    return v;
  }

  CellKind kind() const { return kind_; }
  bool IsEmpty() const { return kind_ == CellKind::kEmpty; }
  double number() const { return number_; }
  const std::string& text() const { return text_; }
  bool boolean() const { return number_ != 0; }
  std::uint8_t error_code() const { return static_cast<std::uint8_t>(number_); }

  friend bool operator==(const CellValue& a, const CellValue& b) {
    return a.kind_ == b.kind_ && a.number_ == b.number_ && a.text_ == b.text_;
  }

 private:
  CellKind kind_ = CellKind::kEmpty;
  double number_ = 0;
  std::string text_;
};

// The text a spreadsheet shows for an error code: "#NULL!", "#DIV/0!",
// "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"; "#ERR" for any other code.
inline const char* ErrorCodeText(std::uint8_t code) {
  switch (code) {
    case 0x00:
      return "#NULL!";
    case 0x07:
      return "#DIV/0!";
    case 0x0F:
      return "#VALUE!";
    case 0x17:
      return "#REF!";
    case 0x1D:
      return "#NAME?";
    case 0x24:
      return "#NUM!";
    case 0x2A:
      return "#N/A";
    default:
      return "#ERR";
  }
}

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_CELL_VALUE_H_
