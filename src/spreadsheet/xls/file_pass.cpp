#include "spreadsheet/xls/file_pass.h"

#include <glib.h>

#include <array>
#include <vector>

#include "core/error.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/record.h"

namespace tarnwick::spreadsheet::xls {
namespace {

// The stream is encrypted in blocks of this many bytes, each with a key of
// its own, the keystream counted from the start of the stream.
constexpr std::size_t kBlock = 1024;

[[noreturn]] void Fail(std::string_view what, std::string_view reason) {
  throw Error(std::string(what) + ": " + std::string(reason));
}

using Bytes = std::vector<std::uint8_t>;

Bytes Digest(GChecksumType type, const Bytes& data) {
  GChecksum* sum = g_checksum_new(type);
  g_checksum_update(sum, data.data(), static_cast<gssize>(data.size()));
  Bytes out(64);
  gsize size = out.size();
  g_checksum_get_digest(sum, out.data(), &size);
  g_checksum_free(sum);
  out.resize(size);
  return out;
}

Bytes Utf16Password() {
  Bytes out;
  for (char c : kDefaultPassword) {
    out.push_back(static_cast<std::uint8_t>(c));
    out.push_back(0);
  }
  return out;
}

void AppendLe32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

class Rc4 {
 public:
  explicit Rc4(const Bytes& key) {
    for (int i = 0; i < 256; ++i) s_[i] = static_cast<std::uint8_t>(i);
    std::uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
      j = static_cast<std::uint8_t>(j + s_[i] + key[i % key.size()]);
      std::swap(s_[i], s_[j]);
    }
  }
  std::uint8_t Next() {
    i_ = static_cast<std::uint8_t>(i_ + 1);
    j_ = static_cast<std::uint8_t>(j_ + s_[i_]);
    std::swap(s_[i_], s_[j_]);
    return s_[static_cast<std::uint8_t>(s_[i_] + s_[j_])];
  }

 private:
  std::array<std::uint8_t, 256> s_;
  std::uint8_t i_ = 0, j_ = 0;
};

// The two RC4 schemes differ only in how a block's key is made and which
// hash checks the password.
struct Scheme {
  GChecksumType hash;
  Bytes base;              // what every block key is made from
  std::size_t key_length;  // bytes of the digest taken as the key
  Bytes salt;
  Bytes verifier;       // encrypted
  Bytes verifier_hash;  // encrypted

  Bytes BlockKey(std::uint32_t block) const {
    Bytes data = base;
    AppendLe32(data, block);
    Bytes key = Digest(hash, data);
    key.resize(key_length);
    // A 40-bit CryptoAPI key is used as 128 bits, the rest zero.
    if (key_length == 5 && hash == G_CHECKSUM_SHA1) key.resize(16, 0);
    return key;
  }

