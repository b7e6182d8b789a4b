#include "spreadsheet/package/xml_part.h"

#include <libxml/xmlreader.h>

#include "core/error.h"

namespace tarnwick::spreadsheet::package {
namespace {

std::string_view View(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text))
              : std::string_view();
}

}  // namespace

struct XmlPart::Reader {
  std::unique_ptr<ZipPart> part;
  xmlTextReaderPtr reader = nullptr;
  // The first reason the part could not be read, for the error.
  std::string failure;
  bool unpack_failed = false;

  ~Reader() {
    if (reader) xmlFreeTextReader(reader);
  }

  static int ReadPart(void* context, char* buffer, int size) {
    auto* self = static_cast<Reader*>(context);
    try {
      return static_cast<int>(
          self->part->Read(buffer, static_cast<std::size_t>(size)));
    } catch (const Error& e) {
      self->failure = e.what();
      self->unpack_failed = true;
      return -1;
    }
  }
  static int ClosePart(void*) { return 0; }

  static void NoteError(void* context, xmlErrorPtr error) {
    auto* self = static_cast<Reader*>(context);
    if (self->failure.empty() && error && error->message) {
      self->failure = error->message;
      while (!self->failure.empty() &&
             (self->failure.back() == '\n' || self->failure.back() == ' ')) {
        self->failure.pop_back();
      }
    }
  }
};

XmlPart::XmlPart(std::unique_ptr<ZipPart> part, std::string what)
    : reader_(std::make_unique<Reader>()), what_(std::move(what)) {
  what_ += ": " + part->name();
  reader_->part = std::move(part);
  // No DTD is loaded, no entity substituted, nothing fetched.
  reader_->reader =
      xmlReaderForIO(&Reader::ReadPart, &Reader::ClosePart, reader_.get(),
                     nullptr, nullptr, XML_PARSE_NONET | XML_PARSE_NOWARNING);
  if (!reader_->reader) Fail("cannot be read");
  xmlTextReaderSetStructuredErrorHandler(reader_->reader, &Reader::NoteError,
                                         reader_.get());
}

XmlPart::~XmlPart() = default;

void XmlPart::Fail(std::string_view reason) const {
  throw Error(what_ + " " + std::string(reason));
}

bool XmlPart::Next() {
  if (pending_end_) {
    pending_end_ = false;
    node_ = Node::kEnd;
    return true;
  }
  int result = xmlTextReaderRead(reader_->reader);
  if (result == 0) return false;
  if (result < 0) {
    if (reader_->unpack_failed) throw Error(reader_->failure);
    Fail("is not well-formed XML (" +
         (reader_->failure.empty() ? std::string("cannot be parsed")
                                   : reader_->failure) +
         ")");
  }
  switch (xmlTextReaderNodeType(reader_->reader)) {
    case XML_READER_TYPE_ELEMENT:
      if (xmlTextReaderDepth(reader_->reader) >= kMaxXmlDepth) {
        Fail("nests its elements too deep");
      }
      node_ = Node::kStart;
      pending_end_ = xmlTextReaderIsEmptyElement(reader_->reader) == 1;
      break;
    case XML_READER_TYPE_END_ELEMENT:
      node_ = Node::kEnd;
      break;
    case XML_READER_TYPE_TEXT:
    case XML_READER_TYPE_CDATA:
    case XML_READER_TYPE_WHITESPACE:
    case XML_READER_TYPE_SIGNIFICANT_WHITESPACE:
      node_ = Node::kText;
      break;
    case XML_READER_TYPE_DOCUMENT_TYPE:
    case XML_READER_TYPE_ENTITY_REFERENCE:
    case XML_READER_TYPE_ENTITY:
      Fail("holds a document type declaration (DTD), which is not read");
    default:
      node_ = Node::kOther;
      break;
  }
  return true;
}

void XmlPart::SkipContent() {
  if (node_ != Node::kStart || pending_end_) {
    Next();
    return;
  }
  int depth = Depth();
  while (Next()) {
    if (node_ == Node::kEnd && Depth() == depth) return;
  }
}

int XmlPart::Depth() const { return xmlTextReaderDepth(reader_->reader); }

std::string_view XmlPart::LocalName() const {
  return View(xmlTextReaderConstLocalName(reader_->reader));
}

std::string_view XmlPart::NamespaceUri() const {
  return View(xmlTextReaderConstNamespaceUri(reader_->reader));
}

std::string_view XmlPart::Text() const {
  return View(xmlTextReaderConstValue(reader_->reader));
}

bool XmlPart::Attribute(std::string_view local, std::string* value,
                        std::string_view namespace_uri) const {
  xmlTextReaderPtr r = reader_->reader;
  if (node_ != Node::kStart || xmlTextReaderHasAttributes(r) != 1) {
    return false;
  }
  bool found = false;
  if (xmlTextReaderMoveToFirstAttribute(r) == 1) {
    do {
      if (View(xmlTextReaderConstLocalName(r)) == local &&
          (namespace_uri.empty() ||
           View(xmlTextReaderConstNamespaceUri(r)) == namespace_uri)) {
        value->assign(View(xmlTextReaderConstValue(r)));
        found = true;
        break;
      }
    } while (xmlTextReaderMoveToNextAttribute(r) == 1);
    xmlTextReaderMoveToElement(r);
  }
  return found;
}

}  // namespace tarnwick::spreadsheet::package
