#include "app/drive_list.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <algorithm>

namespace tarnwick::app {
namespace {

constexpr int kRootRole = Qt::UserRole;

bool Holds(const QString& root, const QString& folder) {
  if (root == QDir::rootPath() || folder == root) return true;
  return folder.startsWith(root + QLatin1Char('/'));
}

}  // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
  Fill();
  connect(this, &QComboBox::activated, this,
          [this](int index) { emit DrivePicked(itemData(index).toString()); });
}

void DriveList::Fill() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    // Containers mount single files (resolv.conf, hosts) as volumes too.
    if (volume.isValid() && QFileInfo(volume.rootPath()).isDir()) {
      roots << volume.rootPath();
    }
  }
  roots << QDir::rootPath();
  roots.removeDuplicates();
  std::sort(roots.begin(), roots.end(), [](const QString& a, const QString& b) {
    if (a == QDir::rootPath() || b == QDir::rootPath()) {
      return a == QDir::rootPath() && b != a;
    }
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  const QIcon icon(":/artwork/drive.png");
  for (const QString& root : roots) addItem(icon, root, root);
}

int DriveList::IndexHolding(const QString& folder) const {
  int best = 0;
  qsizetype best_length = -1;
  for (int i = 0; i < count(); ++i) {
    const QString root = itemData(i, kRootRole).toString();
    if (Holds(root, folder) && root.size() > best_length) {
      best = i;
      best_length = root.size();
    }
  }
  return best;
}

void DriveList::FollowFolder(const QString& folder) {
  const int index = IndexHolding(folder);
  const QSignalBlocker quiet(this);
  setCurrentIndex(index);
  current_folders_[itemData(index, kRootRole).toString()] = folder;
}

QString DriveList::FolderOn(const QString& root) const {
  return current_folders_.value(root, root);
}

}  // namespace tarnwick::app
