#ifndef TARNWICK_IMPORT_CSV_LOAD_DICTIONARIES_H_
#define TARNWICK_IMPORT_CSV_LOAD_DICTIONARIES_H_

#include <cstdint>
#include <filesystem>

#include "core/host.h"
#include "import/price_module.h"

namespace tarnwick::import {

// System/Clarity.txt for kind 0, System/Color.txt for any other kind: the
// file a dictionary is loaded from and the one its new grades are added to.
std::filesystem::path DictionaryPath(const std::filesystem::path& app_folder,
                                     std::int16_t kind);

// Fills `state.color_list` and `state.clarity_list` from their files, one
// entry per item; a list whose file is as it was when last read stays. A
// missing file is told to the user ("Standard Color file not exist", then the
// clarity one) and gives false; the colour file is tested first, and the
// clarity file only when the colour file is there. Throws Error naming the file
// when it cannot be read or holds no grade.
bool LoadDictionaries(const std::filesystem::path& app_folder,
                      CsvImportState& state, Host& host);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_CSV_LOAD_DICTIONARIES_H_
