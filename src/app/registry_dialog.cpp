#include "app/registry_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tarnwick::app {
namespace {

// A path the user may want to copy into a file manager or a shell.
QLabel* SelectableLabel(const QString& text, const char* name) {
  auto* label = new QLabel(text);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setWordWrap(true);
  return label;
}

}  // namespace

RegistryDialog::RegistryDialog(const RegistryValues& values,
                               const QString& location,
                               const QString& app_folder, QWidget* parent)
    : QDialog(parent),
      space_(new QLineEdit(values.space)),
      round_(new QCheckBox("Round prices")),
      digits_(new QComboBox),
      disc_(new QComboBox) {
  setWindowTitle("Registry");
  space_->setObjectName("mSpace");
  space_->setMaxLength(2);
  round_->setObjectName("cRound");
  round_->setChecked(values.round);
  digits_->setObjectName("rDecimalPoint");
  digits_->addItems({"0", "1", "2", "3"});
  digits_->setCurrentIndex(values.digits_index);
  disc_->setObjectName("Disc");
  disc_->addItems({"0", "1", "2", "3", "4", "5"});
  disc_->setCurrentIndex(values.disc_index);

  auto* form = new QFormLayout;
  form->addRow("Max space (mSpace):", space_);
  form->addRow("Round (cRound):", round_);
  form->addRow("Digits after the point (rDecimalPoint):", digits_);
  form->addRow("Discount level (Disc):", disc_);

  auto* where = SelectableLabel(location, "Location");
  auto* folder = SelectableLabel(app_folder, "AppFolder");

  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(new QLabel("Stored in:"));
  layout->addWidget(where);
  layout->addWidget(new QLabel("Application folder:"));
  layout->addWidget(folder);
  layout->addWidget(buttons);
}

RegistryValues RegistryDialog::Values() const {
  return RegistryValues{space_->text(), round_->isChecked(),
                        digits_->currentIndex(), disc_->currentIndex()};
}

}  // namespace tarnwick::app
