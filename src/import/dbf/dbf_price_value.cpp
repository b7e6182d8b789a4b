#include "import/dbf/dbf_price_value.h"

#include <string>

#include "core/error.h"
#include "core/number_rules.h"
#include "core/windows1252.h"

namespace tarnwick::import {
namespace {

std::string Quoted(std::string_view text) {
  return "\"" + DecodeWindows1252(text) + "\"";
}

bool IsNull(char field_type, std::string_view text) {
  switch (field_type) {
    case 'N':
    case 'F':
      return text.empty() || text.front() == '*';
    case 'D':
      return text.empty() || text == "00000000";
    case 'L':
      return text.empty() || text == "?";
    default:
      return text.empty();
  }
}

}  // namespace

std::optional<double> DbfPriceValue(char field_type, std::string_view text) {
  if (IsNull(field_type, text)) return std::nullopt;
  switch (field_type) {
    case 'N':
    case 'F':
    case 'C':
      if (std::optional<double> number = ParseWholeNumber(text)) {
        return number;
      }
      if (field_type == 'C') {
        throw Error("holds the text " + Quoted(text) + ", not a price");
      }
      throw Error(Quoted(text) + " is not a number");
    case 'D':
      throw Error("holds the date " + Quoted(text) + ", not a price");
    case 'L':
      throw Error("holds the logical value " + Quoted(text) + ", not a price");
    default:
      throw Error(std::string("is a field of type ") + field_type +
                  ", which holds no price");
  }
}

}  // namespace tarnwick::import
