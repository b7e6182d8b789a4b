#ifndef TARNWICK_SPREADSHEET_XLSX_WORKSHEET_SCANNER_H_
#define TARNWICK_SPREADSHEET_XLSX_WORKSHEET_SCANNER_H_

// A worksheet part holds most of a workbook's XML, and libxml2 costs more
// than everything else in reading it. Spreadsheet programs write it in a
// plain subset of XML, which this scanner reads itself: an XML declaration,
// elements, attributes in ' or " quotes, the five predefined entities,
// character references and whitespace, in UTF-8. It hands the handler the
// very nodes libxml2's SAX parser would, names resolved against their
// namespaces, and declines anything else (a DTD, CDATA, a comment or
// processing instruction, an entity of its own, a carriage return, bad
// UTF-8 or markup, nesting past kMaxXmlDepth, and whatever lies near a limit
// of libxml2's), leaving such a part to libxml2, which tells what is wrong
// with it word for word as ever.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/utf8.h"
#include "spreadsheet/package/sax_part.h"

namespace tarnwick::spreadsheet::xlsx {

namespace scanner_internal {

inline constexpr std::string_view kXmlNamespace =
    "http://www.w3.org/XML/1998/namespace";
inline constexpr std::string_view kXmlnsNamespace =
    "http://www.w3.org/2000/xmlns/";

// Far inside libxml2's own limits on names, attribute values and text, so
// that nothing the scanner takes comes near them.
inline constexpr std::size_t kMaxName = 1000;
inline constexpr std::size_t kMaxRun = 1 << 20;
inline constexpr int kMaxAttributes = 64;

// Name characters by byte: 1 may start a name, 2 only follow.
inline constexpr std::array<std::uint8_t, 256> kNameChars = [] {
  std::array<std::uint8_t, 256> table{};
  for (int c = 0; c < 256; ++c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_') {
      table[c] = 1;
    } else if ((c >= '0' && c <= '9') || c == '-' || c == '.') {
      table[c] = 2;
    }
  }
  return table;
}();

// Printable ASCII that ends no text or attribute value and needs no
// further look: what most of a part's texts and values are made of.
inline constexpr std::array<bool, 256> kOrdinary = [] {
  std::array<bool, 256> table{};
  for (int c = 0x20; c < 0x7F; ++c) {
    table[c] = c != '<' && c != '&' && c != '"' && c != '\'' && c != '>';
  }
  return table;
}();

inline bool IsNameStart(char c) {
  return kNameChars[static_cast<unsigned char>(c)] == 1;
}
inline bool IsNameChar(char c) {
  return kNameChars[static_cast<unsigned char>(c)] != 0;
}

// Names are short, and compared often: byte by byte, in place.
inline bool Same(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}
// A carriage return is no space here: libxml2 would turn line ends into
// line feeds.
inline bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n'; }

inline bool IsXmlChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// A namespace as plain as those spreadsheet programs declare.
inline bool IsPlainUri(std::string_view uri) {
  if (uri.empty() || uri == kXmlNamespace || uri == kXmlnsNamespace) {
    return false;
  }
  for (char c : uri) {
    if (c <= ' ' || c > '~' || c == '"' || c == '\'' || c == '&' || c == '<') {
      return false;
    }
  }
  return true;
}

template <typename Handler>
class Scanner {
 public:
  Scanner(std::string_view xml, Handler& handler)
      : begin_(xml.data()),
        p_(xml.data()),
        end_(xml.data() + xml.size()),
        handler_(handler) {}

  bool Run() {
    if (!Declaration()) return false;
    SkipSpace();
    if (!StartTag()) return false;  // the root
    while (depth_ > 0) {
      if (p_ == end_) return false;
      bool ok = *p_ != '<'                      ? Text()
                : p_ + 1 < end_ && p_[1] == '/' ? EndTag()
                                                : StartTag();
      if (!ok) return false;
    }
    SkipSpace();
    return p_ == end_;
  }

