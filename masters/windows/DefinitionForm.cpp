#include "DefinitionForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>

#include "FontUnits.h"
#include "Guarded.h"
#include "HelpButton.h"
#include "Ui.h"
#include "WindowKeys.h"

namespace {

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
  auto* result = new QPushButton(caption, parent);
  result->setObjectName(name);
  return result;
}

}  // namespace

DefinitionForm::DefinitionForm(Ui& ui, const QString& name, const QString& caption, QSize client,
                               int helpContext, QWidget* parent)
    : QDialog(parent), ui_(ui), client_(client) {
  setObjectName(name);
  setWindowTitle(caption);

  numberEdit = new ExitEdit(ui, this);
  numberEdit->setObjectName(QStringLiteral("numberEdit"));
  numberEdit->setMaxLength(4);
  // Digits only, as the four-digit mask takes them; the blanks of the re-formatted
  // number stay allowed.
  numberEdit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^ *[0-9]* *$")), this));
  numberEdit->setFixedWidth(numberEdit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                            16);
  numberEdit->setExitHandler([this] { numberLeft(); });
  descriptionEdit = new QLineEdit(this);
  descriptionEdit->setObjectName(QStringLiteral("descriptionEdit"));
  descriptionEdit->setMaxLength(30);
  descriptionEdit->setMinimumWidth(
      descriptionEdit->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);

  saveButton = button(QStringLiteral("saveButton"), tr("Save"), this);
  deleteButton = button(QStringLiteral("deleteButton"), tr("Delete"), this);
  cancelButton = button(QStringLiteral("cancelButton"), tr("Cancel"), this);
  helpButton = new HelpButton(ui, helpContext, this);
  connect(saveButton, &QPushButton::clicked, this, guarded(ui, [this] { saveClicked(); }));
  connect(deleteButton, &QPushButton::clicked, this, guarded(ui, [this] { deleteClicked(); }));
  connect(cancelButton, &QPushButton::clicked, this, [this] { cancelClicked(); });

  fields_ = new QGridLayout;
  fields_->setHorizontalSpacing(10);
  fields_->setVerticalSpacing(10);
  fields_->setColumnStretch(2, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* each : {saveButton, deleteButton, cancelButton}) buttons->addWidget(each);
  buttons->addStretch();
  buttons->addWidget(helpButton);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  // The fields stand in the middle of the room above the buttons.
  layout->addStretch();
  layout->addLayout(fields_);
  layout->addStretch();
  layout->addLayout(buttons);
  WindowKeys::Install(*this, &ui);
}

void DefinitionForm::addField(QLabel* label, QWidget* field) {
  const int row = fieldRows_++;
  if (label) fields_->addWidget(label, row, 0);
  // The number field keeps its narrow width; the others take the row.
  fields_->addWidget(field, row, 1, 1, field == numberEdit ? 1 : 2);
}

QLabel* DefinitionForm::fieldLabel(const QString& name, const QString& text) {
  auto* label = new QLabel(text, this);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

void DefinitionForm::setVisible(bool visible) {
  if (visible) FontUnits::FixSize(*this, client_);
  QDialog::setVisible(visible);
}

void DefinitionForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window shown again after being minimised is not a new showing.
  if (!event->spontaneous()) runGuarded(ui_, [this] { prepare(); });
}
