#ifndef TARNWICK_SPREADSHEET_PACKAGE_XML_PART_H_
#define TARNWICK_SPREADSHEET_PACKAGE_XML_PART_H_

// One XML part of a workbook package, walked node by node: what SaxPart
// finds in a piece of the part is queued, and the readers walk the queue,
// for the parts whose readers are easier written walking than handed
// nodes. The queue is reused, so no node is allocated on its own.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "spreadsheet/package/sax_part.h"
#include "spreadsheet/package/zip_package.h"

namespace tarnwick::spreadsheet::package {

class XmlPart {
 public:
  enum class Node { kStart, kEnd, kText, kOther };

  explicit XmlPart(std::unique_ptr<ZipPart> part, std::string what);
  ~XmlPart();
  XmlPart(const XmlPart&) = delete;
  XmlPart& operator=(const XmlPart&) = delete;

  // Moves to the next node; false at the end of the part. An element
  // without content ("<c/>") gives kStart and then kEnd, as one with
  // content does. Throws Error for malformed XML, once the nodes before the
  // fault have been read.
  bool Next();
  // Moves past the current element's content, onto its kEnd.
  void SkipContent();

  Node node() const { return event_->node; }
  bool IsStart(std::string_view local) const {
    return event_->node == Node::kStart && LocalName() == local;
  }
  int Depth() const { return event_->depth; }
  std::string_view LocalName() const { return event_->local; }
  std::string_view NamespaceUri() const { return event_->namespace_uri; }
  // Text, CDATA or white space. Text may come in more than one piece.
  std::string_view Text() const;
  // The attribute of the current start element with this local name (and
  // namespace, when one is given); false when it has none. A view lasts
  // until the next call of Next.
  bool Attribute(std::string_view local, std::string_view* value,
                 std::string_view namespace_uri = {}) const;
  bool Attribute(std::string_view local, std::string* value,
                 std::string_view namespace_uri = {}) const;

  // "<file>: <part>" for errors.
  const std::string& what() const { return sax_->what(); }
  [[noreturn]] void Fail(std::string_view reason) const;

 private:
  class Queue;
  // One node as the parser found it. Names are the parser's own, which
  // last as long as it does; texts and attribute values are copied into
  // the queue's buffer.
  struct Event {
    Node node = Node::kOther;
    int depth = 0;
    std::string_view local;
    std::string_view namespace_uri;
    std::uint32_t text_at = 0;    // text, or the first attribute
    std::uint32_t text_size = 0;  // bytes of text, or attributes
  };
  bool Refill();
  static const Event kNoEvent;  // before the first node, after the last

  std::unique_ptr<Queue> queue_;
  std::unique_ptr<SaxPart> sax_;
  const Event* event_;
};

}  // namespace tarnwick::spreadsheet::package

#endif  // TARNWICK_SPREADSHEET_PACKAGE_XML_PART_H_
