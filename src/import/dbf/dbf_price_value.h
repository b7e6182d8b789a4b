#ifndef TARNWICK_IMPORT_DBF_DBF_PRICE_VALUE_H_
#define TARNWICK_IMPORT_DBF_DBF_PRICE_VALUE_H_

#include <optional>
#include <string_view>

namespace tarnwick::import {

// The price a field of a DBF record holds, from the field's text without its
// blanks: none for a null field (blank, or the null marks of its type:
// asterisks in a number, "00000000" as a date, "?" as a logical), else the
// number the text stands for, read by the project's own rules so
// that no process locale can turn "12.5" into 12. A character field that
// holds a number as a whole counts as that number. Throws Error with the
// reason (without the table, record or field, which the caller adds) when
// the field holds text that is no number, a date or a logical value.
std::optional<double> DbfPriceValue(char field_type, std::string_view text);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_DBF_DBF_PRICE_VALUE_H_