  bool PasswordFits() const {
    Rc4 rc4(BlockKey(0));
    Bytes plain, hash_of;
    for (std::uint8_t b : verifier) plain.push_back(b ^ rc4.Next());
    for (std::uint8_t b : verifier_hash) hash_of.push_back(b ^ rc4.Next());
    Bytes expected = Digest(hash, plain);
    return hash_of.size() >= expected.size() &&
           std::equal(expected.begin(), expected.end(), hash_of.begin());
  }
};

Bytes Take(std::string_view data, std::size_t at, std::size_t count) {
  return Bytes(data.begin() + at, data.begin() + at + count);
}

// RC4 with MD5 (Excel 97 and 2000).
Scheme StandardScheme(std::string_view d, std::string_view what) {
  if (d.size() < 54) Fail(what, "the workbook is damaged (FILEPASS is short)");
  Scheme s{G_CHECKSUM_MD5, {}, 16, Take(d, 6, 16), Take(d, 22, 16),
           Take(d, 38, 16)};
  Bytes h0 = Digest(G_CHECKSUM_MD5, Utf16Password());
  Bytes buffer;
  for (int i = 0; i < 16; ++i) {
    buffer.insert(buffer.end(), h0.begin(), h0.begin() + 5);
    buffer.insert(buffer.end(), s.salt.begin(), s.salt.end());
  }
  Bytes h1 = Digest(G_CHECKSUM_MD5, buffer);
  s.base.assign(h1.begin(), h1.begin() + 5);
  return s;
}

// RC4 with SHA-1 through the CryptoAPI (Excel 2002 and later).
Scheme CryptoApiScheme(std::string_view d, std::string_view what) {
  auto damaged = [&] {
    Fail(what, "the workbook is damaged (FILEPASS is short)");
  };
  if (d.size() < 14) damaged();
  std::size_t header_size = GetU32(d.data() + 10);
  if (header_size < 32 || header_size > d.size()) damaged();
  std::size_t key_bits = GetU32(d.data() + 14 + 16);
  std::size_t at = 14 + header_size;  // the verifier
  if (d.size() < at + 4 + 16 + 16 + 4 + 20) damaged();
  if (key_bits == 0) key_bits = 40;
  if (key_bits % 8 != 0 || key_bits < 40 || key_bits > 128) {
    Fail(what, "the workbook is encrypted with a key length not read here");
  }
  Scheme s{G_CHECKSUM_SHA1,      {},
           key_bits / 8,         Take(d, at + 4, 16),
           Take(d, at + 20, 16), Take(d, at + 40, 20)};
  Bytes salted = s.salt;
  Bytes password = Utf16Password();
  salted.insert(salted.end(), password.begin(), password.end());
  s.base = Digest(G_CHECKSUM_SHA1, salted);
  return s;
}

Scheme SchemeOf(std::string_view d, std::string_view what) {
  if (d.size() >= 6 && GetU16(d.data()) == 1) {
    std::uint16_t major = GetU16(d.data() + 2);
    std::uint16_t minor = GetU16(d.data() + 4);
    if (major == 1 && minor == 1) return StandardScheme(d, what);
    if (major >= 2 && major <= 4 && minor == 2) return CryptoApiScheme(d, what);
  }
  Fail(what,
       "the workbook is encrypted in a way Tarnwick does not read; open it in "
       "Excel and save it without a password");
}

// Records that stay plain in an encrypted stream.
bool StaysPlain(std::uint16_t type) {
  switch (type) {
    case rt::kBof:
    case rt::kFilePass:
    case 0x0194:  // USREXCL
    case 0x0195:  // FILELOCK
    case 0x00E1:  // INTERFACEHDR
    case 0x0196:  // RRDINFO
    case 0x0138:  // RRDHEAD
      return true;
    default:
      return false;
  }
}

// The keystream byte at each position of the stream, asked in rising order.
class Keystream {
 public:
  explicit Keystream(const Scheme& scheme) : scheme_(scheme) {}
  std::uint8_t At(std::size_t position) {
    std::size_t block = position / kBlock;
    if (block != block_) {
      Rc4 rc4(scheme_.BlockKey(static_cast<std::uint32_t>(block)));
      for (std::uint8_t& b : bytes_) b = rc4.Next();
      block_ = block;
    }
    return bytes_[position % kBlock];
  }

 private:
  const Scheme& scheme_;
  std::size_t block_ = static_cast<std::size_t>(-1);
  std::array<std::uint8_t, kBlock> bytes_{};
};

}  // namespace

std::optional<std::string> DecryptWorkbookStream(std::string_view stream,
                                                 std::string_view what) {
  // FILEPASS stands among the global records, before their EOF. A stream
  // cut short here is left to the reader to report.
  std::string_view file_pass;
  std::size_t at = 0;
  if (stream.size() < 4 || GetU16(stream.data()) != rt::kBof) {
    return std::nullopt;
  }
  for (;;) {
    if (at + 4 > stream.size()) return std::nullopt;
    std::uint16_t type = GetU16(stream.data() + at);
    std::size_t length = GetU16(stream.data() + at + 2);
    if (at + 4 + length > stream.size() || type == rt::kEof) {
      return std::nullopt;
    }
    if (type == rt::kFilePass) {
      file_pass = stream.substr(at + 4, length);
      break;
    }
    at += 4 + length;
  }
  Scheme scheme = SchemeOf(file_pass, what);
  if (!scheme.PasswordFits()) {
    Fail(what,
         "the workbook is encrypted with a password of its own and needs its "
         "password: open it in Excel with the password and save it without "
         "one");
  }
  std::string plain(stream);
  Keystream keystream(scheme);
  at = 0;
  while (at + 4 <= plain.size()) {
    std::uint16_t type = GetU16(plain.data() + at);
    std::size_t length = GetU16(plain.data() + at + 2);
    std::size_t begin = at + 4;
    std::size_t end = begin + length;
    // A cut-off record is left as it is; reading it says what is wrong.
    if (end > plain.size()) break;
    if (!StaysPlain(type)) {
      // A sheet's offset in BOUNDSHEET stays plain.
      if (type == rt::kBoundSheet) begin = std::min(end, begin + 4);
      for (std::size_t k = begin; k < end; ++k) {
        plain[k] = static_cast<char>(static_cast<std::uint8_t>(plain[k]) ^
                                     keystream.At(k));
      }
    }
    at = end;
  }
  return plain;
}

}  // namespace tarnwick::spreadsheet::xls
