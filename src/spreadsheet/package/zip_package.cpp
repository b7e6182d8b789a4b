#include "spreadsheet/package/zip_package.h"

#include <gsf/gsf-infile-zip.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>

#include <mutex>
#include <vector>

#include "core/error.h"

namespace tarnwick::spreadsheet::package {
namespace {

struct GObjectUnref {
  void operator()(void* object) const {
    if (object) g_object_unref(object);
  }
};
template <typename T>
using GPtr = std::unique_ptr<T, GObjectUnref>;

void IgnoreMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

// libgsf reports a damaged archive on standard error as well as by its
// result; Tarnwick says what is wrong in its own error, and the core never
// prints.
void QuietenArchiveWarnings() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (const char* domain :
         {"libgsf:zip", static_cast<const char*>(nullptr)}) {
      g_log_set_handler(domain,
                        static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING |
                                                    G_LOG_LEVEL_CRITICAL |
                                                    G_LOG_LEVEL_MESSAGE),
                        IgnoreMessage, nullptr);
    }
  });
}

[[noreturn]] void Fail(const std::string& what, std::string_view reason) {
  throw Error(what + ": " + std::string(reason));
}

// The path's folders and its name, as libgsf looks them up.
std::vector<std::string> PathParts(std::string_view name) {
  std::vector<std::string> parts;
  while (!name.empty()) {
    std::size_t slash = name.find('/');
    std::string_view part = name.substr(0, slash);
    if (!part.empty()) parts.emplace_back(part);
    if (slash == std::string_view::npos) break;
    name.remove_prefix(slash + 1);
  }
  return parts;
}

class GsfPart : public ZipPart {
 public:
  GsfPart(GPtr<GsfInput> input, std::string name, const std::string& what)
      : input_(std::move(input)), name_(std::move(name)), what_(what) {}

  std::size_t Read(char* buffer, std::size_t size) override {
    gsf_off_t left = gsf_input_remaining(input_.get());
    if (left <= 0) return 0;
    std::size_t n = std::min<std::size_t>(size, static_cast<std::size_t>(left));
    if (!gsf_input_read(input_.get(), n, reinterpret_cast<guint8*>(buffer))) {
      Fail(what_, "the workbook is damaged (its part " + name_ +
                      " cannot be unpacked)");
    }
    return n;
  }
  const std::string& name() const override { return name_; }
  std::uint64_t size() const override {
    return static_cast<std::uint64_t>(
        std::max<gsf_off_t>(gsf_input_size(input_.get()), 0));
  }

 private:
  GPtr<GsfInput> input_;
  std::string name_;
  const std::string& what_;
};

}  // namespace

struct ZipPackage::Archive {
  GPtr<GsfInput> input;
  GPtr<GsfInfile> zip;
};

ZipPackage::ZipPackage(std::string_view bytes, std::string what,
                       std::shared_ptr<const void> owner)
    : owner_(std::move(owner)),
      archive_(std::make_unique<Archive>()),
      what_(std::move(what)),
      file_size_(bytes.size()) {
  QuietenArchiveWarnings();
  archive_->input.reset(
      gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()),
                           static_cast<gsf_off_t>(bytes.size()), FALSE));
  GError* error = nullptr;
  archive_->zip.reset(gsf_infile_zip_new(archive_->input.get(), &error));
  if (!archive_->zip) {
    std::string reason = error && error->message ? error->message : "unknown";
    if (error) g_error_free(error);
    Fail(what_, "the workbook is damaged (its ZIP archive cannot be read: " +
                    reason + ")");
  }
}

ZipPackage::~ZipPackage() = default;

bool ZipPackage::Has(std::string_view name) const {
  std::vector<std::string> parts = PathParts(name);
  if (parts.empty()) return false;
  std::vector<const char*> names;
  for (const std::string& part : parts) names.push_back(part.c_str());
  names.push_back(nullptr);
  GPtr<GsfInput> child(
      gsf_infile_child_by_aname(archive_->zip.get(), names.data()));
  // Every member is a GsfInfile; a folder is one with children.
  return child != nullptr &&
         !(GSF_IS_INFILE(child.get()) &&
           gsf_infile_num_children(GSF_INFILE(child.get())) >= 0);
}

struct ZipPackage::Found {
  GPtr<GsfInput> part;
  std::uint64_t size = 0;
};

ZipPackage::Found ZipPackage::Find(std::string_view name) const {
  std::vector<std::string> parts = PathParts(name);
  std::vector<const char*> names;
  for (const std::string& part : parts) names.push_back(part.c_str());
  names.push_back(nullptr);
  GPtr<GsfInput> child(parts.empty() ? nullptr
                                     : gsf_infile_child_by_aname(
                                           archive_->zip.get(), names.data()));
  if (!child || (GSF_IS_INFILE(child.get()) &&
                 gsf_infile_num_children(GSF_INFILE(child.get())) >= 0)) {
    Fail(what_, "the workbook is damaged (its part " + std::string(name) +
                    " is missing)");
  }
  // The sizes the directory gives are those libgsf unpacks to at most, so
  // they are checked before anything is unpacked.
  gsf_off_t size = gsf_input_size(child.get());
  return {std::move(child),
          static_cast<std::uint64_t>(std::max<gsf_off_t>(size, 0))};
}

void ZipPackage::Count(std::string_view name, std::uint64_t size) {
  if (!counted_.emplace(name).second) return;
  unpacked_ += size;
  if (unpacked_ > kMaxUnpackedBytes) {
    Fail(what_, "the workbook would unpack to more than 512 MB");
  }
  if (unpacked_ > kMaxPackingRatio * std::max<std::uint64_t>(file_size_, 1)) {
    Fail(what_,
         "the workbook is packed more than 1000 to 1, as no real workbook "
         "is");
  }
}

void ZipPackage::Count(std::string_view name) { Count(name, Find(name).size); }

std::unique_ptr<ZipPart> ZipPackage::Open(std::string_view name) {
  Found found = Find(name);
  Count(name, found.size);
  return std::make_unique<GsfPart>(std::move(found.part), std::string(name),
                                   what_);
}

}  // namespace tarnwick::spreadsheet::package
