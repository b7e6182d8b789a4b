#include "core/number_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>

#include "core/error.h"

namespace tarnwick {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest prefix of `s` that reads as a number: optional sign,
// digits, optional point and digits, optional exponent. 0 when no digit
// stands in the mantissa.
std::size_t NumberPrefixLength(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    std::size_t exp_start = j;
    while (j < s.size() && IsDigit(s[j])) ++j;
    if (j > exp_start) i = j;
  }
  return i;
}

// A plain decimal of at most 15 digits and no exponent, as most prices are:
// its digits make an exact integer, and dividing that by an exact power of
// ten rounds once, to the double nearest the decimal, as from_chars would.
bool ConvertPlainDecimal(std::string_view s, double* value) {
  static constexpr double kPowers[] = {1,    1e1,  1e2,  1e3, 1e4,  1e5,
                                       1e6,  1e7,  1e8,  1e9, 1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15};
  std::uint64_t digits = 0;
  int count = 0;
  int decimals = -1;
  for (char c : s) {
    if (c == '.' && decimals < 0) {
      decimals = 0;
      continue;
    }
    if (!IsDigit(c) || ++count > 15) return false;
    digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
    if (decimals >= 0) ++decimals;
  }
  if (count == 0) return false;
  *value = static_cast<double>(digits) / kPowers[decimals < 0 ? 0 : decimals];
  return true;
}

// Converts a text that NumberPrefixLength accepted whole.
double ConvertNumber(std::string_view s) {
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (double plain = 0; ConvertPlainDecimal(s, &plain)) {
    return negative ? -plain : plain;
  }
  // from_chars needs a digit before the point.
  std::string with_zero;
  std::string_view text = s;
  if (!s.empty() && s.front() == '.') {
    with_zero = "0" + std::string(s);
    text = with_zero;
  }
  double value = 0;
  auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Underflow reads as zero; overflow is no price anyone can mean.
    std::size_t e = text.find_first_of("eE");
    bool tiny =
        e != std::string::npos && e + 1 < text.size() && text[e + 1] == '-';
    if (!tiny) {
      throw Error("the number " + std::string(s) + " is too large");
    }
    value = 0;
  } else if (ec != std::errc() || end != text.data() + text.size()) {
    throw Error("the text " + std::string(s) + " is no number");
  }
  return negative ? -value : value;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The 15 significant digits of a positive finite number as %.15g rounds
// them, and the decimal exponent of the first. The shortest form that reads
// back as the same double is quick to get; when it has at most 15 digits it
// is exactly what rounding to 15 digits gives (a double tells apart every
// decimal of 15 digits), and only longer ones need the slow exact rounding.
struct Decimal15 {
  char digits[15];
  int exponent = 0;
};

// The digits (at most 17) and exponent of "d.ddde+XX".
struct Scientific {
  char digits[20];
  int count = 0;
  int exponent = 0;
};

Scientific ReadScientific(const char* begin, const char* end) {
  Scientific s;
  const char* p = begin;
  for (; p < end && *p != 'e'; ++p) {
    if (*p != '.' && s.count < 20) s.digits[s.count++] = *p;
  }
  ++p;  // the 'e'
  if (p < end && *p == '+') ++p;
  std::from_chars(p, end, s.exponent);
  return s;
}

Decimal15 FirstFifteen(const Scientific& s) {
  Decimal15 d;
  for (int i = 0; i < 15; ++i) d.digits[i] = i < s.count ? s.digits[i] : '0';
  d.exponent = s.exponent;
  return d;
}

