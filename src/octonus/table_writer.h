#ifndef TARNWICK_OCTONUS_TABLE_WRITER_H_
#define TARNWICK_OCTONUS_TABLE_WRITER_H_

#include "octonus/discounted_price.h"
#include "octonus/table_output.h"
#include "octonus/writer_settings.h"
#include "spreadsheet/cell_reader.h"

namespace tarnwick::octonus {

// Walks column A of one price sheet from row 1 to the end marker, Escape or
// a condition that ends the sheet early, writing the table's lines to `out`.
// `discounts` is null for no discount level. Throws Error for the failures
// the batch reports; reads nothing but the sheets and writes nothing but
// `out`.
SheetEnd WriteTable(const spreadsheet::CellReader& sheet,
                    const DiscountSheets* discounts,
                    const WriterSettings& settings, DiscountFormat format,
                    TableOutput& out);

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_TABLE_WRITER_H_
