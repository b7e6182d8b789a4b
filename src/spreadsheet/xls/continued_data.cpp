#include "spreadsheet/xls/continued_data.h"

#include <algorithm>

#include "core/error.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/code_page.h"
#include "spreadsheet/xls/unicode_text.h"

namespace tarnwick::spreadsheet::xls {

ContinuedData::ContinuedData(std::vector<std::string_view> segments,
                             std::string_view what)
    : segments_(std::move(segments)), what_(what) {}

void ContinuedData::SettleSegment() {
  while (segment_ < segments_.size() && pos_ >= segments_[segment_].size()) {
    ++segment_;
    pos_ = 0;
  }
}

bool ContinuedData::AtEnd() const {
  if (segment_ >= segments_.size()) return true;
  if (pos_ < segments_[segment_].size()) return false;
  for (std::size_t k = segment_ + 1; k < segments_.size(); ++k) {
    if (!segments_[k].empty()) return false;
  }
  return true;
}

void ContinuedData::Truncated() const {
  throw Error(std::string(what_) +
              ": the workbook is damaged (a record ends in the middle of its "
              "data)");
}

std::uint8_t ContinuedData::U8() {
  SettleSegment();
  if (segment_ >= segments_.size()) Truncated();
  return static_cast<std::uint8_t>(segments_[segment_][pos_++]);
}

std::uint16_t ContinuedData::U16() {
  std::uint16_t lo = U8();
  return static_cast<std::uint16_t>(lo | (U8() << 8));
}

std::uint32_t ContinuedData::U32() {
  std::uint32_t lo = U16();
  return lo | (static_cast<std::uint32_t>(U16()) << 16);
}

void ContinuedData::Skip(std::size_t count) {
  while (count > 0) {
    SettleSegment();
    if (segment_ >= segments_.size()) Truncated();
    std::size_t step = std::min(count, segments_[segment_].size() - pos_);
    pos_ += step;
    count -= step;
  }
}

std::string ContinuedData::UnicodeString(std::string* runs) {
  return StringBody(U16(), runs);
}

std::string ContinuedData::ShortUnicodeString() {
  return StringBody(U8(), nullptr);
}

std::string ContinuedData::ByteString(std::size_t count,
                                      std::uint16_t code_page) {
  std::string bytes;
  bytes.reserve(count);
  while (bytes.size() < count) {
    SettleSegment();
    if (segment_ >= segments_.size()) Truncated();
    std::size_t take =
        std::min(count - bytes.size(), segments_[segment_].size() - pos_);
    bytes.append(segments_[segment_].substr(pos_, take));
    pos_ += take;
  }
  std::string out;
  AppendCodePageAsUtf8(out, bytes, code_page);
  return out;
}

std::string ContinuedData::StringBody(std::size_t count, std::string* runs) {
  // Some programs write an empty text without its option byte.
  if (count == 0 && AtEnd()) return {};
  std::uint8_t options = U8();
  std::size_t run_count = (options & 0x08) ? U16() : 0;
  std::size_t ext = (options & 0x04) ? U32() : 0;
  bool wide = options & 0x01;
  std::string out;
  out.reserve(count);
  std::u16string pending;  // wide characters not yet converted
  std::size_t done = 0;
  while (done < count) {
    if (segment_ >= segments_.size()) Truncated();
    if (pos_ >= segments_[segment_].size()) {
      // The characters go on in the next record, which opens with its own
      // option byte; some programs write an empty CONTINUE record between.
      do {
        ++segment_;
        pos_ = 0;
      } while (segment_ < segments_.size() && segments_[segment_].empty());
      if (segment_ >= segments_.size()) Truncated();
      wide = static_cast<std::uint8_t>(segments_[segment_][pos_++]) & 0x01;
      continue;
    }
    std::string_view seg = segments_[segment_];
    std::size_t available = (seg.size() - pos_) / (wide ? 2 : 1);
    // A wide character never straddles two records.
    if (available == 0) Truncated();
    std::size_t take = std::min(available, count - done);
    const char* p = seg.data() + pos_;
    if (wide) {
      for (std::size_t k = 0; k < take; ++k) {
        pending.push_back(static_cast<char16_t>(GetU16(p + 2 * k)));
      }
    } else {
      AppendUtf8(out, pending);
      pending.clear();
      AppendLatin1AsUtf8(out, std::string_view(p, take));
    }
    pos_ += take * (wide ? 2 : 1);
    done += take;
  }
  AppendUtf8(out, pending);
  if (runs != nullptr) {
    runs->clear();
    for (std::size_t k = 0; k < 4 * run_count; ++k) {
      runs->push_back(static_cast<char>(U8()));
    }
  } else {
    Skip(4 * run_count);
  }
  Skip(ext);
  return out;
}

void AppendUnicodeString(std::string& out, std::string_view utf8,
                         bool short_count) {
  if (IsAscii(utf8)) {
    if (short_count) {
      AppendU8(out, static_cast<std::uint8_t>(utf8.size()));
    } else {
      AppendU16(out, static_cast<std::uint16_t>(utf8.size()));
    }
    AppendU8(out, 0);
    out.append(utf8);
    return;
  }
  std::u16string chars = ToUtf16(utf8);
  bool wide = std::any_of(chars.begin(), chars.end(),
                          [](char16_t c) { return c > 0xFF; });
  if (short_count) {
    AppendU8(out, static_cast<std::uint8_t>(chars.size()));
  } else {
    AppendU16(out, static_cast<std::uint16_t>(chars.size()));
  }
  AppendU8(out, wide ? 1 : 0);
  for (char16_t c : chars) {
    if (wide) {
      AppendU16(out, c);
    } else {
      AppendU8(out, static_cast<std::uint8_t>(c));
    }
  }
}

}  // namespace tarnwick::spreadsheet::xls
