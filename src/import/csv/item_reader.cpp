#include "import/csv/item_reader.h"

#include <optional>
#include <utility>

#include "core/text_file.h"
#include "octonus/number_rules.h"

namespace tarnwick {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsSeparator(char c) { return c == ',' || IsLineEnd(c); }

}  // namespace

ItemReader::ItemReader(const std::filesystem::path& path)
    : text_(ReadTextFile(path)) {}

ItemReader ItemReader::FromText(std::string text) {
  ItemReader reader;
  reader.text_ = std::move(text);
  return reader;
}

std::string_view ItemReader::NextItem(bool* quoted) {
  const std::size_t size = text_.size();
  while (pos_ < size && IsBlank(text_[pos_])) ++pos_;
  std::string_view item;
  *quoted = pos_ < size && text_[pos_] == '"';
  if (*quoted) {
    std::size_t start = pos_ + 1;
    std::size_t close = text_.find('"', start);
    if (close == std::string::npos) close = size;
    item = std::string_view(text_).substr(start, close - start);
    pos_ = close < size ? close + 1 : size;
    while (pos_ < size && !IsSeparator(text_[pos_])) ++pos_;
  } else {
    std::size_t start = pos_;
    while (pos_ < size && !IsSeparator(text_[pos_])) ++pos_;
    std::size_t end = pos_;
    while (end > start && IsBlank(text_[end - 1])) --end;
    item = std::string_view(text_).substr(start, end - start);
  }
  SkipSeparator();
  return item;
}

// One separator: a comma, or one line end of whichever kind.
void ItemReader::SkipSeparator() {
  if (pos_ >= text_.size()) return;
  char c = text_[pos_++];
  if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
}

std::string ItemReader::ReadText() {
  bool quoted = false;
  return std::string(NextItem(&quoted));
}

std::string ItemReader::ReadValue() {
  bool quoted = false;
  std::string_view item = NextItem(&quoted);
  if (!quoted && !item.empty()) {
    std::optional<double> number = ParseWholeNumber(item);
    if (number) return NumberText(*number);
  }
  return std::string(item);
}

void ItemReader::SkipItem() {
  bool quoted = false;
  NextItem(&quoted);
}

double CountItems(const std::filesystem::path& path) {
  ItemReader reader(path);
  double count = 0;
  while (!reader.AtEnd()) {
    reader.SkipItem();
    ++count;
  }
  return count;
}

}  // namespace tarnwick
