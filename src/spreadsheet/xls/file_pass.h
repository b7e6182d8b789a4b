#ifndef TARNWICK_SPREADSHEET_XLS_FILE_PASS_H_
#define TARNWICK_SPREADSHEET_XLS_FILE_PASS_H_

// Excel encrypts a workbook whose structure is protected, or that is
// "read-only recommended", with a fixed default password; every reader
// opens such a workbook without asking. A FILEPASS record among the global
// records says how the stream is encrypted.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::spreadsheet::xls {

// The password Excel uses when the user gave none.
inline constexpr std::string_view kDefaultPassword = "VelvetSweatshop";

// The Workbook stream decrypted with the default password when its global
// records hold a FILEPASS record, else nothing. The FILEPASS record stays
// in the result (its data unchanged). Throws Error naming `what` when the
// workbook needs a password of its own or uses a scheme not read here.
std::optional<std::string> DecryptWorkbookStream(std::string_view stream,
                                                 std::string_view what);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_FILE_PASS_H_