 private:
  struct Name {
    std::string_view qualified;
    std::string_view prefix;  // empty when there is none
    std::string_view local;
  };
  struct Open {
    std::string_view qualified;
    std::string_view local;
    std::string_view uri;
    std::size_t bindings;  // bindings_ before the element declared its own
  };
  struct Binding {
    std::string_view prefix;
    std::string_view uri;
  };

  bool SkipSpace() {
    const char* from = p_;
    while (p_ < end_ && IsSpace(*p_)) ++p_;
    return p_ != from;
  }

  bool Skip(std::string_view text) {
    if (static_cast<std::size_t>(end_ - p_) < text.size() ||
        !Same(std::string_view(p_, text.size()), text)) {
      return false;
    }
    p_ += text.size();
    return true;
  }

  // <?xml version="1.0" [encoding="UTF-8"] [standalone="yes"]?>, if any.
  bool Declaration() {
    if (!Skip("<?xml")) return true;
    if (!SkipSpace() || !Pseudo("version", "1.0", "1.0")) return false;
    bool spaced = SkipSpace();
    if (spaced && Pseudo("encoding", "UTF-8", "utf-8")) spaced = SkipSpace();
    if (spaced && Pseudo("standalone", "yes", "no")) SkipSpace();
    return Skip("?>");
  }

  // name="one" or name='other', passed over; nothing is when it is not.
  bool Pseudo(std::string_view name, std::string_view one,
              std::string_view other) {
    const char* at = p_;
    if (Skip(name)) {
      SkipSpace();
      if (Skip("=")) {
        SkipSpace();
        for (const char* quote : {"\"", "'"}) {
          for (std::string_view value : {one, other}) {
            const char* before = p_;
            if (Skip(quote) && Skip(value) && Skip(quote)) return true;
            p_ = before;
          }
        }
      }
    }
    p_ = at;
    return false;
  }

  // Letters, digits and "_-." in ASCII, a letter or '_' first, with at most
  // one colon between a prefix and the local name.
  bool ReadName(Name* name) {
    const char* start = p_;
    const char* colon = nullptr;
    if (p_ == end_ || !IsNameStart(*p_)) return false;
    while (++p_ < end_ && (IsNameChar(*p_) || *p_ == ':')) {
      if (*p_ == ':') {
        if (colon || p_ + 1 == end_ || !IsNameStart(p_[1])) return false;
        colon = p_;
      }
    }
    // Built here rather than read back from `name`: a read of what was
    // just stored in two halves stalls the processor.
    std::string_view qualified(start, p_ - start);
    name->qualified = qualified;
    name->prefix =
        colon ? std::string_view(start, colon - start) : std::string_view();
    name->local =
        colon ? std::string_view(colon + 1, p_ - colon - 1) : qualified;
    return qualified.size() <= kMaxName;
  }

  // The byte after the UTF-8 character at `p`; null when it is malformed
  // or no character XML allows.
  const char* Utf8(const char* p) const {
    auto byte = [p](int i) { return static_cast<unsigned char>(p[i]); };
    int length = byte(0) >= 0xF0 ? 4 : byte(0) >= 0xE0 ? 3 : 2;
    if (byte(0) < 0xC2 || byte(0) > 0xF4 || end_ - p < length) return nullptr;
    char32_t c = byte(0) & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
      if ((byte(i) & 0xC0) != 0x80) return nullptr;
      c = c << 6 | (byte(i) & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[length] || (c >= 0xD800 && c <= 0xDFFF) || !IsXmlChar(c)) {
      return nullptr;
    }
    return p + length;
  }

  // The end of the characters from p_ on that stand for themselves: at
  // `stop`, a '&' or the end of the part. Null at a character XML forbids
  // there, and in an attribute value at a tab or line feed, which libxml2
  // would turn into a space.
  const char* Plain(char stop, bool in_value) const {
    const char* p = p_;
    while (p < end_) {
      auto c = static_cast<unsigned char>(*p);
      if (kOrdinary[c]) {
        ++p;
        continue;
      }
      if (c >= 0x80) {
        p = Utf8(p);
        if (!p) return nullptr;
        continue;
      }
      if (c == static_cast<unsigned char>(stop) || c == '&') return p;
      if (c < 0x20) {
        if (in_value || (c != '\t' && c != '\n')) return nullptr;
      } else if (c == '<') {
        return nullptr;
      } else if (c == '>' && !in_value && p - begin_ >= 2 && p[-1] == ']' &&
                 p[-2] == ']') {
        return nullptr;  // "]]>" may not stand in text
      }
      ++p;
    }
    return p;
  }

