#include "settings/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <cstdlib>

#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

TEST(QtSettingsStoreTest, BinaryDataReadsAsASixteenBitNumber) {
  // A fresh folder, as a new user's machine would have. QSettings keeps the
  // user folder it found first for the whole process, so the folder is set
  // on QSettings itself as well as in the environment.
  TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromStdString(dir.path().string()));
  settings::QtSettingsStore store;
  {
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, "Tarnwick",
                  "Settings");
    raw.setValue("Disc", QByteArray("\x05\x00", 2));
    raw.setValue("cRound", QByteArray("\xFD\xFF", 2));
  }
  EXPECT_EQ(store.GetRegValue("Disc"), "5");
  EXPECT_EQ(store.GetRegValue("cRound"), "-3");
}

}  // namespace
}  // namespace tarnwick::test
