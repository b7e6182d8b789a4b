#include "spreadsheet/package/sax_part.h"

#include <libxml/parser.h>

#include <cstring>
#include <vector>

#include "core/error.h"

namespace tarnwick::spreadsheet::package {
namespace {

// What is unpacked and handed to the parser at a time.
constexpr std::size_t kChunkBytes = 64 * 1024;

std::string_view View(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text))
              : std::string_view();
}

}  // namespace

bool SaxPart::Attributes::Find(std::string_view local, std::string_view* value,
                               std::string_view namespace_uri) const {
  for (int i = 0; i < count_; ++i) {
    if (list_[i].local == local &&
        (namespace_uri.empty() || list_[i].namespace_uri == namespace_uri)) {
      *value = list_[i].value;
      return true;
    }
  }
  return false;
}

struct SaxPart::Parser {
  SaxPart* self;
  Handler* handler;
  std::unique_ptr<ZipPart> part;
  xmlParserCtxtPtr context = nullptr;
  int depth = 0;
  bool finished = false;          // the whole part has been parsed
  std::exception_ptr fault;       // what stopped the parse
  std::string xml_error;          // the parser's first error
  std::unique_ptr<char[]> chunk;  // what Feed hands the parser
  // The lengths of the names last seen, by where the parser keeps them:
  // it keeps each name once, and a sheet uses a handful over and over.
  struct CachedName {
    const xmlChar* name = nullptr;
    std::string_view view;
  };
  CachedName names[64];
  std::vector<Attribute> attributes;  // reused from element to element

  ~Parser() {
    if (context) xmlFreeParserCtxt(context);
  }

  std::string_view Name(const xmlChar* name) {
    CachedName& cached =
        names[(reinterpret_cast<std::uintptr_t>(name) >> 3) % 64];
    if (cached.name != name) cached = {name, View(name)};
    return cached.view;
  }

  void Stop(std::exception_ptr why) {
    if (!fault) fault = std::move(why);
    xmlStopParser(context);
  }
  void Refuse(std::string_view reason) {
    Stop(std::make_exception_ptr(
        Error(self->what_ + " " + std::string(reason))));
  }

  static void StartElement(void* user, const xmlChar* local, const xmlChar*,
                           const xmlChar* uri, int, const xmlChar**,
                           int attribute_count, int,
                           const xmlChar** attributes) {
    auto* p = static_cast<Parser*>(user);
    if (p->fault) return;
    if (p->depth >= kMaxXmlDepth) {
      p->Refuse("nests its elements too deep");
      return;
    }
    try {
      // libxml2 gives each as local name, prefix, URI, value, end of value.
      p->attributes.resize(static_cast<std::size_t>(attribute_count));
      for (int i = 0; i < attribute_count; ++i) {
        const xmlChar** a = attributes + 5 * i;
        p->attributes[i] = {
            p->Name(a[0]), p->Name(a[2]),
            std::string_view(reinterpret_cast<const char*>(a[3]),
                             static_cast<std::size_t>(a[4] - a[3]))};
      }
      p->handler->StartElement(
          p->Name(local), p->Name(uri),
          Attributes(p->attributes.data(), attribute_count), p->depth);
    } catch (...) {
      p->Stop(std::current_exception());
    }
    ++p->depth;
  }

  static void EndElement(void* user, const xmlChar* local, const xmlChar*,
                         const xmlChar* uri) {
    auto* p = static_cast<Parser*>(user);
    if (p->fault) return;
    --p->depth;
    try {
      p->handler->EndElement(p->Name(local), p->Name(uri), p->depth);
    } catch (...) {
      p->Stop(std::current_exception());
    }
  }

  static void Characters(void* user, const xmlChar* text, int size) {
    auto* p = static_cast<Parser*>(user);
    if (p->fault) return;
    try {
      p->handler->Text(std::string_view(reinterpret_cast<const char*>(text),
                                        static_cast<std::size_t>(size)),
                       p->depth);
    } catch (...) {
      p->Stop(std::current_exception());
    }
  }

  static void DocumentType(void* user, const xmlChar*, const xmlChar*,
                           const xmlChar*) {
    static_cast<Parser*>(user)->Refuse(
        "holds a document type declaration (DTD), which is not read");
  }

