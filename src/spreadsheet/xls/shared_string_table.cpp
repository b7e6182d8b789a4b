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

// The count, the option byte and, for rich text, the number of runs.
void AppendHeader(SstBuilder& sst, std::size_t count, bool wide,
                  std::string_view runs) {
  AppendU16(sst.data(), static_cast<std::uint16_t>(count));
  AppendU8(sst.data(), (wide ? 0x01 : 0) | (runs.empty() ? 0 : 0x08));
  if (!runs.empty()) {
    AppendU16(sst.data(), static_cast<std::uint16_t>(runs.size() / 4));
  }
}

// The runs after the characters; a run is never split between records.
void AppendRuns(SstBuilder& sst, std::string_view runs) {
  for (std::size_t k = 0; k + 4 <= runs.size(); k += 4) {
    if (sst.room() < 4) sst.StartNext();
    sst.data().append(runs.substr(k, 4));
  }
}

// A text of ASCII characters goes in compressed, as it stands.
void AppendAsciiString(SstBuilder& sst, std::string_view text,
                       std::string_view runs) {
  std::size_t count = std::min<std::size_t>(text.size(), 0xFFFF);
  AppendHeader(sst, count, false, runs);
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
  AppendRuns(sst, runs);
}

void AppendString(SstBuilder& sst, std::string_view text,
                  std::string_view runs) {
  if (IsAscii(text)) {
    AppendAsciiString(sst, text, runs);
    return;
  }
  std::u16string chars = ToUtf16(text);
  bool wide = std::any_of(chars.begin(), chars.end(),
                          [](char16_t c) { return c > 0xFF; });
  std::size_t unit = wide ? 2 : 1;
  std::size_t count = std::min<std::size_t>(chars.size(), 0xFFFF);
  AppendHeader(sst, count, wide, runs);
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
  AppendRuns(sst, runs);
}

}  // namespace

std::uint32_t SharedStringTable::Add(std::string_view text,
                                     std::string_view runs) {
  ++total_;
  auto next = static_cast<std::uint32_t>(texts_.size());
  bool added;
  std::uint32_t index;
  if (runs.empty()) {
    auto [it, is_new] = index_.try_emplace(text, next);
    added = is_new;
    index = it->second;
  } else {
    std::string key(text);
    key.push_back('\0');
    key.append(runs);
    auto [it, is_new] = rich_index_.try_emplace(std::move(key), next);
    added = is_new;
    index = it->second;
  }
  if (added) {
    texts_.push_back(text);
    runs_.push_back(runs);
  }
  return index;
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
    if (sst.room() < (runs_[i].empty() ? 5u : 7u)) sst.StartNext();
    if (i % per_bucket == 0) {
      buckets.push_back({sst.StreamOffset(), sst.RecordOffset()});
    }
    AppendString(sst, texts_[i], runs_[i]);
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
