#include "spreadsheet/package/xml_part.h"

#include <vector>

#include "core/error.h"

namespace tarnwick::spreadsheet::package {
namespace {

struct QueuedAttribute {
  std::string_view local;
  std::string_view namespace_uri;
  std::uint32_t value_at;
  std::uint32_t value_size;
};

}  // namespace

// The nodes of the piece parsed last. Names are the parser's own, which
// last as long as it does; texts and attribute values are copied.
class XmlPart::Queue : public SaxPart::Handler {
 public:
  void StartElement(std::string_view local, std::string_view namespace_uri,
                    const SaxPart::Attributes& attributes, int depth) override {
    events.push_back({Node::kStart, depth, local, namespace_uri,
                      static_cast<std::uint32_t>(this->attributes.size()),
                      static_cast<std::uint32_t>(attributes.size())});
    for (int i = 0; i < attributes.size(); ++i) {
      std::string_view value = attributes.Value(i);
      this->attributes.push_back({attributes.LocalName(i),
                                  attributes.NamespaceUri(i),
                                  static_cast<std::uint32_t>(buffer.size()),
                                  static_cast<std::uint32_t>(value.size())});
      buffer += value;
    }
  }
  void EndElement(std::string_view local, std::string_view namespace_uri,
                  int depth) override {
    events.push_back({Node::kEnd, depth, local, namespace_uri, 0, 0});
  }
  void Text(std::string_view text, int depth) override {
    if (events.empty() || events.back().node != Node::kText) {
      events.push_back({Node::kText,
                        depth,
                        {},
                        {},
                        static_cast<std::uint32_t>(buffer.size()),
                        0});
    }
    events.back().text_size += static_cast<std::uint32_t>(text.size());
    buffer += text;
  }

  std::vector<Event> events;
  std::size_t next = 0;
  std::vector<QueuedAttribute> attributes;
  std::string buffer;  // texts and attribute values
};

const XmlPart::Event XmlPart::kNoEvent{};

XmlPart::XmlPart(std::unique_ptr<ZipPart> part, std::string what)
    : queue_(std::make_unique<Queue>()),
      sax_(std::make_unique<SaxPart>(std::move(part), std::move(what),
                                     queue_.get())),
      event_(&kNoEvent) {}

XmlPart::~XmlPart() = default;

void XmlPart::Fail(std::string_view reason) const { sax_->Fail(reason); }

bool XmlPart::Refill() {
  Queue& q = *queue_;
  q.events.clear();
  q.attributes.clear();
  q.buffer.clear();
  q.next = 0;
  while (q.events.empty() && sax_->Feed()) {
  }
  return !q.events.empty();
}

bool XmlPart::Next() {
  Queue& q = *queue_;
  if (q.next == q.events.size() && !Refill()) {
    event_ = &kNoEvent;
    return false;
  }
  event_ = &q.events[q.next++];
  return true;
}

void XmlPart::SkipContent() {
  if (node() != Node::kStart) {
    Next();
    return;
  }
  int depth = Depth();
  while (Next()) {
    if (node() == Node::kEnd && Depth() == depth) return;
  }
}

std::string_view XmlPart::Text() const {
  if (event_->node != Node::kText) return {};
  return std::string_view(queue_->buffer)
      .substr(event_->text_at, event_->text_size);
}

bool XmlPart::Attribute(std::string_view local, std::string_view* value,
                        std::string_view namespace_uri) const {
  if (event_->node != Node::kStart) return false;
  const QueuedAttribute* a = queue_->attributes.data() + event_->text_at;
  for (const QueuedAttribute* end = a + event_->text_size; a != end; ++a) {
    if (a->local == local &&
        (namespace_uri.empty() || a->namespace_uri == namespace_uri)) {
      *value =
          std::string_view(queue_->buffer).substr(a->value_at, a->value_size);
      return true;
    }
  }
  return false;
}

bool XmlPart::Attribute(std::string_view local, std::string* value,
                        std::string_view namespace_uri) const {
  std::string_view found;
  if (!Attribute(local, &found, namespace_uri)) return false;
  value->assign(found);
  return true;
}

}  // namespace tarnwick::spreadsheet::package