  // The character the reference at p_ ('&') stands for, into scratch_.
  bool Reference() {
    const char* semicolon = p_ + 1;
    while (semicolon < end_ && semicolon - p_ <= 10 && *semicolon != ';') {
      ++semicolon;
    }
    if (semicolon == end_ || *semicolon != ';') return false;
    std::string_view name(p_ + 1, semicolon - p_ - 1);
    p_ = semicolon + 1;
    scratch_.clear();
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [entity, c] : kEntities) {
      if (name == entity) {
        scratch_ += c;
        return true;
      }
    }
    if (name.size() < 2 || name[0] != '#') return false;
    bool hex = name[1] == 'x';
    std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) return false;
    char32_t code = 0;
    for (char d : digits) {
      int value = d >= '0' && d <= '9'          ? d - '0'
                  : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                  : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                : -1;
      if (value < 0) return false;
      code = code * (hex ? 16 : 10) + static_cast<char32_t>(value);
      if (code > 0x10FFFF) return false;
    }
    if (!IsXmlChar(code)) return false;
    AppendCodePoint(scratch_, code);
    return true;
  }

  bool Text() {
    const char* start = p_;
    while (p_ < end_ && *p_ != '<') {
      if (static_cast<std::size_t>(p_ - start) > kMaxRun) return false;
      if (*p_ == '&') {
        if (!Reference()) return false;
        handler_.Text(scratch_, depth_);
      } else {
        const char* run = Plain('<', false);
        if (!run) return false;
        handler_.Text(std::string_view(p_, run - p_), depth_);
        p_ = run;
      }
    }
    return static_cast<std::size_t>(p_ - start) <= kMaxRun;
  }

  // `decoded` tells whether the value held references.
  bool AttributeValue(int index, std::string_view* value, bool* decoded) {
    if (p_ == end_ || (*p_ != '"' && *p_ != '\'')) return false;
    char quote = *p_++;
    const char* start = p_;
    const char* run = Plain(quote, true);
    if (!run || run == end_) return false;
    *decoded = *run == '&';
    if (!*decoded) {
      *value = std::string_view(start, run - start);
      p_ = run + 1;
      return value->size() <= kMaxRun;
    }
    std::string& text = values_[index];
    text.assign(start, run);
    p_ = run;
    while (p_ < end_ && *p_ != quote && text.size() <= kMaxRun) {
      if (*p_ == '&') {
        // libxml2 hands an '&' from a reference on as "&#38;".
        if (!Reference() || scratch_ == "&") return false;
        text += scratch_;
      } else {
        run = Plain(quote, true);
        if (!run) return false;
        text.append(p_, run);
        p_ = run;
      }
    }
    if (p_ == end_ || text.size() > kMaxRun) return false;
    ++p_;
    *value = text;
    return true;
  }

  // A namespace the element being started declares, for itself and what it
  // holds; `first` is where its declarations begin in bindings_.
  bool Declare(const Name& name, std::string_view uri, bool decoded,
               std::size_t first) {
    std::string_view prefix = name.prefix.empty() ? "" : name.local;
    if (decoded || bindings_.size() - first >= kMaxAttributes ||
        prefix == "xml" || prefix == "xmlns" ||
        ((!prefix.empty() || !uri.empty()) && !IsPlainUri(uri))) {
      return false;
    }
    for (std::size_t i = first; i < bindings_.size(); ++i) {
      if (Same(bindings_[i].prefix, prefix)) return false;  // declared twice
    }
    bindings_.push_back({prefix, uri});
    return true;
  }

  bool Resolve(std::string_view prefix, std::string_view* uri) const {
    for (auto b = bindings_.rbegin(); b != bindings_.rend(); ++b) {
      if (Same(b->prefix, prefix)) {
        *uri = b->uri;
        return true;
      }
    }
    *uri = {};
    return prefix.empty();
  }

  bool StartTag() {
    if (p_ == end_ || *p_ != '<' || depth_ >= package::kMaxXmlDepth) {
      return false;
    }
    ++p_;
    Name element;
    if (!ReadName(&element)) return false;
    std::size_t bindings = bindings_.size();
    int count = 0;
    bool empty = false;
    for (;;) {
      bool spaced = SkipSpace();
      if (p_ == end_) return false;
      if (*p_ == '>') {
        ++p_;
        break;
      }
      if (*p_ == '/') {
        if (!Skip("/>")) return false;
        empty = true;
        break;
      }
      Name name;
      std::string_view value;
      bool decoded = false;
      if (!spaced || count == kMaxAttributes || !ReadName(&name)) return false;
      SkipSpace();
      if (!Skip("=")) return false;
      SkipSpace();
      if (!AttributeValue(count, &value, &decoded)) return false;
      // Most names are checked by their first letter alone.
      if (name.qualified[0] == 'x' &&
          (name.qualified == "xmlns" || name.prefix == "xmlns")) {
        if (!Declare(name, value, decoded, bindings)) return false;
        continue;
      }
      // One name twice, even in two namespaces, is left to libxml2.
      for (int j = 0; j < count; ++j) {
        if (Same(attributes_[j].local, name.local)) return false;
      }
      prefixes_[count] = name.prefix;
      attributes_[count++] = {name.local, {}, value};
    }

    // Prefixes are resolved once the element's own declarations are known.
    Open& open = open_[depth_];
    open = {element.qualified, element.local, {}, bindings};
    if (!Resolve(element.prefix, &open.uri)) return false;
    for (int i = 0; i < count; ++i) {
      if (prefixes_[i].empty()) continue;
      if (prefixes_[i] == "xml") {
        attributes_[i].namespace_uri = kXmlNamespace;
      } else if (!Resolve(prefixes_[i], &attributes_[i].namespace_uri)) {
        return false;
      }
    }
    handler_.StartElement(open.local, open.uri,
                          package::SaxPart::Attributes(attributes_, count),
                          depth_);
    ++depth_;
    return !empty || Close();
  }

  // The open element's name is matched as it stands: a name that merely
  // begins with it goes on with a name character.
  bool EndTag() {
    p_ += 2;
    if (!Skip(open_[depth_ - 1].qualified) ||
        (p_ < end_ && (IsNameChar(*p_) || *p_ == ':'))) {
      return false;
    }
    SkipSpace();
    return Skip(">") && Close();
  }

  bool Close() {
    const Open& open = open_[--depth_];
    handler_.EndElement(open.local, open.uri, depth_);
    bindings_.resize(open.bindings);
    return true;
  }

  const char* const begin_;
  const char* p_;
  const char* const end_;
  Handler& handler_;
  int depth_ = 0;
  Open open_[package::kMaxXmlDepth];
  std::vector<Binding> bindings_;
  // The attributes of the element being started, and their prefixes.
  package::SaxPart::Attribute attributes_[kMaxAttributes];
  std::string_view prefixes_[kMaxAttributes];
  std::string values_[kMaxAttributes];  // values put together from pieces
  std::string scratch_;                 // the character a reference stands for
};

}  // namespace scanner_internal

// False when the scanner declines the part; the handler may by then have
// been handed some of its nodes. Whatever the handler throws comes through.
// `handler` is a SaxPart::Handler given as its final class, so that its
// calls, several for every cell, are made directly, not through its vtable.
template <typename Handler>
bool ScanWorksheetXml(std::string_view xml, Handler& handler) {
  return scanner_internal::Scanner<Handler>(xml, handler).Run();
}

}  // namespace tarnwick::spreadsheet::xlsx

#endif  // TARNWICK_SPREADSHEET_XLSX_WORKSHEET_SCANNER_H_
