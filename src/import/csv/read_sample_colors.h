#ifndef TARNWICK_IMPORT_CSV_READ_SAMPLE_COLORS_H_
#define TARNWICK_IMPORT_CSV_READ_SAMPLE_COLORS_H_

#include <array>
#include <filesystem>
#include <string>

namespace tarnwick::import {

// Reads the sample colour list (Sample/Sample.xls, a plain text file in
// spite of its name) into `colors`, one item per slot from slot 0; past the
// last slot it starts again at slot 0, so of a longer list the last 27
// items stay. Slots the file does not reach keep what they held. A missing
// file changes nothing; a file that cannot be read, or holds a colour too
// long for a cell, throws Error naming it.
void ReadSampleColors(const std::filesystem::path& path,
                      std::array<std::string, 27>& colors);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_CSV_READ_SAMPLE_COLORS_H_
