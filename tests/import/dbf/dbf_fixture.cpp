#include "import/dbf/dbf_fixture.h"

#include <cstdint>
#include <sstream>

#include "support/temp_dir.h"

namespace tarnwick::test {

std::string DbfBytes(const std::vector<DbfField>& fields,
                     const std::vector<DbfRecord>& records,
                     unsigned char version) {
  std::string out(1, static_cast<char>(version));
  auto little = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      out.push_back(static_cast<char>(value >> (8 * i)));
  };
  int backlink = version == kVisualFoxPro ? 263 : 0;
  int record_length = 1;
  for (const DbfField& f : fields) record_length += f.width;
  out += std::string{126, 12, 6};  // last update 2026-12-06
  little(static_cast<std::uint32_t>(records.size()), 4);
  little(32 + 32 * fields.size() + 1 + backlink, 2);
  little(record_length, 2);
  out += std::string(17, '\0') + '\x03' + std::string(2, '\0');  // Windows ANSI
  int offset = 1;
  for (const DbfField& f : fields) {
    std::string name = f.name.substr(0, 10);
    out += name + std::string(11 - name.size(), '\0') + f.type;
    little(offset, 4);
    out +=
        std::string{static_cast<char>(f.width), static_cast<char>(f.decimals)};
    out += std::string(14, '\0');
    offset += f.width;
  }
  out += '\x0D' + std::string(backlink, '\0');
  for (const DbfRecord& r : records) {
    out.push_back(r.deleted ? '*' : ' ');
    for (std::size_t k = 0; k < fields.size(); ++k) {
      const DbfField& f = fields[k];
      std::string cell =
          (k < r.texts.size() ? r.texts[k] : "").substr(0, f.width);
      std::string pad(f.width - cell.size(), ' ');
      out += f.type == 'N' || f.type == 'F' ? pad + cell : cell + pad;
    }
  }
  return out + '\x1A';
}

void WriteDbf(const std::filesystem::path& file,
              const std::vector<DbfField>& fields,
              const std::vector<DbfRecord>& records, unsigned char version) {
  WriteBytes(file, DbfBytes(fields, records, version));
}

std::vector<DbfField> PriceFields(int count) {
  std::vector<DbfField> fields;
  for (int k = 1; k <= count; ++k) fields.push_back({"P" + std::to_string(k)});
  return fields;
}

std::vector<DbfRecord> Records(const std::vector<std::string>& lines) {
  std::vector<DbfRecord> records;
  for (const std::string& line : lines) {
    DbfRecord record{{}, line.starts_with('*')};
    std::istringstream fields(line.substr(record.deleted ? 1 : 0) + "|");
    for (std::string text; std::getline(fields, text, '|');) {
      record.texts.push_back(text);
    }
    records.push_back(record);
  }
  return records;
}

}  // namespace tarnwick::test