// The shortest form has 16 or 17 digits: its first 15, or one unit more,
// as `positive` lies below or above the midpoint between them. The
// midpoint is a decimal of 16 digits; read as a double, it tells which side
// `positive` is on unless it reads as `positive` itself, when only the
// exact rounding can tell.
bool RoundLong(double positive, const Scientific& s, Decimal15& d) {
  char midpoint[40];
  std::copy(s.digits, s.digits + 15, midpoint);
  midpoint[15] = '5';
  midpoint[16] = 'e';
  auto end =
      std::to_chars(midpoint + 17, midpoint + sizeof midpoint, s.exponent - 15)
          .ptr;
  double middle = 0;
  std::from_chars(midpoint, end, middle);
  if (middle == positive) return false;
  d = FirstFifteen(s);
  if (positive < middle) return true;
  int i = 14;
  while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
  if (i >= 0) {
    ++d.digits[i];
  } else {
    d.digits[0] = '1';  // 999... went up to 1000...
    ++d.exponent;
  }
  return true;
}

// `positive` as `whole` units of 10^-k for some small k, found with a
// multiplication and a division: n / 10^k is the double nearest to that
// decimal, so when it gives the number back the decimal has at most 15
// digits and reads back as the number, which makes it the one %.15g shows.
// Prices and factors are such numbers.
bool SmallScaled(double positive, double* whole, int* k) {
  static constexpr double kPowers[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
  for (int i = 0; i < 7; ++i) {
    double scaled = positive * kPowers[i];
    if (scaled >= 1e15) return false;
    double n = std::nearbyint(scaled);
    if (n == 0 || n / kPowers[i] != positive) continue;
    *whole = n;
    *k = i;
    return true;
  }
  return false;
}

// The digits of such a number.
bool SmallDecimal(double positive, Decimal15& d) {
  double whole = 0;
  int k = 0;
  if (!SmallScaled(positive, &whole, &k)) return false;
  char buf[24];
  char* end =
      std::to_chars(buf, buf + sizeof buf, static_cast<std::uint64_t>(whole))
          .ptr;
  int length = static_cast<int>(end - buf);
  std::copy(buf, end, d.digits);
  std::fill(d.digits + length, d.digits + 15, '0');
  d.exponent = length - 1 - k;
  return true;
}

// The text of a number that is a short decimal (see SmallScaled) shown
// without an exponent, as prices are, written to `out`; 0 for any other
// number. The same text as the way through Significant15, in one step.
// A number of hundredths, as rounded prices are, found in one step; the
// zeros it may end with are dropped below.
bool Hundredths(double positive, double* whole) {
  double scaled = positive * 100;
  if (!(scaled < 1e15)) return false;
  double n = std::nearbyint(scaled);
  if (n == 0 || n / 100 != positive) return false;
  *whole = n;
  return true;
}

// The text of `whole` units of 10^-k with the zeros the decimals end with
// dropped, written to `out`; 0 when it is shown with an exponent.
std::size_t DecimalText(std::uint64_t whole, int k, bool negative, char* out) {
  char digits[24];
  auto length = static_cast<int>(
      std::to_chars(digits, digits + sizeof digits, whole).ptr - digits);
  while (k > 0 && digits[length - 1] == '0') --k, --length;
  if (length - 1 - k < -4) return 0;  // shown with an exponent
  char* p = out;
  if (negative) *p++ = '-';
  int whole_digits = length - k;
  if (whole_digits <= 0) {
    *p++ = '0';
    *p++ = '.';
    p = std::fill_n(p, -whole_digits, '0');
    p = std::copy(digits, digits + length, p);
  } else {
    p = std::copy(digits, digits + whole_digits, p);
    if (k > 0) {
      *p++ = '.';
      p = std::copy(digits + whole_digits, digits + length, p);
    }
  }
  return static_cast<std::size_t>(p - out);
}

std::size_t ShortDecimalText(double x, char* out) {
  double whole = 0;
  int k = 2;
  if (!Hundredths(std::fabs(x), &whole) &&
      !SmallScaled(std::fabs(x), &whole, &k)) {
    return 0;
  }
  return DecimalText(static_cast<std::uint64_t>(whole), k, x < 0, out);
}

Decimal15 Significant15(double positive) {
  if (Decimal15 d; SmallDecimal(positive, d)) return d;
  char buf[64];
  // Subnormal numbers carry fewer digits than that, and take the slow way.
  if (positive >= std::numeric_limits<double>::min()) {
    auto shortest = std::to_chars(buf, buf + sizeof buf, positive,
                                  std::chars_format::scientific);
    Scientific s = ReadScientific(buf, shortest.ptr);
    if (s.count <= 15) return FirstFifteen(s);
    Decimal15 d;
    if (RoundLong(positive, s, d)) return d;
  }
  auto rounded = std::to_chars(buf, buf + sizeof buf, positive,
                               std::chars_format::scientific, 14);
  return FirstFifteen(ReadScientific(buf, rounded.ptr));
}

}  // namespace

