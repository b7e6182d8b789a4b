#ifndef TARNWICK_APP_DRIVE_LIST_H_
#define TARNWICK_APP_DRIVE_LIST_H_

#include <QComboBox>
#include <QHash>
#include <QString>

namespace tarnwick::app {

// DrvList: the mounted volumes, the root first. On a system without drive
// letters a volume stands for a drive; each remembers the last folder the
// folder list showed on it, the way a drive keeps its current folder.
class DriveList : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveList(QWidget* parent = nullptr);

  // Selects the volume that holds `folder` (without signals) and remembers
  // `folder` as that volume's current folder.
  void FollowFolder(const QString& folder);
  // The folder to show for the volume at `root`: the last one shown on it,
  // else its root.
  QString FolderOn(const QString& root) const;

 signals:
  // The user picked another volume.
  void DrivePicked(const QString& root);

 private:
  void Fill();
  int IndexHolding(const QString& folder) const;

  QHash<QString, QString> current_folders_;
};

}  // namespace tarnwick::app

#endif  // TARNWICK_APP_DRIVE_LIST_H_
