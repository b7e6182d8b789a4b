#ifndef TARNWICK_SPREADSHEET_PACKAGE_SAX_PART_H_
#define TARNWICK_SPREADSHEET_PACKAGE_SAX_PART_H_

// One XML part of a workbook package, unpacked and parsed a piece at a time
// by libxml2's SAX parser, which hands every node to a handler as it finds
// it: nothing is held as a tree, and names and attribute values are the
// parser's own, never copied. Nothing outside the part is ever loaded (no
// network, no external entity), a part with a document type declaration is
// refused, and so is one nested deeper than any workbook part is.

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "spreadsheet/package/zip_package.h"

namespace tarnwick::spreadsheet::package {

inline constexpr int kMaxXmlDepth = 64;

class SaxPart {
 public:
  // One attribute of a start element, valid while the handler has it.
  struct Attribute {
    std::string_view local;
    std::string_view namespace_uri;
    std::string_view value;
  };
  // The attributes of a start element, valid while the handler has it.
  class Attributes {
   public:
    Attributes(const Attribute* list, int count) : list_(list), count_(count) {}
    // The value of the attribute with this local name (and namespace, when
    // one is given); false when there is none.
    bool Find(std::string_view local, std::string_view* value,
              std::string_view namespace_uri = {}) const;
    int size() const { return count_; }
    std::string_view LocalName(int i) const { return list_[i].local; }
    std::string_view NamespaceUri(int i) const {
      return list_[i].namespace_uri;
    }
    std::string_view Value(int i) const { return list_[i].value; }

   private:
    const Attribute* list_;
    int count_;
  };

  // Depths count from 0 for the root element; text is one deeper than the
  // element holding it, and may come in more than one piece. A handler may
  // throw; the parse stops, and Feed throws it.
  class Handler {
   public:
    virtual ~Handler() = default;
    virtual void StartElement(std::string_view local,
                              std::string_view namespace_uri,
                              const Attributes& attributes, int depth) = 0;
    virtual void EndElement(std::string_view local,
                            std::string_view namespace_uri, int depth) = 0;
    virtual void Text(std::string_view text, int depth) = 0;
  };

  SaxPart(std::unique_ptr<ZipPart> part, std::string what, Handler* handler);
  ~SaxPart();
  SaxPart(const SaxPart&) = delete;
  SaxPart& operator=(const SaxPart&) = delete;

  // Unpacks and parses the next piece of the part; false once the whole
  // part has been parsed. A fault (malformed XML, a handler's Error) is
  // thrown by the call after the one whose piece held it, so the nodes
  // before it are all handed over first.
  bool Feed();
  // Parses the whole part, the parser asking for more as it goes, which
  // costs less than being fed; throws as Feed does. Not after Feed.
  void ParseAll();

  // "<file>: <part>" for errors.
  const std::string& what() const { return what_; }
  [[noreturn]] void Fail(std::string_view reason) const;

 private:
  struct Parser;
  std::unique_ptr<Parser> parser_;
  std::string what_;
};

}  // namespace tarnwick::spreadsheet::package

#endif  // TARNWICK_SPREADSHEET_PACKAGE_SAX_PART_H_
