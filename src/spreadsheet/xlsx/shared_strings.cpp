#include "spreadsheet/xlsx/shared_strings.h"

namespace tarnwick::spreadsheet::xlsx {

void ReadStringItem(package::XmlPart& xml, std::string* text) {
  int depth = xml.Depth();
  int in_text = 0;  // inside a <t>
  while (xml.Next()) {
    switch (xml.node()) {
      case package::XmlPart::Node::kStart:
        if (xml.LocalName() == "rPh") {
          xml.SkipContent();
        } else if (xml.LocalName() == "t") {
          ++in_text;
        }
        break;
      case package::XmlPart::Node::kEnd:
        if (xml.Depth() == depth) return;
        if (xml.LocalName() == "t" && in_text > 0) --in_text;
        break;
      case package::XmlPart::Node::kText:
        if (in_text > 0) text->append(xml.Text());
        break;
      case package::XmlPart::Node::kOther:
        break;
    }
  }
}

SharedStrings::SharedStrings(package::XmlPart& xml) {
  while (xml.Next()) {
    if (xml.IsStart("si")) {
      ReadStringItem(xml, &texts_);
      ends_.push_back(texts_.size());
    }
  }
}

}  // namespace tarnwick::spreadsheet::xlsx