double LeadingNumber(std::string_view text) {
  std::string squeezed;
  squeezed.reserve(text.size());
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') squeezed.push_back(c);
  }
  std::size_t n = NumberPrefixLength(squeezed);
  if (n == 0) return 0;
  return ConvertNumber(std::string_view(squeezed).substr(0, n));
}

std::optional<double> ParseWholeNumber(std::string_view text) {
  // Prices and masses, the texts typed most, are bare digits with a point.
  if (double plain = 0; ConvertPlainDecimal(text, &plain)) return plain;
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  std::size_t n = NumberPrefixLength(text);
  if (n == 0 || n != text.size()) return std::nullopt;
  try {
    return ConvertNumber(text);
  } catch (const Error&) {
    return std::nullopt;
  }
}

bool NumberTextReadsBack(double x) {
  // Numbers near the bottom of the double range, no price or factor anyone
  // writes, keep the long way whatever the text reader does there.
  if (!std::isfinite(x) || std::fabs(x) < 1e-290) return false;
  double whole = 0;
  int k = 0;
  if (SmallScaled(std::fabs(x), &whole, &k)) return true;
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x);
  if (ec != std::errc()) return false;
  int digits = 0;
  bool leading = true;
  for (const char* p = buf; p != end && *p != 'e'; ++p) {
    if (*p < '0' || *p > '9') continue;
    if (leading && *p == '0') continue;
    leading = false;
    ++digits;
  }
  return digits <= 15;
}

// Its digits make an integer that a double holds exactly, and one division
// by an exact power of ten rounds it as from_chars would.
bool ParseShortDecimal(std::string_view text, double* number) {
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3, 1e4,  1e5,
                                            1e6,  1e7,  1e8,  1e9, 1e10, 1e11,
                                            1e12, 1e13, 1e14, 1e15};
  bool negative = !text.empty() && text[0] == '-';
  std::size_t first = negative ? 1 : 0;
  std::size_t point = std::string_view::npos;
  std::uint64_t digits = 0;
  int count = 0;
  for (std::size_t i = first; i < text.size(); ++i) {
    char c = text[i];
    if (c == '.' && point == std::string_view::npos) {
      point = i;
      continue;
    }
    if (c < '0' || c > '9' || ++count > 15) return false;
    digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (count == 0 || point == first || point + 1 == text.size()) {
    return false;  // "5." and ".5" are left to from_chars
  }
  std::size_t places =
      point == std::string_view::npos ? 0 : text.size() - point - 1;
  double value = static_cast<double>(digits) / kPowersOfTen[places];
  *number = negative ? -value : value;
  return true;
}

std::string NumberText(double x) {
  if (x == 0) return "0";  // also a negative zero
  if (std::isnan(x)) return "#NUM!";
  if (std::isinf(x)) return x > 0 ? "#NUM!" : "-#NUM!";
  char text[32];
  if (std::size_t n = ShortDecimalText(x, text)) return std::string(text, n);
  Decimal15 d = Significant15(std::fabs(x));
  int count = 15;
  while (count > 1 && d.digits[count - 1] == '0') --count;
  std::string out;
  if (x < 0) out.push_back('-');
  const int e = d.exponent;
  if (e < -4 || e >= 15) {
    // %g keeps at least two exponent digits, as spreadsheets do ("1E-05").
    out.push_back(d.digits[0]);
    if (count > 1) {
      out.push_back('.');
      out.append(d.digits + 1, count - 1);
    }
    out.push_back('E');
    out.push_back(e < 0 ? '-' : '+');
    if (std::abs(e) < 10) out.push_back('0');
    out.append(std::to_string(std::abs(e)));
  } else if (e < 0) {
    out.append("0.");
    out.append(static_cast<std::size_t>(-e - 1), '0');
    out.append(d.digits, count);
  } else {
    int whole = e + 1;
    out.append(d.digits, std::min(count, whole));
    if (count < whole) out.append(static_cast<std::size_t>(whole - count), '0');
    if (count > whole) {
      out.push_back('.');
      out.append(d.digits + whole, count - whole);
    }
  }
  return out;
}

