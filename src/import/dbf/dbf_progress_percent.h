#ifndef TARNWICK_IMPORT_DBF_DBF_PROGRESS_PERCENT_H_
#define TARNWICK_IMPORT_DBF_DBF_PROGRESS_PERCENT_H_

#include <string>

namespace tarnwick {

// The percentage text beside the progress bar during a DBF import: value
// times 100 divided by the maximum, in single precision as the bar holds
// them, rounded to a whole number with exact halves to the even neighbour
// (12.5 gives "12%", 37.5 gives "38%").
std::string DbfProgressPercent(double value, double max);

}  // namespace tarnwick

#endif  // TARNWICK_IMPORT_DBF_DBF_PROGRESS_PERCENT_H_
