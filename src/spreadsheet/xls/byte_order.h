#ifndef TARNWICK_SPREADSHEET_XLS_BYTE_ORDER_H_
#define TARNWICK_SPREADSHEET_XLS_BYTE_ORDER_H_

// Little-endian fields of BIFF records and compound files. Readers take a
// pointer the caller has already checked to have the bytes.

#include <cstdint>
#include <cstring>
#include <string>

namespace tarnwick::spreadsheet::xls {

inline std::uint16_t GetU16(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

inline std::uint32_t GetU32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint32_t>(b[0]) |
         (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) |
         (static_cast<std::uint32_t>(b[3]) << 24);
}

inline double GetF64(const char* p) {
  std::uint64_t bits =
      GetU32(p) | (static_cast<std::uint64_t>(GetU32(p + 4)) << 32);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

inline void PutU16(char* p, std::uint16_t v) {
  p[0] = static_cast<char>(v & 0xFF);
  p[1] = static_cast<char>(v >> 8);
}

inline void PutU32(char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void AppendU8(std::string& out, std::uint8_t v) {
  out.push_back(static_cast<char>(v));
}

inline void AppendU16(std::string& out, std::uint16_t v) {
  char b[2];
  PutU16(b, v);
  out.append(b, 2);
}

inline void AppendU32(std::string& out, std::uint32_t v) {
  char b[4];
  PutU32(b, v);
  out.append(b, 4);
}

inline void AppendF64(std::string& out, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  AppendU32(out, static_cast<std::uint32_t>(bits));
  AppendU32(out, static_cast<std::uint32_t>(bits >> 32));
}

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_BYTE_ORDER_H_
