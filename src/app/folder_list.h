#ifndef TARNWICK_APP_FOLDER_LIST_H_
#define TARNWICK_APP_FOLDER_LIST_H_

#include <QListWidget>
#include <QString>

namespace tarnwick::app {

// DirList: the chain of folders from the root down to the current folder,
// each one step further in, then the current folder's subfolders. A double
// click (or Enter) on an entry makes it the current folder, even the one
// that already is, so that the file list can be read again from disk; a
// single click only highlights.
class FolderList : public QListWidget {
  Q_OBJECT

 public:
  explicit FolderList(QWidget* parent = nullptr);

  // The current folder, a full path without a trailing separator (except at
  // the root).
  QString Path() const { return path_; }
  // Shows `path` and emits PathChanged. `quietly` shows it without the
  // signal, as at start-up, where the file list stays empty.
  void SetPath(const QString& path, bool quietly = false);

 signals:
  void PathChanged(const QString& path);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Rebuild();
  void AddEntry(const QString& text, const QString& path, int depth,
                const QIcon& icon);
  void EnterItem(QListWidgetItem* item);

  QString path_;
};

}  // namespace tarnwick::app

#endif  // TARNWICK_APP_FOLDER_LIST_H_
