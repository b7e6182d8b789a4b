// FrmConvert's start-up and its four stored options: restored once when the
// window loads, saved all four at once whenever one of them changes.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <optional>
#include <string>

#include "app/frm_convert.h"
#include "app/registry_dialog.h"
#include "core/error.h"
#include "core/number_rules.h"

namespace tarnwick::app {
namespace {

constexpr int kSpaceLength = 2;  // txtSpace takes at most two characters

// The number a stored value starts with; none when it is too large to read.
std::optional<double> StoredNumber(const SettingsStore& settings,
                                   const char* name) {
  try {
    return LeadingNumber(settings.GetRegValue(name));
  } catch (const Error&) {
    return std::nullopt;
  }
}

// The stored number as a 16-bit integer, a half going to the even neighbour;
// none outside that range.
std::optional<int> StoredInteger(const SettingsStore& settings,
                                 const char* name) {
  std::optional<double> number = StoredNumber(settings, name);
  if (!number) return std::nullopt;
  try {
    return ToInt16(*number);
  } catch (const Error&) {
    return std::nullopt;
  }
}

QString StoredNumberText(const SettingsStore& settings, const char* name) {
  std::optional<double> number = StoredNumber(settings, name);
  return QString::fromStdString(NumberText(number.value_or(0)));
}

QString SpaceText(const QString& text) {
  try {
    return QString::fromStdString(
        NumberText(LeadingNumber(text.toStdString())));
  } catch (const Error&) {
    return "0";
  }
}

}  // namespace

QString WindowCaption() {
  return QStringLiteral("Tarnwick (Ver : " TARNWICK_VERSION ")");
}

void FrmConvert::FormLoad() {
  IsLoading = true;
  RestoreOptions();
  IsLoading = false;
  CmbDSFormat->setCurrentIndex(0);
  setWindowTitle(WindowCaption());
}

// A stored value that fits no entry of its control (a hand-edited store)
// leaves the control at its default entry rather than guessing.
void FrmConvert::RestoreOptions() {
  QString space = StoredNumberText(settings_, "mSpace");
  txtSpace->setText(space.size() <= kSpaceLength ? space : "0");

  // Ticking runs the ChRound handler, which enables cRndNum.
  ChRound->setChecked(StoredInteger(settings_, "cRound") == 1);

  int digits = cRndNum->findText(StoredNumberText(settings_, "rDecimalPoint"));
  cRndNum->setCurrentIndex(digits < 0 ? 0 : digits);

  std::optional<int> disc = StoredInteger(settings_, "Disc");
  CmbDisc->setCurrentIndex(
      disc && *disc >= 0 && *disc < CmbDisc->count() ? *disc : 0);
}

void FrmConvert::SetReg() {
  if (IsLoading) return;
  settings_.SaveRegValue("mSpace", SpaceText(txtSpace->text()).toStdString());
  settings_.SaveRegValue("cRound", ChRound->isChecked() ? "1" : "0");
  settings_.SaveRegValue("rDecimalPoint", cRndNum->currentText().toStdString());
  settings_.SaveRegValue("Disc", std::to_string(CmbDisc->currentIndex()));
}

void FrmConvert::on_ChRound_toggled(bool checked) {
  cRndNum->setEnabled(checked);
  if (checked) cRndNum->setCurrentIndex(0);
  SetReg();
}

void FrmConvert::on_cRndNum_currentIndexChanged(int) { SetReg(); }

void FrmConvert::on_CmbDisc_currentIndexChanged(int) { SetReg(); }

void FrmConvert::on_txtSpace_textChanged(const QString&) { SetReg(); }

void FrmConvert::on_CHKall_toggled(bool checked) {
  host_->SelectEveryEntry(checked);
}

void FrmConvert::on_MnuRegistry_triggered() {
  RegistryDialog dialog(
      RegistryValues{txtSpace->text(), ChRound->isChecked(),
                     cRndNum->currentIndex(), CmbDisc->currentIndex()},
      QString::fromStdString(settings_location_),
      QString::fromStdString(app_folder_.string()), this);
  if (dialog.exec() != QDialog::Accepted) return;
  const RegistryValues values = dialog.Values();
  // The controls take the values as at start-up, then all four are saved.
  IsLoading = true;
  txtSpace->setText(values.space);
  ChRound->setChecked(values.round);
  cRndNum->setCurrentIndex(values.digits_index);
  CmbDisc->setCurrentIndex(values.disc_index);
  IsLoading = false;
  SetReg();
}

}  // namespace tarnwick::app
