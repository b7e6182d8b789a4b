#ifndef TARNWICK_SPREADSHEET_XLS_COMPOUND_FILE_H_
#define TARNWICK_SPREADSHEET_XLS_COMPOUND_FILE_H_

// The OLE2 compound file around a workbook: its Workbook stream, and every
// other stream and storage (document properties, macros), kept whole so a
// saved workbook carries them on.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::spreadsheet::xls {

struct CompoundEntry {
  std::string name;
  bool is_storage = false;
  std::string data;                     // streams only
  std::vector<CompoundEntry> children;  // storages only
};

// Takes the Workbook stream in pieces, so that a big workbook is never held
// whole in memory while it is saved.
class StreamSink {
 public:
  virtual ~StreamSink() = default;
  virtual void Write(std::string_view bytes) = 0;
  // Writes over bytes already written, from offset `at`.
  virtual void Overwrite(std::size_t at, std::string_view bytes) = 0;
};

struct CompoundContents {
  std::string workbook;  // the BIFF8 (or BIFF5) record stream
  // On reading, the stream where it lies whole in the file's own bytes, which
  // then need no copy; `workbook` is left empty.
  std::string_view workbook_in_file;
  std::vector<CompoundEntry> others;  // every other entry of the root
  std::string root_class_id;          // 16 bytes, or empty
  // On writing, when set, writes the Workbook stream in place of `workbook`.
  std::function<void(StreamSink&)> write_workbook;

  std::string_view WorkbookBytes() const {
    return workbook_in_file.empty() ? std::string_view(workbook)
                                    : workbook_in_file;
  }
};

// Reads a compound file held in memory; the result may point into `bytes`.
// `what` names the file in errors,
// which also say what the bytes are when they are no Excel workbook (an
// Excel 2007+ workbook, a text file). The workbook is the "Workbook" stream,
// else the "Book" stream (Excel 5.0/95's name, which some programs also give
// an Excel 97 workbook).
CompoundContents ReadCompoundFile(std::string_view bytes,
                                  std::string_view what);

// Writes a compound file holding `contents` to `path`; throws Error with
// the reason alone (the caller names the file it meant).
void WriteCompoundFile(const CompoundContents& contents,
                       const std::string& path);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_COMPOUND_FILE_H_
