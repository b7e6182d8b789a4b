#include "import/dbf/dbf_table.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "core/error.h"

namespace tarnwick {
namespace {

// The first byte of a table file: dBASE III to V, FoxBASE, FoxPro 2.x and
// Visual FoxPro, with and without memo files.
bool IsKnownVersion(unsigned char version) {
  static constexpr std::array<unsigned char, 18> kVersions = {
      0x02, 0x03, 0x04, 0x05, 0x30, 0x31, 0x32, 0x43, 0x63,
      0x7B, 0x83, 0x8B, 0x8E, 0xB3, 0xCB, 0xE5, 0xF5, 0xFB};
  return std::find(kVersions.begin(), kVersions.end(), version) !=
         kVersions.end();
}

std::uint32_t Little(const unsigned char* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

std::string Named(const std::filesystem::path& file, const std::string& what) {
  return file.filename().string() + ": " + what;
}

// Checks what shapelib takes on trust: that the file is a table at all and
// that every record the header counts is really there.
void CheckHeader(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    throw Error(Named(
        file, std::string("cannot be opened (") + std::strerror(errno) + ")"));
  }
  unsigned char header[32] = {};
  in.read(reinterpret_cast<char*>(header), sizeof header);
  if (in.gcount() < static_cast<std::streamsize>(sizeof header)) {
    throw Error(Named(file, "too short to be a dBASE table"));
  }
  if (!IsKnownVersion(header[0])) {
    throw Error(Named(file, "not a dBASE or FoxPro table"));
  }
  std::uint64_t records = Little(header + 4, 4);
  std::uint64_t header_length = Little(header + 8, 2);
  std::uint64_t record_length = Little(header + 10, 2);
  if (header_length < 33 || record_length < 1) {
    throw Error(Named(file, "not a dBASE or FoxPro table (bad header)"));
  }
  std::error_code ec;
  std::uint64_t size = std::filesystem::file_size(file, ec);
  if (ec || size < header_length + records * record_length) {
    throw Error(Named(file, "cut short: the header counts " +
                                std::to_string(records) +
                                " records that the file does not hold"));
  }
}

// shapelib always puts ".dbf" (then ".DBF") after the name it is given; the
// real name is passed with ".dbf" added and taken off again here, so a table
// named "RndDat.Dbf" opens as well as "rnddat.dbf".
SAFile OpenGivenName(const char* name, const char* access) {
  std::string path(name);
  if (path.size() > 4 && (path.ends_with(".dbf") || path.ends_with(".DBF"))) {
    path.resize(path.size() - 4);
  } else {
    return nullptr;  // the code page file, which a price table does not need
  }
  return reinterpret_cast<SAFile>(std::fopen(path.c_str(), access));
}

// shapelib reports to stderr by default; the reasons are given here instead.
void IgnoreError(const char*) {}

}  // namespace

DbfTable::DbfTable(const std::filesystem::path& file) : file_(file) {
  CheckHeader(file);
  SAHooks hooks;
  SASetupDefaultHooks(&hooks);
  hooks.FOpen = OpenGivenName;
  hooks.Error = IgnoreError;
  handle_ = DBFOpenLL((file.string() + ".dbf").c_str(), "rb", &hooks);
  if (handle_ == nullptr) {
    throw Error(Named(file, "not a readable dBASE or FoxPro table"));
  }
}

DbfTable::~DbfTable() { DBFClose(handle_); }

int DbfTable::RecordCount() const { return DBFGetRecordCount(handle_); }

int DbfTable::FieldCount() const { return DBFGetFieldCount(handle_); }

std::string DbfTable::FieldName(int field) const {
  char name[XBASE_FLDNAME_LEN_READ + 1] = {};
  DBFGetFieldInfo(handle_, field, name, nullptr, nullptr);
  return name;
}

char DbfTable::FieldType(int field) const {
  return DBFGetNativeFieldType(handle_, field);
}

bool DbfTable::ReadRecord(int record) {
  if (DBFReadTuple(handle_, record) == nullptr) {
    throw Error(Named(
        file_, "record " + std::to_string(record + 1) + " cannot be read"));
  }
  record_ = record;
  return !DBFIsRecordDeleted(handle_, record);
}

std::string_view DbfTable::FieldText(int field) const {
  const char* text = DBFReadStringAttribute(handle_, record_, field);
  return text == nullptr ? std::string_view() : std::string_view(text);
}

bool DbfTable::IsNull(int field) const {
  return FieldText(field).empty() ||
         DBFIsAttributeNULL(handle_, record_, field) != 0;
}

}  // namespace tarnwick
