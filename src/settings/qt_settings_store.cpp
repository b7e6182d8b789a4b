#include "settings/qt_settings_store.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>

namespace tarnwick::settings {
namespace {

QSettings OpenStore() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tarnwick",
                   "Settings");
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::string QtSettingsStore::GetRegValue(std::string_view name) const {
  QSettings store = OpenStore();
  QVariant value = store.value(ToQString(name));
  switch (value.typeId()) {
    case QMetaType::QString:
      // A text stops at its first NUL, as the registry reader's buffer does.
      return value.toString().section(QChar(0), 0, 0).toStdString();
    case QMetaType::QByteArray: {
      // Binary data: a little-endian 16-bit number in its first two bytes.
      QByteArray bytes = value.toByteArray();
      if (bytes.isEmpty()) return "";
      auto lo = static_cast<unsigned char>(bytes[0]);
      auto hi = bytes.size() > 1 ? static_cast<unsigned char>(bytes[1]) : 0;
      return std::to_string(static_cast<std::int16_t>(lo | (hi << 8)));
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
      return value.toString().toStdString();
    default:
      return "";
  }
}

void QtSettingsStore::SaveRegValue(std::string_view name,
                                   std::string_view value) {
  QSettings store = OpenStore();
  store.setValue(ToQString(name), ToQString(value));
  store.sync();
}

std::string QtSettingsStore::Location() const {
  return OpenStore().fileName().toStdString();
}

}  // namespace tarnwick::settings
