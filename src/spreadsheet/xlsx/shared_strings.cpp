#include "spreadsheet/xlsx/shared_strings.h"

namespace tarnwick::spreadsheet::xlsx {

std::string ReadStringItem(package::XmlPart& xml) {
  std::string text;
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
        if (xml.Depth() == depth) return text;
        if (xml.LocalName() == "t" && in_text > 0) --in_text;
        break;
      case package::XmlPart::Node::kText:
        if (in_text > 0) text += xml.Text();
        break;
      case package::XmlPart::Node::kOther:
        break;
    }
  }
  return text;
}

std::vector<std::string> ReadSharedStrings(package::XmlPart& xml) {
  std::vector<std::string> strings;
  while (xml.Next()) {
    if (xml.IsStart("si")) strings.push_back(ReadStringItem(xml));
  }
  return strings;
}

}  // namespace tarnwick::spreadsheet::xlsx
