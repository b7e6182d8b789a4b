// Packs parts into a ZIP archive in memory (stored, not deflated), for the
// fuzz targets of the .xlsx and .ods readers: the fuzzer then mutates the
// XML itself, which a deflated archive would hide from it.

#ifndef TARNWICK_FUZZ_PACKAGE_FUZZ_ZIP_H_
#define TARNWICK_FUZZ_PACKAGE_FUZZ_ZIP_H_

#include <gsf/gsf-outfile-zip.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline std::string PackParts(
    const std::vector<std::pair<std::string, std::string_view>>& parts) {
  GsfOutput* sink = gsf_output_memory_new();
  GsfOutfile* zip = gsf_outfile_zip_new(sink, nullptr);
  for (const auto& [name, bytes] : parts) {
    GsfOutput* part = gsf_outfile_new_child_full(
        zip, name.c_str(), FALSE, "compression-level", GSF_ZIP_STORED, nullptr);
    gsf_output_write(part, bytes.size(),
                     reinterpret_cast<const guint8*>(bytes.data()));
    gsf_output_close(part);
    g_object_unref(part);
  }
  gsf_output_close(GSF_OUTPUT(zip));
  g_object_unref(zip);
  std::string packed(reinterpret_cast<const char*>(
                         gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink))),
                     static_cast<std::size_t>(gsf_output_size(sink)));
  g_object_unref(sink);
  return packed;
}

#endif  // TARNWICK_FUZZ_PACKAGE_FUZZ_ZIP_H_
