#ifndef TARNWICK_APP_REGISTRY_DIALOG_H_
#define TARNWICK_APP_REGISTRY_DIALOG_H_

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tarnwick::app {

// The four stored options as the window's controls hold them.
struct RegistryValues {
  QString space;         // "mSpace": txtSpace's text
  bool round = false;    // "cRound": ChRound
  int digits_index = 0;  // "rDecimalPoint": entry of cRndNum ("0" to "3")
  int disc_index = 0;    // "Disc": entry of CmbDisc ("0" to "5")
};

// File > Registry: the four stored options in one place, with the file that
// keeps them and the application folder the window works in, editable. OK hands
// the values back to the window, which stores them as it stores a change made
// on its own controls.
class RegistryDialog : public QDialog {
  Q_OBJECT

 public:
  RegistryDialog(const RegistryValues& values, const QString& location,
                 const QString& app_folder, QWidget* parent = nullptr);
  RegistryValues Values() const;

 private:
  QLineEdit* space_;
  QCheckBox* round_;
  QComboBox* digits_;
  QComboBox* disc_;
};

}  // namespace tarnwick::app

#endif  // TARNWICK_APP_REGISTRY_DIALOG_H_
