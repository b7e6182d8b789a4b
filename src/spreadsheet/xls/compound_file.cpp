#include "spreadsheet/xls/compound_file.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output-stdio.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "core/error.h"
#include "core/letter_case.h"
#include "spreadsheet/xls/lenient_compound_file.h"

namespace tarnwick::spreadsheet::xls {
namespace {

constexpr char kOleSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
// Storages nest rarely more than two deep; a deeper tree is a damaged file.
constexpr int kMaxDepth = 16;

struct GObjectUnref {
  void operator()(void* object) const {
    if (object) g_object_unref(object);
  }
};
template <typename T>
using GPtr = std::unique_ptr<T, GObjectUnref>;

struct GErrorHolder {
  GError* error = nullptr;
  ~GErrorHolder() {
    if (error) g_error_free(error);
  }
  std::string Message() const {
    return error && error->message ? error->message : "unknown reason";
  }
};

[[noreturn]] void Fail(std::string_view what, std::string_view reason) {
  throw Error(std::string(what) + ": " + std::string(reason));
}

bool LooksLikeText(std::string_view bytes) {
  std::size_t n = std::min<std::size_t>(bytes.size(), 4096);
  for (std::size_t i = 0; i < n; ++i) {
    auto c = static_cast<unsigned char>(bytes[i]);
    if (c == 0 || (c < 0x20 && c != '\t' && c != '\n' && c != '\r' &&
                   c != 0x1A && c != '\f')) {
      return false;
    }
  }
  return true;
}

// Says what a file that is no compound file is, as far as one can tell.
[[noreturn]] void NotCompoundFile(std::string_view bytes,
                                  std::string_view what) {
  if (bytes.empty()) Fail(what, "the file is empty");
  if (bytes.substr(0, 4) == std::string_view("PK\x03\x04", 4)) {
    Fail(what,
         "this is an Excel 2007 or later workbook (.xlsx); save it as an "
         "Excel 97-2003 workbook (.xls)");
  }
  if (LooksLikeText(bytes)) {
    Fail(what,
         "this is a text file (perhaps CSV), not an Excel 97-2003 workbook");
  }
  Fail(what, "not an Excel 97-2003 workbook (no compound file)");
}

// The whole of a stream, as libgsf lends it: a view into the file's bytes
// when the stream's sectors follow one another there, else libgsf's own
// buffer, which lasts only as long as `input`.
std::string_view LentStream(GsfInput* input, std::string_view what) {
  gsf_off_t size = gsf_input_size(input);
  if (size < 0) Fail(what, "the workbook is damaged (a stream has no size)");
  if (size == 0) return {};
  const guint8* bytes =
      gsf_input_read(input, static_cast<std::size_t>(size), nullptr);
  if (bytes == nullptr) {
    Fail(what, "the workbook is damaged (a stream cannot be read whole)");
  }
  return {reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size)};
}

std::string ReadStream(GsfInput* input, std::string_view what) {
  return std::string(LentStream(input, what));
}

bool LiesWithin(std::string_view part, std::string_view whole) {
  auto begin = reinterpret_cast<std::uintptr_t>(whole.data());
  auto at = reinterpret_cast<std::uintptr_t>(part.data());
  return at >= begin && at - begin <= whole.size() &&
         part.size() <= whole.size() - (at - begin);
}

CompoundEntry ReadEntry(GsfInput* input, std::string_view what, int depth) {
  CompoundEntry entry;
  const char* name = gsf_input_name(input);
  entry.name = name ? name : "";
  int children =
      GSF_IS_INFILE(input) ? gsf_infile_num_children(GSF_INFILE(input)) : -1;
  if (children < 0) {
    entry.data = ReadStream(input, what);
    return entry;
  }
  entry.is_storage = true;
  if (depth > kMaxDepth) {
    Fail(what, "the workbook is damaged (its storages nest too deep)");
  }
  for (int i = 0; i < children; ++i) {
    GPtr<GsfInput> child(gsf_infile_child_by_index(GSF_INFILE(input), i));
    if (!child)
      Fail(what, "the workbook is damaged (a storage entry is unreadable)");
    entry.children.push_back(ReadEntry(child.get(), what, depth + 1));
  }
  return entry;
}

void WriteEntry(GsfOutfile* parent, const CompoundEntry& entry) {
  GPtr<GsfOutput> child(
      gsf_outfile_new_child(parent, entry.name.c_str(), entry.is_storage));
  if (!child)
    throw Error("cannot add \"" + entry.name + "\" to the workbook file");
  if (entry.is_storage) {
    for (const CompoundEntry& c : entry.children) {
      WriteEntry(GSF_OUTFILE(child.get()), c);
    }
  } else if (!entry.data.empty() &&
             !gsf_output_write(
                 child.get(), entry.data.size(),
                 reinterpret_cast<const guint8*>(entry.data.data()))) {
    throw Error("cannot write \"" + entry.name + "\" into the workbook file");
  }
  gsf_output_close(child.get());
}

void IgnoreMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

// libgsf reports a damaged file on standard error as well as by its result;
// Tarnwick says what is wrong in its own error, and the core never prints.
void QuietenCompoundFileWarnings() {
  static std::once_flag once;
  std::call_once(once, [] {
    g_log_set_handler(
        "libgsf:msole",
        static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL |
                                    G_LOG_LEVEL_MESSAGE),
        IgnoreMessage, nullptr);
    // Some of libgsf's files log without a domain of their own.
    g_log_set_handler(
        nullptr,
        static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
        IgnoreMessage, nullptr);
  });
}

