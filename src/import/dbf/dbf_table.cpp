#include "import/dbf/dbf_table.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/error.h"
#include "core/platform.h"
#include "core/windows1252.h"

namespace tarnwick::import {
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

// Visual FoxPro puts a backlink to its database container between the
// field descriptors and the first record.
constexpr std::uint64_t kBacklinkLength = 263;

bool HasBacklink(unsigned char version) {
  return version == 0x30 || version == 0x31 || version == 0x32;
}

Error Damaged(const std::filesystem::path& file, const std::string& what) {
  return Error(Named(file, "damaged header: " + what));
}

// Checks the field descriptors (what follows the first 32 bytes, up to the
// end mark) against the lengths the header gives, which shapelib takes on
// trust: a header longer than its descriptors would read as a table of no
// fields, and a field of length 0 would move every later price one column
// on.
void CheckFields(const std::filesystem::path& file, unsigned char version,
                 std::string_view descriptors, std::uint64_t header_length,
                 std::uint64_t record_length) {
  std::uint64_t fields = 0;
  std::uint64_t used = 1;  // the deletion flag
  for (; descriptors.size() > 32 * fields && descriptors[32 * fields] != 0x0D;
       ++fields) {
    std::string_view d = descriptors.substr(32 * fields, 32);
    if (d.size() < 32) {
      throw Damaged(file, "the field descriptors have no end mark");
    }
    std::string field = "field " + std::to_string(fields + 1);
    std::size_t name_end = d.substr(0, 11).find('\0');
    auto width = static_cast<unsigned char>(d[16]);
    // Past the length the header gives, a descriptor that makes no sense
    // is the first record: the end mark is missing.
    if (32 * fields + 64 >= header_length &&
        (name_end == std::string_view::npos || width == 0)) {
      throw Damaged(file, "the field descriptors have no end mark");
    }
    if (name_end == std::string_view::npos) {
      throw Damaged(file, "the name of " + field + " has no end");
    }
    if (width == 0) {
      throw Damaged(file, field + " (" +
                              DecodeWindows1252(d.substr(0, name_end)) +
                              ") has length 0");
    }
    used += width;
  }
  if (descriptors.size() <= 32 * fields) {
    throw Damaged(file, "the field descriptors have no end mark");
  }
  if (fields == 0) throw Damaged(file, "it describes no field");
  std::uint64_t plain = 32 * fields + 33;
  if (header_length != plain &&
      !(HasBacklink(version) && header_length == plain + kBacklinkLength)) {
    throw Damaged(file,
                  "it gives its length as " + std::to_string(header_length) +
                      " bytes, but its " + std::to_string(fields) +
                      " field descriptors make it " + std::to_string(plain));
  }
  if (used != record_length) {
    throw Damaged(file, "its fields and the deletion flag take " +
                            std::to_string(used) + " bytes, but a record is " +
                            std::to_string(record_length) + " bytes long");
  }
}

// Checks what shapelib takes on trust: that the file is a table at all, that
// its header agrees with itself, and that every record the header counts is
// really there.
void CheckHeader(const std::filesystem::path& file) {
  // Read whole through the seam: a pipe or a device in a table's place is
  // refused at once instead of waiting for ever.
  platform::ReadResult read = platform::ReadWholeFile(file);
  if (read.outcome != platform::ReadOutcome::kRead) {
    throw Error(Named(file, "cannot be opened (" + read.reason + ")"));
  }
  std::string_view bytes = read.bytes();
  unsigned char header[32] = {};
  if (bytes.size() < sizeof header) {
    throw Error(Named(file, "too short to be a dBASE table"));
  }
  std::memcpy(header, bytes.data(), sizeof header);
  if (!IsKnownVersion(header[0])) {
    throw Error(Named(file, "not a dBASE or FoxPro table"));
  }
  std::uint64_t records = Little(header + 4, 4);
  std::uint64_t header_length = Little(header + 8, 2);
  std::uint64_t record_length = Little(header + 10, 2);
  if (header_length < 33 || record_length < 1) {
    throw Error(Named(file, "not a dBASE or FoxPro table (bad header)"));
  }
  // The descriptors are looked at wherever their end mark is, so that a
  // wrong header length is told as such; a header length has 16 bits.
  std::string descriptors(bytes.substr(sizeof header, 65536));
  CheckFields(file, header[0], descriptors, header_length, record_length);
  if (bytes.size() < header_length + records * record_length) {
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
  platform::ReadResult read = platform::ReadWholeFile(path);
  if (read.outcome != platform::ReadOutcome::kRead) return nullptr;
  auto file = std::make_unique<MemoryFile>();
  file->bytes.assign(read.bytes());
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

}  // namespace tarnwick::import
