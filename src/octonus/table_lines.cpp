#include "octonus/table_lines.h"

#include "core/error.h"

namespace tarnwick::octonus {
namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string Spaces(int count, std::string_view text, int width) {
  if (count < 0) {
    throw Error("the text \"" + std::string(text) + "\" is longer than " +
                std::to_string(width) + " characters");
  }
  return std::string(count, ' ');
}

}  // namespace

int TextLength(std::string_view utf8) {
  int length = 0;
  for (char c : utf8) {
    if (!IsContinuationByte(c)) ++length;
  }
  return length;
}

void AppendField(std::string& line, std::string_view text, int width) {
  int spaces = width - TextLength(text);
  if (spaces < 0) Spaces(spaces, text, width);  // throws
  line += text;
  line.append(static_cast<std::size_t>(spaces), ' ');
}

std::string TableCountLine(std::string_view a, std::string_view b) {
  std::string line(a);
  line += Spaces(8 - TextLength(a), a, 8);
  line += b;
  return line;
}

std::string FormatLine(std::string_view b, std::string_view c) {
  std::string line = "Format: clarity ";
  line += b;
  line += Spaces(8 - TextLength(c), c, 8);
  line += c;
  return line;
}

std::string MassLine(std::string_view b, std::string_view c) {
  std::string line = "Mass:   ";
  line += b;
  line += Spaces(8 - TextLength(b), b, 8);
  line += c;
  return line;
}

std::string MagnifyLine(std::string_view b) {
  std::string line = "Magnify:        ";
  line += b;
  return line;
}

std::string_view DropLast(std::string_view line, int count) {
  std::size_t end = line.size();
  for (int dropped = 0; dropped < count; ++dropped) {
    if (end == 0) {
      throw Error("the trim count " + std::to_string(count) +
                  " is longer than the grid line");
    }
    --end;
    while (end > 0 && IsContinuationByte(line[end])) --end;
  }
  return line.substr(0, end);
}

}  // namespace tarnwick::octonus
