#include "settings/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <cstdlib>

#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

// Points the store at a fresh folder, as a new user's machine would be.
// QSettings keeps the user folder it found first for the whole process, so
// the folder is set on QSettings itself as well as in the environment.
class QtSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(dir_.path().string()));
  }
  TempDir dir_;
};

TEST_F(QtSettingsStoreTest, BinaryDataReadsAsASixteenBitNumber) {
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
