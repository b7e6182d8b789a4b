#include "spreadsheet/xls/shared_string_table.h"

#include <algorithm>

#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/record.h"
#include "spreadsheet/xls/unicode_text.h"

namespace tarnwick::spreadsheet::xls {
namespace {

// Builds the SST record and its CONTINUE records one after another.
class SstBuilder {
 public:
  explicit SstBuilder(std::string& stream) : stream_(stream) {}

  std::size_t room() const { return kMaxRecordData - data_.size(); }
  std::string& data() { return data_; }
  // Where the next byte of data lands in the stream, and in its record.
  std::uint32_t StreamOffset() const {
    return static_cast<std::uint32_t>(stream_.size() + 4 + data_.size());
  }
  std::uint16_t RecordOffset() const {
    return static_cast<std::uint16_t>(4 + data_.size());
  }
  void StartNext() {
    Flush();
    type_ = rt::kContinue;
  }
  void Flush() {
    AppendRecord(stream_, type_, data_);
    data_.clear();
  }

 private:
  std::string& stream_;
  std::string data_;
  std::uint16_t type_ = rt::kSst;
};

struct BucketStart {
  std::uint32_t stream_offset;
  std::uint16_t record_offset;
};

// A text of ASCII characters goes in compressed, as it stands.
void AppendAsciiString(SstBuilder& sst, std::string_view text) {
  std::size_t count = std::min<std::size_t>(text.size(), 0xFFFF);
  AppendU16(sst.data(), static_cast<std::uint16_t>(count));
  AppendU8(sst.data(), 0);
  std::size_t done = 0;
  while (done < count) {
    std::size_t take = std::min(sst.room(), count - done);
    if (take == 0) {
      sst.StartNext();
      AppendU8(sst.data(), 0);
      continue;
    }
    sst.data().append(text.substr(done, take));
    done += take;
  }
}

void AppendString(SstBuilder& sst, std::string_view text) {
  if (IsAscii(text)) {
    AppendAsciiString(sst, text);
    return;
  }
  std::u16string chars = ToUtf16(text);
  bool wide = std::any_of(chars.begin(), chars.end(),
                          [](char16_t c) { return c > 0xFF; });
  std::size_t unit = wide ? 2 : 1;
  std::size_t count = std::min<std::size_t>(chars.size(), 0xFFFF);
  AppendU16(sst.data(), static_cast<std::uint16_t>(count));
  AppendU8(sst.data(), wide ? 1 : 0);
  std::size_t done = 0;
  while (done < count) {
    std::size_t take = std::min(sst.room() / unit, count - done);
    if (take == 0) {
      sst.StartNext();
      AppendU8(sst.data(), wide ? 1 : 0);
      continue;
    }
    for (std::size_t k = done; k < done + take; ++k) {
      if (wide) {
        AppendU16(sst.data(), chars[k]);
      } else {
        AppendU8(sst.data(), static_cast<std::uint8_t>(chars[k]));
      }
    }
    done += take;
  }
}

}  // namespace

std::uint32_t SharedStringTable::Add(std::string_view text) {
  ++total_;
  auto [it, added] =
      index_.try_emplace(text, static_cast<std::uint32_t>(texts_.size()));
  if (added) texts_.push_back(text);
  return it->second;
}

void SharedStringTable::AppendRecords(std::string& stream) const {
  // Readers find strings quickly through EXTSST: the place of every
  // `per_bucket`-th string, in at most 128 buckets.
  std::size_t per_bucket = std::max<std::size_t>(8, texts_.size() / 128 + 1);
  std::vector<BucketStart> buckets;
  SstBuilder sst(stream);
  AppendU32(sst.data(), total_);
  AppendU32(sst.data(), static_cast<std::uint32_t>(texts_.size()));
  for (std::size_t i = 0; i < texts_.size(); ++i) {
    // The header and the first character stay together.
    if (sst.room() < 5) sst.StartNext();
    if (i % per_bucket == 0) {
      buckets.push_back({sst.StreamOffset(), sst.RecordOffset()});
    }
    AppendString(sst, texts_[i]);
  }
  sst.Flush();
  std::string ext;
  AppendU16(ext, static_cast<std::uint16_t>(per_bucket));
  for (const BucketStart& b : buckets) {
    AppendU32(ext, b.stream_offset);
    AppendU16(ext, b.record_offset);
    AppendU16(ext, 0);
  }
  AppendRecord(stream, rt::kExtSst, ext);
}

}  // namespace tarnwick::spreadsheet::xls
