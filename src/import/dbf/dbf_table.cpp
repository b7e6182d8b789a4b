#include "import/dbf/dbf_table.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

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

// The table file held whole in memory: shapelib seeks and reads once per
// record, which on a stream costs a system call each; from memory a large
// table is read many times faster.
struct MemoryFile {
  std::string bytes;
  std::size_t position = 0;
};

MemoryFile& Held(SAFile file) { return *reinterpret_cast<MemoryFile*>(file); }

// shapelib always puts ".dbf" (then ".DBF") after the name it is given; the
// real name is passed with ".dbf" added and taken off again here, so a table
// named "RndDat.Dbf" opens as well as "rnddat.dbf".
SAFile OpenInMemory(const char* name, const char* /*access*/) {
  std::string path(name);
  if (path.size() <= 4 || !(path.ends_with(".dbf") || path.ends_with(".DBF"))) {
    return nullptr;  // the code page file, which a price table does not need
  }
  path.resize(path.size() - 4);
  std::error_code ec;
  std::uintmax_t size = std::filesystem::file_size(path, ec);
  std::ifstream in(path, std::ios::binary);
  if (ec || !in) return nullptr;
  auto file = std::make_unique<MemoryFile>();
  file->bytes.resize(size);
  if (!in.read(file->bytes.data(), static_cast<std::streamsize>(size))) {
    return nullptr;
  }
  return reinterpret_cast<SAFile>(file.release());
}

SAOffset ReadHeld(void* to, SAOffset size, SAOffset count, SAFile file) {
  MemoryFile& f = Held(file);
  if (size == 0 || f.position >= f.bytes.size()) return 0;
  SAOffset whole =
      std::min<SAOffset>(count, (f.bytes.size() - f.position) / size);
  std::memcpy(to, f.bytes.data() + f.position, whole * size);
  f.position += whole * size;
  return whole;
}

SAOffset WriteNothing(void*, SAOffset, SAOffset, SAFile) { return 0; }

SAOffset SeekHeld(SAFile file, SAOffset offset, int whence) {
  MemoryFile& f = Held(file);
  std::size_t base = whence == SEEK_CUR   ? f.position
                     : whence == SEEK_END ? f.bytes.size()
                                          : 0;
  f.position = base + static_cast<std::size_t>(offset);
  return 0;
}

SAOffset TellHeld(SAFile file) { return Held(file).position; }

int FlushNothing(SAFile) { return 0; }

int CloseHeld(SAFile file) {
  delete &Held(file);
  return 0;
}

// shapelib reports to stderr by default; the reasons are given here instead.
void IgnoreError(const char*) {}

}  // namespace

DbfTable::DbfTable(const std::filesystem::path& file) : file_(file) {
  CheckHeader(file);
  SAHooks hooks;
  SASetupDefaultHooks(&hooks);
  hooks.FOpen = OpenInMemory;
  hooks.FRead = ReadHeld;
  hooks.FWrite = WriteNothing;
  hooks.FSeek = SeekHeld;
  hooks.FTell = TellHeld;
  hooks.FFlush = FlushNothing;
  hooks.FClose = CloseHeld;
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

}  // namespace tarnwick