// What the file is, which no other way of reading it changes.
class PasswordProtected : public Error {
 public:
  using Error::Error;
};

CompoundContents ReadWithGsf(std::string_view bytes, std::string_view what) {
  GPtr<GsfInput> input(
      gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()),
                           static_cast<gsf_off_t>(bytes.size()), FALSE));
  GErrorHolder error;
  GPtr<GsfInfile> ole(gsf_infile_msole_new(input.get(), &error.error));
  if (!ole) {
    Fail(what,
         "the workbook's compound file is damaged (" + error.Message() + ")");
  }
  CompoundContents contents;
  char class_id[16];
  if (gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(ole.get()),
                                    reinterpret_cast<guint8*>(class_id))) {
    contents.root_class_id.assign(class_id, 16);
  }
  // The workbook lies in "Workbook" (Excel 97 on) or "Book" (Excel 5.0/95,
  // and some other programs' Excel 97 files); its BOF tells which it is.
  int children = gsf_infile_num_children(ole.get());
  int chosen = -1;
  bool chosen_is_book = false;
  std::vector<GPtr<GsfInput>> entries;
  for (int i = 0; i < children; ++i) {
    GPtr<GsfInput> child(gsf_infile_child_by_index(ole.get(), i));
    if (!child) Fail(what, "the workbook's compound file is damaged");
    const char* name = gsf_input_name(child.get());
    std::string_view n = name ? name : "";
    bool is_stream = !(GSF_IS_INFILE(child.get()) &&
                       gsf_infile_num_children(GSF_INFILE(child.get())) >= 0);
    if (is_stream && (chosen < 0 || chosen_is_book) &&
        SameIgnoringCase(n, "Workbook")) {
      chosen = i;
      chosen_is_book = false;
    } else if (is_stream && chosen < 0 && SameIgnoringCase(n, "Book")) {
      chosen = i;
      chosen_is_book = true;
    }
    entries.push_back(std::move(child));
    // An .xlsx encrypted with a password is a compound file around it.
    if (SameIgnoringCase(n, "EncryptedPackage")) {
      throw PasswordProtected(
          std::string(what) +
          ": the workbook is protected by a password; save it without one");
    }
  }
  if (chosen < 0) {
    Fail(what,
         "not an Excel workbook (the compound file has no Workbook stream)");
  }
  for (int i = 0; i < children; ++i) {
    if (i != chosen) {
      contents.others.push_back(ReadEntry(entries[i].get(), what, 1));
      continue;
    }
    std::string_view stream = LentStream(entries[i].get(), what);
    if (!stream.empty() && LiesWithin(stream, bytes)) {
      contents.workbook_in_file = stream;
    } else {
      contents.workbook.assign(stream);
    }
  }
  return contents;
}

}  // namespace

CompoundContents ReadCompoundFile(std::string_view bytes,
                                  std::string_view what) {
  QuietenCompoundFileWarnings();
  if (bytes.substr(0, 8) != std::string_view(kOleSignature, 8)) {
    NotCompoundFile(bytes, what);
  }
  if (bytes.size() < 512) Fail(what, "the workbook is truncated");
  try {
    return ReadWithGsf(bytes, what);
  } catch (const PasswordProtected&) {
    throw;
  } catch (const Error&) {
    // libgsf refuses files that other programs write with a header's count
    // off, a last sector cut short or a stream's size beyond its sectors,
    // which other readers open. The workbook alone is read from them then;
    // their other streams are not carried on.
    std::optional<std::string> workbook =
        ReadRootStreamLeniently(bytes, {"Workbook", "Book"});
    if (!workbook) throw;
    CompoundContents contents;
    contents.workbook = std::move(*workbook);
    return contents;
  }
}

