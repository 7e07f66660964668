#include "DefinitionForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>

#include "Guarded.h"
#include "HelpButton.h"
#include "Ui.h"

namespace {

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
  auto* result = new QPushButton(caption, parent);
  result->setObjectName(name);
  return result;
}

}  // namespace

DefinitionForm::DefinitionForm(Ui& ui, const QString& name, const QString& caption, QSize client,
                               int helpContext, QWidget* parent)
    : QDialog(parent), ui_(ui) {
  setObjectName(name);
  setWindowTitle(caption);
  setFixedSize(client);

  MaskEdit1 = new ExitEdit(ui, this);
  MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
  MaskEdit1->setMaxLength(4);
  // Digits only, as the four-digit mask takes them; the blanks of the re-formatted
  // number stay allowed.
  MaskEdit1->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^ *[0-9]* *$")), this));
  MaskEdit1->setFixedWidth(MaskEdit1->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                           16);
  MaskEdit1->setExitHandler([this] { MaskEdit1Exit(); });
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setMaxLength(30);
  Edit1->setMinimumWidth(Edit1->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);

  BtnSave = button(QStringLiteral("BtnSave"), tr("Save"), this);
  BtnDelete = button(QStringLiteral("BtnDelete"), tr("Delete"), this);
  BtnCancel = button(QStringLiteral("BtnCancel"), tr("Cancel"), this);
  helpButton = new HelpButton(ui, helpContext, this);
  connect(BtnSave, &QPushButton::clicked, this, guarded(ui, [this] { BtnSaveClick(); }));
  connect(BtnDelete, &QPushButton::clicked, this, guarded(ui, [this] { BtnDeleteClick(); }));
  connect(BtnCancel, &QPushButton::clicked, this, [this] { BtnCancelClick(); });

  fields_ = new QGridLayout;
  fields_->setHorizontalSpacing(10);
  fields_->setVerticalSpacing(10);
  fields_->setColumnStretch(2, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* each : {BtnSave, BtnDelete, BtnCancel}) buttons->addWidget(each);
  buttons->addStretch();
  buttons->addWidget(helpButton);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  // The fields stand in the middle of the room above the buttons.
  layout->addStretch();
  layout->addLayout(fields_);
  layout->addStretch();
  layout->addLayout(buttons);
}

void DefinitionForm::addField(QLabel* label, QWidget* field) {
  const int row = fieldRows_++;
  if (label) fields_->addWidget(label, row, 0);
  // The number field keeps its narrow width; the others take the row.
  fields_->addWidget(field, row, 1, 1, field == MaskEdit1 ? 1 : 2);
}

QLabel* DefinitionForm::fieldLabel(const QString& name, const QString& text) {
  auto* label = new QLabel(text, this);
  if (!name.isEmpty()) label->setObjectName(name);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

void DefinitionForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window shown again after being minimised is not a new showing.
  if (!event->spontaneous()) runGuarded(ui_, [this] { FormShow(); });
}