  static int Read(void* user, char* buffer, int size) {
    auto* p = static_cast<Parser*>(user);
    try {
      return static_cast<int>(
          p->part->Read(buffer, static_cast<std::size_t>(size)));
    } catch (...) {
      if (!p->fault) p->fault = std::current_exception();
      return -1;
    }
  }

  static xmlSAXHandler Handlers() {
    xmlSAXHandler sax{};
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = &StartElement;
    sax.endElementNs = &EndElement;
    sax.characters = &Characters;
    sax.ignorableWhitespace = &Characters;
    sax.cdataBlock = &Characters;
    sax.internalSubset = &DocumentType;
    sax.serror = &NoteError;
    return sax;
  }

  // Throws the first fault: a handler's, else the parser's.
  void Check(int result) {
    if (fault) std::rethrow_exception(fault);
    if (result != 0) {
      self->Fail(
          "is not well-formed XML (" +
          (xml_error.empty() ? std::string("cannot be parsed") : xml_error) +
          ")");
    }
  }

  static void NoteError(void* user, xmlErrorPtr error) {
    auto* p = static_cast<Parser*>(user);
    if (p->xml_error.empty() && error && error->message &&
        error->level >= XML_ERR_ERROR) {
      p->xml_error = error->message;
      while (!p->xml_error.empty() &&
             (p->xml_error.back() == '\n' || p->xml_error.back() == ' ')) {
        p->xml_error.pop_back();
      }
    }
  }
};

SaxPart::SaxPart(std::unique_ptr<ZipPart> part, std::string what,
                 Handler* handler)
    : parser_(std::make_unique<Parser>()), what_(std::move(what)) {
  what_ += ": " + part->name();
  parser_->self = this;
  parser_->handler = handler;
  parser_->part = std::move(part);
}

SaxPart::~SaxPart() = default;

void SaxPart::Fail(std::string_view reason) const {
  throw Error(what_ + " " + std::string(reason));
}

// No DTD is loaded, no entity substituted, nothing fetched.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOWARNING;

namespace {

void IgnoreMessage(void*, const char*, ...) {}

// libxml2 tells a few faults (a broken encoding, say) through its global
// handlers rather than the parser's, printing them by default: while a
// part is parsed, they are noted with the parser's own, and the core never
// prints.
class ErrorRoute {
 public:
  ErrorRoute(void* parser, xmlStructuredErrorFunc note) {
    xmlSetStructuredErrorFunc(parser, note);
    xmlSetGenericErrorFunc(nullptr, &IgnoreMessage);
  }
  ~ErrorRoute() {
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    xmlSetGenericErrorFunc(nullptr, nullptr);
  }
};

}  // namespace

bool SaxPart::Feed() {
  Parser& p = *parser_;
  if (!p.context) {
    xmlSAXHandler sax = Parser::Handlers();
    p.context = xmlCreatePushParserCtxt(&sax, &p, nullptr, 0, nullptr);
    if (!p.context) Fail("cannot be read");
    xmlCtxtUseOptions(p.context, kParseOptions);
  }
  if (p.fault) std::rethrow_exception(p.fault);
  if (p.finished) return false;
  // Unpacking faults come straight through: the part ends there.
  if (!p.chunk) p.chunk = std::make_unique<char[]>(kChunkBytes);
  std::size_t size = p.part->Read(p.chunk.get(), kChunkBytes);
  p.finished = size == 0;
  ErrorRoute route(&p, &Parser::NoteError);
  int result = xmlParseChunk(p.context, p.chunk.get(), static_cast<int>(size),
                             p.finished ? 1 : 0);
  if (result != 0 && !p.fault) {
    try {
      p.Check(result);
    } catch (...) {
      p.fault = std::current_exception();
    }
  }
  return true;
}

void SaxPart::ParseAll() {
  Parser& p = *parser_;
  xmlSAXHandler sax = Parser::Handlers();
  p.context = xmlCreateIOParserCtxt(&sax, &p, &Parser::Read, nullptr, &p,
                                    XML_CHAR_ENCODING_NONE);
  if (!p.context) Fail("cannot be read");
  xmlCtxtUseOptions(p.context, kParseOptions);
  ErrorRoute route(&p, &Parser::NoteError);
  int result = xmlParseDocument(p.context);
  p.Check(result != 0 || !p.context->wellFormed ? -1 : 0);
}

}  // namespace tarnwick::spreadsheet::package
