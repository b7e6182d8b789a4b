#include "spreadsheet/xls/record.h"

#include "spreadsheet/xls/byte_order.h"

namespace tarnwick::spreadsheet::xls {

void AppendRecord(std::string& stream, std::uint16_t type,
                  std::string_view data) {
  AppendU16(stream, type);
  AppendU16(stream, static_cast<std::uint16_t>(data.size()));
  stream.append(data);
}

}  // namespace tarnwick::spreadsheet::xls