namespace {

void WriteStream(GsfOutfile* parent, const char* name, std::string_view data) {
  GPtr<GsfOutput> child(gsf_outfile_new_child(parent, name, FALSE));
  if (!child)
    throw Error(std::string("cannot add \"") + name +
                "\" to the workbook file");
  if (!data.empty() &&
      !gsf_output_write(child.get(), data.size(),
                        reinterpret_cast<const guint8*>(data.data()))) {
    throw Error(std::string("cannot write \"") + name +
                "\" into the workbook file");
  }
  gsf_output_close(child.get());
}

// Writes into one stream of a compound file; going back to finish an
// earlier part is done by seeking, which libgsf allows within the stream
// being written.
class GsfStreamSink : public StreamSink {
 public:
  explicit GsfStreamSink(GsfOutput* output) : output_(output) {}

  void Write(std::string_view bytes) override {
    if (!bytes.empty() &&
        !gsf_output_write(output_, bytes.size(),
                          reinterpret_cast<const guint8*>(bytes.data()))) {
      throw Error("cannot write \"Workbook\" into the workbook file");
    }
  }
  void Overwrite(std::size_t at, std::string_view bytes) override {
    if (!gsf_output_seek(output_, static_cast<gsf_off_t>(at), G_SEEK_SET)) {
      throw Error("cannot write \"Workbook\" into the workbook file");
    }
    Write(bytes);
    if (!gsf_output_seek(output_, 0, G_SEEK_END)) {
      throw Error("cannot write \"Workbook\" into the workbook file");
    }
  }

 private:
  GsfOutput* output_;
};

void WriteWorkbookEntry(GsfOutfile* parent, const CompoundContents& contents) {
  if (!contents.write_workbook) {
    WriteStream(parent, "Workbook", contents.workbook);
    return;
  }
  GPtr<GsfOutput> child(gsf_outfile_new_child(parent, "Workbook", FALSE));
  if (!child) throw Error("cannot add \"Workbook\" to the workbook file");
  GsfStreamSink sink(child.get());
  contents.write_workbook(sink);
  gsf_output_close(child.get());
}

// Writes the entries into a compound file over `sink` and closes it.
void WriteEntries(const CompoundContents& contents, GsfOutput* sink) {
  GPtr<GsfOutfile> ole(gsf_outfile_msole_new(sink));
  if (!ole) throw Error("cannot make a compound file");
  if (contents.root_class_id.size() == 16) {
    gsf_outfile_msole_set_class_id(
        GSF_OUTFILE_MSOLE(ole.get()),
        reinterpret_cast<const guint8*>(contents.root_class_id.data()));
  }
  WriteWorkbookEntry(ole.get(), contents);
  for (const CompoundEntry& entry : contents.others) {
    WriteEntry(ole.get(), entry);
  }
  if (!gsf_output_close(GSF_OUTPUT(ole.get()))) {
    throw Error("cannot finish the compound file");
  }
  // Closing the compound file closes the sink under it as well.
  if (!gsf_output_is_closed(sink) && !gsf_output_close(sink)) {
    throw Error("cannot finish the compound file");
  }
}

}  // namespace

void WriteCompoundFile(const CompoundContents& contents,
                       const std::string& path) {
  GErrorHolder error;
  GPtr<GsfOutput> sink(gsf_output_stdio_new(path.c_str(), &error.error));
  if (!sink) throw Error(error.Message());
  // Laid out in memory and written in one piece: the compound writer goes
  // back and forth in small steps, each a call to the system on a file.
  GPtr<GsfOutput> memory(gsf_output_memory_new());
  WriteEntries(contents, memory.get());
  gsf_off_t size = gsf_output_size(memory.get());
  const guint8* bytes =
      gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
  if (size > 0 &&
      !gsf_output_write(sink.get(), static_cast<gsize>(size), bytes)) {
    throw Error("cannot write \"Workbook\" into the workbook file");
  }
  if (!gsf_output_close(sink.get())) {
    throw Error("cannot finish the compound file");
  }
  if (const GError* e = gsf_output_error(sink.get())) {
    throw Error(e->message ? e->message : "writing failed");
  }
}

}  // namespace tarnwick::spreadsheet::xls
