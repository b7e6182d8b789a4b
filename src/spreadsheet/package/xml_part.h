#ifndef TARNWICK_SPREADSHEET_PACKAGE_XML_PART_H_
#define TARNWICK_SPREADSHEET_PACKAGE_XML_PART_H_

// One XML part of a workbook package, read node by node with libxml2's
// streaming reader: a sheet is never held as a tree. Nothing outside the
// part is ever loaded (no network, no external entity), a part with a
// document type declaration is refused, and so is one nested deeper than
// any workbook part is.

#include <memory>
#include <string>
#include <string_view>

#include "spreadsheet/package/zip_package.h"

namespace tarnwick::spreadsheet::package {

inline constexpr int kMaxXmlDepth = 64;

class XmlPart {
 public:
  enum class Node { kStart, kEnd, kText, kOther };

  explicit XmlPart(std::unique_ptr<ZipPart> part, std::string what);
  ~XmlPart();
  XmlPart(const XmlPart&) = delete;
  XmlPart& operator=(const XmlPart&) = delete;

  // Moves to the next node; false at the end of the part. An element
  // without content ("<c/>") gives kStart and then kEnd, as one with
  // content does. Throws Error for malformed XML.
  bool Next();
  // Moves past the current element's content, onto its kEnd.
  void SkipContent();

  Node node() const { return node_; }
  bool IsStart(std::string_view local) const {
    return node_ == Node::kStart && LocalName() == local;
  }
  bool IsEnd(std::string_view local) const {
    return node_ == Node::kEnd && LocalName() == local;
  }
  int Depth() const;
  std::string_view LocalName() const;
  std::string_view NamespaceUri() const;
  // Text, CDATA or white space.
  std::string_view Text() const;
  // The attribute of the current start element with this local name (and
  // namespace, when one is given); false when it has none.
  bool Attribute(std::string_view local, std::string* value,
                 std::string_view namespace_uri = {}) const;

  // "<file>: <part>" for errors.
  const std::string& what() const { return what_; }
  [[noreturn]] void Fail(std::string_view reason) const;

 private:
  struct Reader;
  std::unique_ptr<Reader> reader_;
  std::string what_;
  Node node_ = Node::kOther;
  bool pending_end_ = false;  // an empty element's kEnd comes next
};

}  // namespace tarnwick::spreadsheet::package

#endif  // TARNWICK_SPREADSHEET_PACKAGE_XML_PART_H_