namespace {

constexpr double kSmallPowers[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};

// Rounding by arithmetic alone, when the scaled number is far enough from a
// half for the 15-digit decimal to round the same way: |x| rounded, in units
// of 10^-digits, else false.
bool RoundFarFromHalf(double x, int digits, double* units) {
  if (digits < 0 || digits > 6) return false;
  double scaled = std::fabs(x) * kSmallPowers[digits];
  // Below 1E14 there are fewer than 15 digits to keep, so some are dropped.
  if (!(scaled < 1e14)) return false;
  double floor = std::floor(scaled);
  double fraction = scaled - floor;
  // The 15-digit decimal lies within 5E-15 of the number, relatively.
  if (std::fabs(fraction - 0.5) <= 1e-14 * (scaled + 1)) return false;
  *units = fraction > 0.5 ? floor + 1 : floor;
  return true;
}

}  // namespace

double RoundHalfEven(double x, int digits) {
  if (x == 0 || !std::isfinite(x)) return x;
  if (double units; RoundFarFromHalf(x, digits, &units)) {
    double rounded = units / kSmallPowers[digits];
    return x < 0 ? -rounded : rounded;
  }
  // The 15 significant digits NumberText would show.
  Decimal15 d = Significant15(std::fabs(x));
  std::string mantissa(d.digits, 15);  // the point implied after the first
  int exponent = d.exponent;

  // Digits kept: those before the point (exponent + 1) plus `digits`.
  int keep = exponent + 1 + digits;
  if (keep >= static_cast<int>(mantissa.size())) return x;
  bool round_up = false;
  if (keep >= 0) {
    char first_dropped = mantissa[keep];
    bool rest_zero =
        mantissa.find_first_not_of('0', keep + 1) == std::string::npos;
    if (first_dropped > '5' || (first_dropped == '5' && !rest_zero)) {
      round_up = true;
    } else if (first_dropped == '5') {
      int last_kept = keep > 0 ? mantissa[keep - 1] - '0' : 0;
      round_up = last_kept % 2 == 1;
    }
  }
  // Value of the kept digits as an integer count of 10^-digits units.
  std::string kept = keep > 0 ? mantissa.substr(0, keep) : "0";
  std::string rounded_text = kept;
  if (round_up) {
    int i = static_cast<int>(rounded_text.size()) - 1;
    while (i >= 0 && rounded_text[i] == '9') rounded_text[i--] = '0';
    if (i < 0) {
      rounded_text.insert(rounded_text.begin(), '1');
    } else {
      ++rounded_text[i];
    }
  }
  std::string decimal = rounded_text + "E" + std::to_string(-digits);
  double result = 0;
  std::from_chars(decimal.data(), decimal.data() + decimal.size(), result);
  return x < 0 ? -result : result;
}

std::size_t RoundedNumberText(double x, int digits, char* out) {
  // Once rounded, the number is a whole count of units: its digits are the
  // text, with no way through the double it makes.
  double units = 0;
  if (!RoundFarFromHalf(x, digits, &units) || units == 0) return 0;
  return DecimalText(static_cast<std::uint64_t>(units), digits, x < 0, out);
}

std::int16_t ToInt16(double x, std::string_view what) {
  double r = RoundHalfEven(x, 0);
  if (!(r >= -32768 && r <= 32767)) {
    throw Error(std::string(what) + " " + NumberText(x) +
                " is outside the range -32768 to 32767");
  }
  return static_cast<std::int16_t>(r);
}

}  // namespace tarnwick
