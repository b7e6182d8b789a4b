#ifndef TARNWICK_CORE_PERCENT_TEXT_H_
#define TARNWICK_CORE_PERCENT_TEXT_H_

#include <string>

namespace tarnwick {

// The percentage beside the progress bar: `value` of `maximum` in whole
// percent, worked in single precision as the panel's figures are, an exact
// half going to the even neighbour (1 of 8 shows "12%", 3 of 8 "38%"). A
// value at or past the maximum, or a maximum of 0, shows "100%".
std::string PercentText(double value, double maximum);
// The whole percent that text shows.
long long PercentValue(double value, double maximum);

}  // namespace tarnwick

#endif  // TARNWICK_CORE_PERCENT_TEXT_H_
