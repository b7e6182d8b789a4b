#ifndef TARNWICK_CORE_NUMBER_RULES_H_
#define TARNWICK_CORE_NUMBER_RULES_H_

// How texts become numbers and numbers become texts, everywhere in Tarnwick.
// None of these depend on the process locale: the decimal point is always a
// full stop and a comma never is one.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// The number at the start of a text. Blanks, tabs and line feeds are ignored
// wherever they stand ("1 250" is 1250); then an optional sign, digits, an
// optional point and digits, an optional exponent. A text with no such start
// gives 0. Throws Error when the number is too large for a double.
double LeadingNumber(std::string_view text);

// The number a text stands for when the whole text is one: optional blanks,
// optional sign, digits with an optional point (".5" and "5." count), an
// optional exponent (E or e, optional sign, digits), optional blanks.
// Thousands separators, currency and percent signs make it no number.
std::optional<double> ParseWholeNumber(std::string_view text);
inline bool IsWholeNumber(std::string_view text) {
  return ParseWholeNumber(text).has_value();
}
// A plain decimal of at most 15 digits, as most prices are ("3171.3", "-7",
// "007"), read the quick way; false for any other text ("5.", ".5", "1E3",
// blanks), which is left to the general conversions.
bool ParseShortDecimal(std::string_view text, double* number);

// The shortest plain decimal text with at most 15 significant digits
// (0.30000000000000004 gives "0.3"); a negative zero gives "0". From 1E15
// and below 1E-4 in magnitude the scientific form takes over: "1E+15",
// "1.5E-05".
std::string NumberText(double x);
// True when the text NumberText gives for `x` reads back as `x` itself (its
// shortest exact decimal has at most 15 digits). Trailing zeros of a whole
// number are counted too, which only ever sends a number the long way.
bool NumberTextReadsBack(double x);

// x rounded to `digits` places after the point, an exact half going to the
// even digit. The decimal that NumberText shows is what gets rounded, so
// 1234.5 * 0.95 (shown 1172.775) gives 1172.78 with two digits.
double RoundHalfEven(double x, int digits);

// The text NumberText gives for RoundHalfEven(x, digits), written to `out`
// (room for 32 characters) when the rounding takes arithmetic alone and the
// text is a plain decimal other than 0, as with rounded prices; its length,
// or 0 when both have to be made the long way.
std::size_t RoundedNumberText(double x, int digits, char* out);

// Rounds half to even to a signed 16-bit integer. Throws Error outside
// -32768..32767; `what` names the value in the reason.
std::int16_t ToInt16(double x, std::string_view what = "value");

}  // namespace tarnwick

#endif  // TARNWICK_CORE_NUMBER_RULES_H_
