#include "octonus/run_copies.h"

#include <exception>

namespace tarnwick {

RunCopies::~RunCopies() {
  try {
    CloseAll();
  } catch (const std::exception&) {
    // Releasing an in-memory copy has nothing a person could act on.
  }
}

spreadsheet::Workbook& RunCopies::Keep(spreadsheet::Workbook& book) {
  books_.push_back(&book);
  return book;
}

void RunCopies::CloseAll() {
  std::vector<spreadsheet::Workbook*> books;
  books.swap(books_);
  for (spreadsheet::Workbook* book : books) {
    if (book->IsOpen()) book->Close();
  }
}

int RunCopies::OpenCount() const {
  int open = 0;
  for (const spreadsheet::Workbook* book : books_) {
    if (book->IsOpen()) ++open;
  }
  return open;
}

}  // namespace tarnwick
