#include "import/dbf/dbf_fixture.h"

#include <cstdint>

#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

void PutLittle(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
}

std::string FieldBytes(const DbfField& field, const std::string& text) {
  std::string cell = text.substr(0, field.width);
  std::string pad(field.width - cell.size(), ' ');
  bool right = field.type == 'N' || field.type == 'F';
  return right ? pad + cell : cell + pad;
}

}  // namespace

std::string DbfBytes(const std::vector<DbfField>& fields,
                     const std::vector<DbfRecord>& records,
                     unsigned char version) {
  int backlink = version == kVisualFoxPro ? 263 : 0;
  int header_length = 32 + 32 * static_cast<int>(fields.size()) + 1 + backlink;
  int record_length = 1;
  for (const DbfField& f : fields) record_length += f.width;

  std::string out;
  out.push_back(static_cast<char>(version));
  out += std::string{126, 12, 6};  // last update 2026-12-06
  PutLittle(out, static_cast<std::uint32_t>(records.size()), 4);
  PutLittle(out, header_length, 2);
  PutLittle(out, record_length, 2);
  out += std::string(17, '\0');
  out.push_back(0x03);  // language driver: Windows ANSI
  out += std::string(2, '\0');
  int offset = 1;
  for (const DbfField& f : fields) {
    std::string name = f.name.substr(0, 10);
    out += name + std::string(11 - name.size(), '\0');
    out.push_back(f.type);
    PutLittle(out, offset, 4);
    out.push_back(static_cast<char>(f.width));
    out.push_back(static_cast<char>(f.decimals));
    out += std::string(14, '\0');
    offset += f.width;
  }
  out.push_back(0x0D);
  out += std::string(backlink, '\0');
  for (const DbfRecord& r : records) {
    out.push_back(r.deleted ? '*' : ' ');
    for (std::size_t k = 0; k < fields.size(); ++k) {
      out += FieldBytes(fields[k], k < r.texts.size() ? r.texts[k] : "");
    }
  }
  out.push_back(0x1A);
  return out;
}

void WriteDbf(const std::filesystem::path& file,
              const std::vector<DbfField>& fields,
              const std::vector<DbfRecord>& records, unsigned char version) {
  WriteBytes(file, DbfBytes(fields, records, version));
}

std::vector<DbfField> PriceFields(int count) {
  std::vector<DbfField> fields;
  for (int k = 1; k <= count; ++k) {
    fields.push_back({"P" + std::to_string(k), 'N', 10, 2});
  }
  return fields;
}

std::vector<DbfRecord> Records(const std::vector<std::string>& lines) {
  std::vector<DbfRecord> records;
  for (const std::string& line : lines) {
    DbfRecord record{{""}, line.starts_with('*')};
    for (char c : line.substr(record.deleted ? 1 : 0)) {
      if (c == '|') {
        record.texts.emplace_back();
      } else {
        record.texts.back() += c;
      }
    }
    records.push_back(record);
  }
  return records;
}

}  // namespace tarnwick::test
