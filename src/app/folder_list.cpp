#include "app/folder_list.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace tarnwick::app {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndent = 8;

// Shifts each entry right by its depth, so the chain reads as a staircase
// down to the current folder and its subfolders one step further in.
class IndentDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem shifted(option);
    shifted.rect.adjust(index.data(kDepthRole).toInt() * kIndent, 0, 0, 0);
    QStyledItemDelegate::paint(painter, shifted, index);
  }
};

// The folders from the root down to `path`, the root first.
QStringList FolderChain(const QString& path) {
  QStringList chain;
  QDir dir(path);
  chain.prepend(dir.absolutePath());
  while (dir.cdUp()) chain.prepend(dir.absolutePath());
  return chain;
}

}  // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new IndentDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::EnterItem);
}

void FolderList::SetPath(const QString& path, bool quietly) {
  path_ = QDir::cleanPath(QDir(path).absolutePath());
  Rebuild();
  if (!quietly) emit PathChanged(path_);
}

void FolderList::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      currentItem() != nullptr) {
    EnterItem(currentItem());
    return;
  }
  QListWidget::keyPressEvent(event);
}

void FolderList::Rebuild() {
  clear();
  const QIcon open_icon(":/artwork/folder_open.png");
  const QIcon closed_icon(":/artwork/folder_closed.png");
  const QStringList chain = FolderChain(path_);
  int depth = 0;
  for (const QString& folder : chain) {
    QString name = QFileInfo(folder).fileName();
    AddEntry(name.isEmpty() ? folder : name, folder, depth++, open_icon);
  }
  setCurrentRow(depth - 1);
  const QDir current(path_);
  const QStringList subfolders = current.entryList(
      QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& name : subfolders) {
    AddEntry(name, current.absoluteFilePath(name), depth, closed_icon);
  }
  scrollToItem(item(chain.size() - 1), QAbstractItemView::PositionAtTop);
}

void FolderList::AddEntry(const QString& text, const QString& path, int depth,
                          const QIcon& icon) {
  auto* entry = new QListWidgetItem(icon, text, this);
  entry->setData(kPathRole, path);
  entry->setData(kDepthRole, depth);
  entry->setToolTip(path);
}

void FolderList::EnterItem(QListWidgetItem* item) {
  SetPath(item->data(kPathRole).toString());
}

}  // namespace tarnwick::app
